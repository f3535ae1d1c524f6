#pragma once

// The running instance's side of the hand-off.  Requests reach the window
// through one signal, copyDataReceived, in the order they came, and only
// once the window is ready for them: until Release() they are held (the
// window's first activation starts the new game, and a path handed over
// before that must be opened after it, not overwritten by it).  The window
// calls Release when its first activation has run.
//
// Requests are delivered from the event loop, never from inside the call
// that accepted them.  A handler that opens a modal box lets further
// requests arrive meanwhile; they wait until it has returned, so the
// window never handles two at once.

#include "app/VxCopyData.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

class TVxCopyDataReceiver : public QObject {
    Q_OBJECT
public:
    explicit TVxCopyDataReceiver(QObject* parent = nullptr);

    // The window that comes to the front on every hand-off from another
    // process.
    void AttachWindow(QWidget* window);

    // A request from another process: the window comes to the front, and a
    // request that carries a text is accepted.
    void HandOff(int32_t kind, const QString& text);

    // Queues one request for the window, to be delivered from the event
    // loop unless held.
    void Accept(int32_t kind, const QString& text);

    bool Holding() const { return FHolding; }
    // Delivers what was held and everything after it as it comes.
    void Release();

signals:
    void copyDataReceived(int kind, const QString& text);

private:
    void BringWindowToFront();
    void DeliverPending();

    QPointer<QWidget> FWindow;
    QList<TVxCopyData> FPending;
    bool FHolding = true;
    bool FDelivering = false;
};
