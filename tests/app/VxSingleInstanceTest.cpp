// One instance per user: claiming the name, recovering it from a crashed
// instance, and handing a path (or only a wake-up) to the running one.
// Senders run on a thread of their own, as they would in a second process,
// because they block until the running instance answers.

#include "app/VxSingleInstance.h"

#include <QApplication>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Runs `work` on another thread while this one serves its event loop.
bool OnOtherThread(const std::function<bool()>& work) {
    bool result = false;
    const std::unique_ptr<QThread> thread(QThread::create([&] { result = work(); }));
    thread->start();
    if (!QTest::qWaitFor([&] { return thread->isFinished(); }, 3 * CopyDataTimeout))
        qFatal("the sender never returned");
    return result;
}

// The socket file a crashed instance leaves: bound once, nobody listening.
bool LeaveStaleSocket(const QString& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
    const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return bound;
}

using TListVariant = QList<QVariant>;

} // namespace

class VxSingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        FFolder = std::make_unique<QTemporaryDir>();
        QVERIFY(FFolder->isValid());
        FName = FFolder->filePath(QStringLiteral("hTovricRidolt"));
    }

    void cleanup() { FFolder.reset(); }

    void defaultNameIsTheUsersOwn() {
        const QString name = TVxSingleInstance::DefaultServerName();
        QVERIFY2(name.endsWith(QStringLiteral("/hTovricRidolt")), qPrintable(name));
        QVERIFY(name.startsWith(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)));
    }

    void onlyOneInstanceClaimsTheName() {
        TVxSingleInstance first(FName);
        TVxSingleInstance second(FName);
        QVERIFY(first.Claim());
        QVERIFY(first.Listening());
        QVERIFY(!second.Claim());
        QVERIFY(!second.Listening());
        QVERIFY(first.Listening());
        QVERIFY(QFileInfo(FName).exists());
    }

    void nameIsFreeAgainAfterTheInstanceEnds() {
        {
            TVxSingleInstance first(FName);
            QVERIFY(first.Claim());
        }
        TVxSingleInstance next(FName);
        QVERIFY(next.Claim());
    }

    void socketIsPrivateToItsUser() {
        TVxSingleInstance instance(FName);
        QVERIFY(instance.Claim());
        struct stat status {};
        QCOMPARE(stat(QFile::encodeName(FName).constData(), &status), 0);
        QVERIFY(S_ISSOCK(status.st_mode));
        QCOMPARE(status.st_mode & (S_IRWXG | S_IRWXO), 0u);
        QCOMPARE(status.st_uid, geteuid());
    }

    void leftoversOfACrashAreReplaced_data() {
        QTest::addColumn<bool>("socketFile");
        QTest::newRow("socket file") << true;
        QTest::newRow("plain file") << false;
    }

    void leftoversOfACrashAreReplaced() {
        QFETCH(bool, socketFile);
        if (socketFile) {
            QVERIFY(LeaveStaleSocket(FName));
        } else {
            QFile file(FName);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        TVxSingleInstance instance(FName);
        QVERIFY(instance.Claim());
        QVERIFY(instance.Listening());
        TVxSingleInstance second(FName);
        QVERIFY(!second.Claim());
    }

    void pathReachesTheReceiverAndTheSenderGetsItsAnswer() {
        TVxSingleInstance running(FName);
        QVERIFY(running.Claim());
        running.Receiver()->Release();
        QSignalSpy received(running.Receiver(), &TVxCopyDataReceiver::copyDataReceived);
        const QString path = QStringLiteral("/home/ユーザー/My Games/セーブ 1.sav");

        const TVxSingleInstance second(FName);
        QVERIFY(OnOtherThread([&] { return second.HandOff(path); }));
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received.at(0), (TListVariant{CopyDataOpenPath, path}));
    }

    // The answer says the request was taken in; a request held for the
    // window's first activation does not keep the sender waiting.
    void heldRequestIsAnsweredAtOnce() {
        TVxSingleInstance running(FName);
        QVERIFY(running.Claim());
        QSignalSpy received(running.Receiver(), &TVxCopyDataReceiver::copyDataReceived);
        QVERIFY(
            OnOtherThread([&] { return SendCopyDataString(FName, QStringLiteral("/a.sav"), 1); }));
        QTest::qWait(20);
        QCOMPARE(received.size(), 0);
        running.Receiver()->Release();
        QCOMPARE(received.size(), 1);
    }

    void startWithoutPathOnlyWakesTheWindow() {
        QWidget game;
        QWidget other;
        TVxSingleInstance running(FName);
        QVERIFY(running.Claim());
        running.Receiver()->AttachWindow(&game);
        running.Receiver()->Release();
        QSignalSpy received(running.Receiver(), &TVxCopyDataReceiver::copyDataReceived);
        game.show();
        other.show();
        other.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &other);

        const TVxSingleInstance second(FName);
        QVERIFY(OnOtherThread([&] { return second.HandOff(QString()); }));
        QTRY_COMPARE(QApplication::activeWindow(), &game);
        QTest::qWait(20);
        QCOMPARE(received.size(), 0);
    }

    void requestInPiecesIsPutTogether() {
        TVxSingleInstance running(FName);
        QVERIFY(running.Claim());
        running.Receiver()->Release();
        QSignalSpy received(running.Receiver(), &TVxCopyDataReceiver::copyDataReceived);
        const QByteArray request = EncodeCopyData(1, QStringLiteral("/saves/9savedata.sav"));
        QVERIFY(OnOtherThread([&] {
            QLocalSocket socket;
            socket.connectToServer(FName);
            if (!socket.waitForConnected(1000))
                return false;
            for (qsizetype at = 0; at < request.size(); at += 5) {
                socket.write(request.mid(at, 5));
                socket.waitForBytesWritten(1000);
                QThread::msleep(2);
            }
            return socket.waitForReadyRead(CopyDataTimeout) && socket.readAll() == CopyDataAnswer();
        }));
        QTRY_COMPARE(received.size(), 1);
        QCOMPARE(received.at(0).at(1).toString(), QStringLiteral("/saves/9savedata.sav"));
    }

    void foreignClientIsDisconnected() {
        TVxSingleInstance running(FName);
        QVERIFY(running.Claim());
        running.Receiver()->Release();
        QSignalSpy received(running.Receiver(), &TVxCopyDataReceiver::copyDataReceived);
        QVERIFY(OnOtherThread([&] {
            QLocalSocket socket;
            socket.connectToServer(FName);
            socket.waitForConnected(1000);
            socket.write("GET / HTTP/1.0\r\n\r\n");
            socket.waitForBytesWritten(1000);
            return socket.waitForDisconnected(CopyDataTimeout);
        }));
        QVERIFY(
            OnOtherThread([&] { return SendCopyDataString(FName, QStringLiteral("/a.sav"), 1); }));
        QTRY_COMPARE(received.size(), 1);
    }

    void nobodyListening() { QVERIFY(!SendCopyDataString(FName, QStringLiteral("/a.sav"), 1)); }

private:
    std::unique_ptr<QTemporaryDir> FFolder;
    QString FName;
};

QTEST_MAIN(VxSingleInstanceTest)
#include "VxSingleInstanceTest.moc"
