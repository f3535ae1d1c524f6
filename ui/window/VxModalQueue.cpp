#include "ui/window/VxModalQueue.h"

#include <QApplication>
#include <QEvent>
#include <QScopedValueRollback>
#include <QWidget>

TVxModalQueue::TVxModalQueue(QWidget& window) : QObject(&window), FWindow(window) {
    FWindow.installEventFilter(this);
}

bool TVxModalQueue::ModalOpen() {
    return QApplication::activeModalWidget() != nullptr;
}

void TVxModalQueue::Run(std::function<void()> work) {
    FWaiting.append(std::move(work));
    if (!ModalOpen())
        RunWaiting();
}

bool TVxModalQueue::eventFilter(QObject* watched, QEvent* event) {
    // The window is told when the last modal window over it has closed.
    // The dialog's caller is still busy with its result then: the waiting
    // work runs once control is back in the event loop.
    if (watched == &FWindow && event->type() == QEvent::WindowUnblocked && Waiting())
        QMetaObject::invokeMethod(this, &TVxModalQueue::RunWaiting, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void TVxModalQueue::RunWaiting() {
    if (FRunning)
        return;
    const QScopedValueRollback running(FRunning, true);
    while (!FWaiting.isEmpty() && !ModalOpen())
        FWaiting.takeFirst()();
}
