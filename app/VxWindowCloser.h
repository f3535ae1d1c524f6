#pragma once

// Closes a window on behalf of the desktop (a logout, a termination
// signal) the way the player would: every open box and dialog is dismissed
// first, as by its close box or Esc, and the window is closed only once
// the code that opened them is done with their answers.  Closed under an
// open dialog, the window would keep what that code has not finished yet,
// and the program would not end while the dialog's own loop runs.

#include <QObject>
#include <QTimer>

class QWidget;

class TVxWindowCloser : public QObject {
    Q_OBJECT
public:
    explicit TVxWindowCloser(QWidget& window, QObject* parent = nullptr);

    // Starts closing; the window closes from the event loop.  Asking again
    // while closing changes nothing.
    void Close();

private:
    void Step();

    QWidget& FWindow;
    // Polls, since a dismissed dialog's caller returns whenever it does.
    QTimer FPoll;
};
