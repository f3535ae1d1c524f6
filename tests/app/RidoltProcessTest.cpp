// Real starts of the game executable: a second start hands its path to the
// running instance and ends, and the first start takes the name, also from
// a crashed predecessor.  Each test gives the processes a runtime folder of
// their own, so they never meet a game the user is playing.

#include "VxCopyData.h"
#include "VxSingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

namespace {

QString Executable() {
    const QString configured = qEnvironmentVariable("RIDOLT_EXECUTABLE");
    if (!configured.isEmpty())
        return configured;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../app/ridolt");
}

bool OnOtherThread(const std::function<bool()>& work) {
    bool result = false;
    const std::unique_ptr<QThread> thread(QThread::create([&] { result = work(); }));
    thread->start();
    if (!QTest::qWaitFor([&] { return thread->isFinished(); }, 3 * CopyDataTimeout))
        qFatal("the sender never returned");
    return result;
}

using TListVariant = QList<QVariant>;

} // namespace

class RidoltProcessTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QFileInfo(Executable()).isExecutable())
            QSKIP("the game executable has not been built");
    }

    void init() {
        FRuntime = std::make_unique<QTemporaryDir>();
        QVERIFY(FRuntime->isValid());
        FName = FRuntime->filePath(QStringLiteral("hTovricRidolt"));
    }

    void cleanup() {
        for (const auto& process : FProcesses) {
            process->kill();
            process->waitForFinished();
        }
        FProcesses.clear();
        FRuntime.reset();
    }

    void secondStartHandsItsPathOver_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("path"); // relative to the start folder; empty: wake-up only
        QTest::newRow("path") << QStringList{"/saves/My Games/セーブ 1.sav"}
                              << "/saves/My Games/セーブ 1.sav";
        QTest::newRow("relative path") << QStringList{"2savedata.sav"} << "2savedata.sav";
        QTest::newRow("second argument ignored")
            << QStringList{"/saves/a.sav", "/saves/b.sav"} << "/saves/a.sav";
        QTest::newRow("empty quotes, then a path")
            << QStringList{"", "/saves/a.sav"} << "/saves/a.sav";
        QTest::newRow("no argument") << QStringList{} << QString();
        QTest::newRow("empty quotes only") << QStringList{""} << QString();
    }

    // This test plays the running instance; the executable is the second start.
    void secondStartHandsItsPathOver() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, path);
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

        QProcess& second = Start(arguments);
        QVERIFY(WaitForExit(second));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE(QApplication::activeWindow(), &game);
        if (path.isEmpty()) {
            QTest::qWait(50);
            QCOMPARE(received.size(), 0);
        } else {
            QTRY_COMPARE(received.size(), 1);
            QCOMPARE(received.at(0), (TListVariant{CopyDataOpenPath,
                                                   QDir(FRuntime->path()).absoluteFilePath(path)}));
        }
    }

    void firstStartRunsAndLaterStartsEnd() {
        QProcess& first = Start({});
        QTRY_VERIFY_WITH_TIMEOUT(Answers(), 20000);
        QCOMPARE(first.state(), QProcess::Running);

        QProcess& second = Start({QStringLiteral("/saves/a.sav")});
        QVERIFY(WaitForExit(second));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
    }

    // A killed game leaves its socket behind; the next start takes it over.
    void startAfterACrashTakesTheName() {
        QProcess& crashed = Start({});
        QTRY_VERIFY_WITH_TIMEOUT(Answers(), 20000);
        crashed.kill();
        QVERIFY(crashed.waitForFinished());
        QVERIFY(QFileInfo::exists(FName));
        QVERIFY(!Answers());

        QProcess& next = Start({});
        QTRY_VERIFY_WITH_TIMEOUT(Answers(), 20000);
        QCOMPARE(next.state(), QProcess::Running);
    }

private:
    QProcess& Start(const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), FRuntime->path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(FRuntime->path());
        process->start(Executable(), arguments);
        FProcesses.push_back(std::move(process));
        return *FProcesses.back();
    }

    static bool WaitForExit(QProcess& process) {
        return QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; },
                               2 * CopyDataTimeout);
    }

    // Whether a game listens on the name and answers a wake-up.
    bool Answers() const {
        return OnOtherThread(
            [this] { return SendCopyDataString(FName, QString(), CopyDataActivate, 2000); });
    }

    std::unique_ptr<QTemporaryDir> FRuntime;
    QString FName;
    std::vector<std::unique_ptr<QProcess>> FProcesses;
};

QTEST_MAIN(RidoltProcessTest)
#include "RidoltProcessTest.moc"
