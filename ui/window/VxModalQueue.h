#pragma once

// Work that must not change the game under an open modal dialog or box: a
// file handed over or dropped while the trade dialog (or a message box) is
// up would replace the game the dialog is about to settle against.  Run()
// does the work at once while no modal window is open, and otherwise keeps
// it, in order, until the last modal window has closed.
//
// Waiting work runs from the event loop, after the code that opened the
// dialog has finished with it (a trade is settled before a waiting file is
// loaded).  Work that opens a modal box itself makes the rest wait again.

#include <QList>
#include <QObject>

#include <functional>

class QWidget;

class TVxModalQueue : public QObject {
    Q_OBJECT
public:
    // `window` is the window that the modal dialogs block.
    explicit TVxModalQueue(QWidget& window);

    void Run(std::function<void()> work);

    // A modal dialog or box is open.
    static bool ModalOpen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RunWaiting();
    bool Waiting() const { return !FWaiting.isEmpty(); }

    QWidget& FWindow;
    QList<std::function<void()>> FWaiting;
    bool FRunning = false;
};
