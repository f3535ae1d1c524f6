#pragma once

// The game's message log shown in a read-only plain-text box: every line is
// appended and scrolled into view; repainting can be suspended while a
// month writes many lines.

#include "game/VxMessageSinks.h"

class QPlainTextEdit;

class TVxQtMessageLog : public IVxMessageLog {
public:
    explicit TVxQtMessageLog(QPlainTextEdit& edit) : FEdit(edit) {}

    void Append(const std::string& line) override;
    void Clear() override;
    // Nested pairs suspend once; the outermost EndUpdate repaints if a line
    // was written or the log cleared in between.
    void BeginUpdate() override;
    void EndUpdate() override;

private:
    // Turning updates back on repaints the whole box, so they are turned
    // off only by the first change within an update.
    void SuspendRepaint();

    QPlainTextEdit& FEdit;
    int FUpdateDepth = 0;
    bool FRepaintSuspended = false;
};
