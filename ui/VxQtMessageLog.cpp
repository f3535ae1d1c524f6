#include "VxQtMessageLog.h"

#include <QPlainTextEdit>
#include <QScrollBar>

void TVxQtMessageLog::Append(const std::string& line) {
    QString text = QString::fromStdString(line);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    FEdit.appendPlainText(text);
    // Scroll to the new line even when the player had scrolled up.
    FEdit.moveCursor(QTextCursor::End);
    FEdit.ensureCursorVisible();
}

void TVxQtMessageLog::Clear() {
    FEdit.clear();
}

void TVxQtMessageLog::BeginUpdate() {
    if (FUpdateDepth++ == 0)
        FEdit.setUpdatesEnabled(false);
}

void TVxQtMessageLog::EndUpdate() {
    if (FUpdateDepth == 0)
        return;
    if (--FUpdateDepth == 0)
        FEdit.setUpdatesEnabled(true);
}
