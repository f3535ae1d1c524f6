#pragma once

// The help in a window of the game's own, for a desktop where no program
// takes HTML files: the help file with its links working (the contents at
// the top jump within the page, web and mail addresses go to the desktop).
// It is not modal, so the game can be played beside it; Esc closes it, and
// it is freed when closed.

#include <QTextBrowser>

class TVxHelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    // Shows the HTML file at `path` in a window over `parent`'s, which it
    // closes with; a missing file is named in the window instead.
    explicit TVxHelpWindow(const QString& path, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
