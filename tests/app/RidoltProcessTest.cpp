// Real starts of the game executable: a second start hands its path to the
// running instance and ends, the running game opens a save file named on
// its own command line or handed over by a second start, and the first
// start takes the name, also from a crashed predecessor.  Each test gives
// the processes a runtime folder of their own, so they never meet a game
// the user is playing.
//
// The game runs offscreen, so what it does with a save file is seen from
// outside, by inotify on the file's folder: the file is opened and closed
// again without being written.  That it is loaded into the game, after the
// new game and with the window refreshed, the window's own tests show.

#include "app/VxCopyData.h"
#include "app/VxSingleInstance.h"
#include "game/VxGame.h"
#include "game/VxRandom.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <memory>

#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

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

// Counts how often any process opens one file, and how often it closes it
// unwritten.  Create it after the file is written: the writer's own open
// counts too.
class TFileOpenWatch {
public:
    explicit TFileOpenWatch(const QString& path)
        : FName(QFile::encodeName(QFileInfo(path).fileName())),
          FDescriptor(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
        if (FDescriptor < 0 ||
            inotify_add_watch(FDescriptor, folder.constData(), IN_OPEN | IN_CLOSE_NOWRITE) < 0)
            qFatal("cannot watch %s", folder.constData());
    }
    ~TFileOpenWatch() { close(FDescriptor); }
    TFileOpenWatch(const TFileOpenWatch&) = delete;
    TFileOpenWatch& operator=(const TFileOpenWatch&) = delete;

