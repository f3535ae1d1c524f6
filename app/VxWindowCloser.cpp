#include "app/VxWindowCloser.h"

#include <QApplication>
#include <QThread>
#include <QWidget>

namespace {

constexpr int PollInterval = 20; // ms

} // namespace

TVxWindowCloser::TVxWindowCloser(QWidget& window, QObject* parent)
    : QObject(parent), FWindow(window) {
    FPoll.setInterval(PollInterval);
    connect(&FPoll, &QTimer::timeout, this, &TVxWindowCloser::Step);
}

void TVxWindowCloser::Close() {
    if (!FPoll.isActive())
        FPoll.start();
}

void TVxWindowCloser::Step() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        // A box without a button for Esc refuses its close box; hiding it
        // ends its loop all the same.
        if (!modal->close())
            modal->hide();
        return;
    }
    // A dismissed dialog's loop ends when control comes back to it; the
    // window closes only from the outermost loop, once every caller is done.
    if (QThread::currentThread()->loopLevel() > 1)
        return;
    FPoll.stop();
    FWindow.close();
}
