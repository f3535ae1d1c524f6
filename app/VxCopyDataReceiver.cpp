#include "app/VxCopyDataReceiver.h"

#include <QApplication>
#include <QScopeGuard>
#include <QWidget>

TVxCopyDataReceiver::TVxCopyDataReceiver(QObject* parent) : QObject(parent) {}

void TVxCopyDataReceiver::AttachWindow(QWidget* window) {
    FWindow = window;
}

void TVxCopyDataReceiver::HandOff(int32_t kind, const QString& text) {
    BringWindowToFront();
    if (kind != CopyDataActivate)
        Accept(kind, text);
}

void TVxCopyDataReceiver::Accept(int32_t kind, const QString& text) {
    FPending.append(TVxCopyData{kind, text});
    // Delivered from the event loop, so the socket code that accepted the
    // request never runs the window's handler (and its modal boxes) itself.
    QMetaObject::invokeMethod(this, &TVxCopyDataReceiver::DeliverPending, Qt::QueuedConnection);
}

void TVxCopyDataReceiver::Release() {
    FHolding = false;
    DeliverPending();
}

void TVxCopyDataReceiver::DeliverPending() {
    if (FHolding || FDelivering)
        return;
    FDelivering = true;
    const auto delivered = qScopeGuard([this] { FDelivering = false; });
    while (!FPending.isEmpty()) {
        const TVxCopyData data = FPending.takeFirst();
        emit copyDataReceived(data.Kind, data.Text);
    }
}

void TVxCopyDataReceiver::BringWindowToFront() {
    if (!FWindow)
        return;
    // Restoring a minimised window is what a player expects of "to the front".
    if (FWindow->isMinimized())
        FWindow->setWindowState(FWindow->windowState() & ~Qt::WindowMinimized);
    FWindow->show();
    FWindow->raise();
    FWindow->activateWindow();
    // A dialog or box open over the window stays in front of it: without a
    // window manager to keep it there, raising the window would bury it.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}