    int Opens() {
        Drain();
        return FOpens;
    }
    int ReadCloses() {
        Drain();
        return FReadCloses;
    }

private:
    void Drain() {
        alignas(inotify_event) char buffer[4096];
        ssize_t length;
        while ((length = read(FDescriptor, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0 && FName == event->name) {
                    FOpens += (event->mask & IN_OPEN) ? 1 : 0;
                    FReadCloses += (event->mask & IN_CLOSE_NOWRITE) ? 1 : 0;
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

    QByteArray FName;
    int FDescriptor;
    int FOpens = 0;
    int FReadCloses = 0;
};

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

    // The game opens the path of its own command line, once.
    void firstStartOpensItsPathOnce() {
        const QString save = WriteSaveFile();
        TFileOpenWatch watch(save);
        QProcess& first = Start({save});
        QTRY_VERIFY_WITH_TIMEOUT(Answers(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(watch.ReadCloses() > 0, 20000);
        QTest::qWait(300); // a second open would follow at once
        QCOMPARE(watch.Opens(), 1);
        QCOMPARE(watch.ReadCloses(), 1);
        QCOMPARE(first.state(), QProcess::Running);
    }

    void secondStartMakesTheRunningGameOpenItsSaveFile() {
        const QString save = WriteSaveFile();
        QProcess& first = Start({});
        QTRY_VERIFY_WITH_TIMEOUT(Answers(), 20000);
        TFileOpenWatch watch(save);

        // While the game is stopped it takes no request in, so an open seen
        // meanwhile would be the second start's own.
        QCOMPARE(::kill(static_cast<pid_t>(first.processId()), SIGSTOP), 0);
        QProcess& second = Start({save});
        QTest::qWait(1500);
        QCOMPARE(watch.Opens(), 0);
        QCOMPARE(second.state(), QProcess::Running); // waits for the game's answer
        QCOMPARE(::kill(static_cast<pid_t>(first.processId()), SIGCONT), 0);

        QVERIFY(WaitForExit(second));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(watch.ReadCloses() > 0, 20000);
        QTest::qWait(300);
        QCOMPARE(watch.Opens(), 1);
        QCOMPARE(watch.ReadCloses(), 1);
        QCOMPARE(first.state(), QProcess::Running);
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

    // A wrong command line ends at once with status 2, before any window,
    // saying what is wrong; Qt's own options still work.
    void aWrongCommandLineEndsWithStatus2_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown option")
            << QStringList{"--bogus"} << QStringLiteral("ridolt: 不明なオプションです: --bogus\n");
        QTest::newRow("unknown option after Qt's own")
            << QStringList{"-platform", "offscreen", "-x"}
            << QStringLiteral("ridolt: 不明なオプションです: -x\n");
        QTest::newRow("bad seed") << QStringList{"--seed", "x"}
                                  << QStringLiteral(
                                         "ridolt: --seed には 0 から "
                                         "18446744073709551615 までの整数を指定してください。\n");
    }
    void aWrongCommandLineEndsWithStatus2() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QProcess& process = Start(arguments);
        QVERIFY(WaitForExit(process));
        QCOMPARE(process.exitCode(), 2);
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
                 error + QStringLiteral("ridolt --help で使い方を表示します。\n"));
        QVERIFY2(!Answers(), "no game ran");
    }

    // The language of the command line's texts: English where the locale
    // asks for it or --language en, Japanese otherwise; a wrong language is
    // a usage error like a wrong seed.
    void theCommandLineSpeaksTheLanguageChosen_data() {
        QTest::addColumn<QStringList>("locale");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("firstLine"); // of standard output, or else of standard error
        const QString japaneseUsage = QStringLiteral("使い方: ridolt [オプション] [ファイル]");
        const QString englishUsage = QStringLiteral("Usage: ridolt [options] [file]");
        QTest::newRow("no locale") << QStringList{} << QStringList{"--help"} << 0 << japaneseUsage;
        QTest::newRow("C locale") << QStringList{"LANG=C.UTF-8"} << QStringList{"--help"} << 0
                                  << japaneseUsage;
        QTest::newRow("English LANG")
            << QStringList{"LANG=en_US.UTF-8"} << QStringList{"--help"} << 0 << englishUsage;
        QTest::newRow("LANGUAGE before LANG")
            << QStringList{"LANGUAGE=en_GB:ja", "LANG=ja_JP.UTF-8"} << QStringList{"--help"} << 0
            << englishUsage;
        QTest::newRow("LC_ALL before LANG") << QStringList{"LC_ALL=ja_JP.UTF-8", "LANG=en_US.UTF-8"}
                                            << QStringList{"--help"} << 0 << japaneseUsage;
        QTest::newRow("--language en")
            << QStringList{} << QStringList{"--language", "en", "--help"} << 0 << englishUsage;
        QTest::newRow("--language=ja over the locale")
            << QStringList{"LANG=en_US.UTF-8"} << QStringList{"--language=ja", "--help"} << 0
            << japaneseUsage;
        QTest::newRow("English error")
            << QStringList{} << QStringList{"--language", "en", "--seed", "x"} << 2
            << QStringLiteral(
                   "ridolt: --seed takes a whole number from 0 to 18446744073709551615.");
        QTest::newRow("bad language")
            << QStringList{} << QStringList{"--language", "fr"} << 2
            << QStringLiteral("ridolt: --language には ja か en を指定してください。");
        QTest::newRow("bad language, English locale")
            << QStringList{"LANG=en_US.UTF-8"} << QStringList{"--language=de"} << 2
            << QStringLiteral("ridolt: --language takes ja or en.");
    }
    void theCommandLineSpeaksTheLanguageChosen() {
        QFETCH(QStringList, locale);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, firstLine);
        QProcess& process = Start(arguments, locale);
        QVERIFY(WaitForExit(process));
        QCOMPARE(process.exitCode(), status);
        const QByteArray output =
            status == 0 ? process.readAllStandardOutput() : process.readAllStandardError();
        QCOMPARE(QString::fromUtf8(output).section(u'\n', 0, 0), firstLine);
        QVERIFY2(!Answers(), "no game ran");
    }

    // A path that names no file: the game starts with a new game and says
    // on standard error why the path was not opened (the window says it in
    // its status bar too).
    void aPathThatNamesNoFileIsToldOnStandardError() {
        QProcess& game = Start({QStringLiteral("missing.sav")});
        QTRY_VERIFY_WITH_TIMEOUT(Answers(), 20000);
        QString err;
        QTRY_COMPARE(
            (err += QString::fromUtf8(game.readAllStandardError()))
                .split(u'\n')
                .filter(QStringLiteral("missing.sav"))
                .value(0),
            QStringLiteral("ridolt: %1: ファイルを開けませんでした。"
                           "ファイルまたはフォルダがありません。(No such file or directory)")
                .arg(QDir(FRuntime->path()).absoluteFilePath(QStringLiteral("missing.sav"))));
        QCOMPARE(game.state(), QProcess::Running);
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
    // Starts the game in a Japanese-speaking environment unless `locale`
    // names variables of its own ("LANG=en_US.UTF-8").
    QProcess& Start(const QStringList& arguments, const QStringList& locale = {}) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
            environment.remove(QString::fromLatin1(name));
        for (const QString& variable : locale)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), FRuntime->path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(FRuntime->path());
        process->start(Executable(), arguments);
        FProcesses.push_back(std::move(process));
        return *FProcesses.back();
    }

    // A save file of a fresh game, in a folder with blanks and Japanese.
    QString WriteSaveFile() const {
        const QString folder = FRuntime->filePath(QStringLiteral("マイ ゲーム"));
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/セーブ 1.sav");
        TVxSeededRandom random(7);
        TVxGame game;
        game.SetRandom(&random);
        game.NewGame();
        game.SaveToFile(QFile::encodeName(path).toStdString());
        return path;
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
