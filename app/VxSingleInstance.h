#pragma once

// One running game per user.  The running instance listens on a local
// socket named after "hTovricRidolt"; listening is the mark, so the check
// and the claim are one atomic step.  A later start finds the name taken,
// hands its path to the listener and ends.
//
// The socket lies in the user's private runtime folder and is created
// readable and writable by its owner only: another user can neither reach
// the running game nor take its name.  A crashed instance leaves its socket
// file behind; a connect to it fails, and the file is then removed and the
// name claimed again.

#include "app/VxCopyDataReceiver.h"

#include <QLocalServer>
#include <QObject>
#include <QString>

class QLocalSocket;

class TVxSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit TVxSingleInstance(const QString& serverName = DefaultServerName(),
                               QObject* parent = nullptr);

    // The user's socket: <runtime folder>/hTovricRidolt, or a name with the
    // user id in the temporary folder when there is no runtime folder.
    static QString DefaultServerName();

    QString ServerName() const { return FServerName; }

    // True when this process is now the running instance; false when
    // another instance answers on the name.  A name that can be neither
    // claimed nor reached still yields true: the game then runs, only
    // without the hand-off.
    bool Claim();
    bool Listening() const { return FServer.isListening(); }

    // Sends `path` to the running instance (it opens it and comes to the
    // front), or only asks it to come to the front when `path` is empty.
    // True when the running instance answered.
    bool HandOff(const QString& path) const;

    // Where the requests of other processes arrive.
    TVxCopyDataReceiver* Receiver() { return &FReceiver; }

private:
    bool Listen();
    bool InstanceAnswers() const;
    void AcceptConnections();
    void ReadRequests(QLocalSocket* socket, QByteArray& buffer);

    QString FServerName;
    QLocalServer FServer;
    TVxCopyDataReceiver FReceiver;
};
