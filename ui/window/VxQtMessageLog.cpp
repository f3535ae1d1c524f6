#include "ui/window/VxQtMessageLog.h"

#include <QPlainTextEdit>
#include <QScrollBar>

void TVxQtMessageLog::Append(const std::string& line) {
    SuspendRepaint();
    QString text = QString::fromStdString(line);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    FEdit.appendPlainText(text);
    // Scroll to the new line even when the player had scrolled up.
    FEdit.moveCursor(QTextCursor::End);
    FEdit.ensureCursorVisible();
}

void TVxQtMessageLog::Clear() {
    SuspendRepaint();
    FEdit.clear();
}

void TVxQtMessageLog::BeginUpdate() {
    ++FUpdateDepth;
}

void TVxQtMessageLog::EndUpdate() {
    if (FUpdateDepth == 0)
        return;
    if (--FUpdateDepth > 0 || !FRepaintSuspended)
        return;
    FRepaintSuspended = false;
    FEdit.setUpdatesEnabled(true);
}

void TVxQtMessageLog::SuspendRepaint() {
    if (FUpdateDepth == 0 || FRepaintSuspended)
        return;
    FRepaintSuspended = true;
    FEdit.setUpdatesEnabled(false);
}
