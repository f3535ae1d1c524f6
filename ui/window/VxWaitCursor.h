#pragma once

// Shows the hourglass cursor for the life of a scope and restores the
// previous cursor when it ends, also by an exception.

#include <QCursor>
#include <QGuiApplication>

class TVxWaitCursor {
public:
    TVxWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TVxWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TVxWaitCursor(const TVxWaitCursor&) = delete;
    TVxWaitCursor& operator=(const TVxWaitCursor&) = delete;
};
