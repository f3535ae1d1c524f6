#include "app/VxSingleInstance.h"

#include "app/VxAppInfo.h"

#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// How long a probe waits for a live instance to take its connection.
constexpr int ProbeTimeout = 1000;
// How long a start waits while another one recovers from a crash.
constexpr int RecoveryTimeout = 5000;

} // namespace

TVxSingleInstance::TVxSingleInstance(const QString& serverName, QObject* parent)
    : QObject(parent), FServerName(serverName) {
    connect(&FServer, &QLocalServer::newConnection, this, &TVxSingleInstance::AcceptConnections);
}

QString TVxSingleInstance::DefaultServerName() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime + u'/' + VxAppInfo::InstanceName();
    return VxAppInfo::InstanceName() + u'-' + QString::number(getuid());
}

bool TVxSingleInstance::Listen() {
    // QLocalServer::UserAccessOption binds under a temporary name and then
    // renames the socket over whatever holds the name, so a second listen
    // would silently take over the first one's name.  A plain bind fails
    // when the name exists, and the mask keeps the new socket private.
    const mode_t previousMask = umask(S_IRWXG | S_IRWXO);
    const bool listening = FServer.listen(FServerName);
    umask(previousMask);
    return listening;
}

bool TVxSingleInstance::InstanceAnswers() const {
    QLocalSocket probe;
    probe.connectToServer(FServerName);
    return probe.waitForConnected(ProbeTimeout);
}

bool TVxSingleInstance::Claim() {
    if (Listen())
        return true;
    if (FServer.serverError() != QAbstractSocket::AddressInUseError) {
        qWarning("%s: %s", qPrintable(FServerName), qPrintable(FServer.errorString()));
        return true;
    }
    // The name is taken: by a live instance, or by the socket file of one
    // that crashed.  Two starts may find the same stale file; the lock lets
    // only one of them replace it, and the other then finds the new owner.
    QLockFile recovery(FServerName + QStringLiteral(".lock"));
    if (!recovery.tryLock(RecoveryTimeout))
        return !InstanceAnswers();
    if (InstanceAnswers())
        return false;
    QLocalServer::removeServer(FServerName);
    if (!Listen())
        qWarning("%s: %s", qPrintable(FServerName), qPrintable(FServer.errorString()));
    return true;
}

bool TVxSingleInstance::HandOff(const QString& path) const {
    return path.isEmpty() ? SendCopyDataString(FServerName, QString(), CopyDataActivate)
                          : SendCopyDataString(FServerName, path, CopyDataOpenPath);
}

void TVxSingleInstance::AcceptConnections() {
    while (QLocalSocket* socket = FServer.nextPendingConnection()) {
        // Bytes of a request that has not fully arrived yet.
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, buffer] { ReadRequests(socket, *buffer); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void TVxSingleInstance::ReadRequests(QLocalSocket* socket, QByteArray& buffer) {
    buffer += socket->readAll();
    TVxCopyData data;
    for (;;) {
        switch (DecodeCopyData(buffer, data)) {
        case TVxDecodeResult::Incomplete:
            return;
        case TVxDecodeResult::Invalid:
            socket->abort();
            return;
        case TVxDecodeResult::Complete:
            FReceiver.HandOff(data.Kind, data.Text);
            socket->write(CopyDataAnswer());
            break;
        }
    }
}
