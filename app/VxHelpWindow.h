#pragma once

// The help in a window of the game's own, for a desktop where no program
// takes HTML files: the help file with its links working (the contents at
// the top jump within the page, web and mail addresses go to the desktop).
// It is not modal, so the game can be played beside it; Esc closes it, and
// it is freed when closed.
//
// The window holds the help as a document (TVxHelpDocument) that a screen
// reader reads line by line, link by link or all at once.  It opens within
// the available area of its screen, however small.

#include <QMainWindow>

class TVxHelpDocument;

class TVxHelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // Shows the HTML file at `path` in a window over `parent`'s, which it
    // closes with; a missing file is named in the window instead.
    explicit TVxHelpWindow(const QString& path, QWidget* parent = nullptr);

    // The help document.
    TVxHelpDocument& Document() const { return *FDocument; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Sizes and places the window within the available area of the screen
    // of the window it opens over, as near the middle of that window as
    // the area allows.
    void FitIntoScreen();

    TVxHelpDocument* FDocument;
};
