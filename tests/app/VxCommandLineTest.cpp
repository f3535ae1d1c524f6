// The game's command line: which argument is the path, when the options
// apply, and the texts they print.

#include "app/VxCommandLine.h"

#include <QDir>
#include <QTest>

Q_DECLARE_METATYPE(TVxStartAction)

class VxCommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<TVxStartAction>("action");
        QTest::addColumn<QString>("path");
        const auto run = TVxStartAction::Run;
        const auto help = TVxStartAction::ShowHelp;
        const auto version = TVxStartAction::ShowVersion;
        QTest::newRow("nothing") << QStringList{"ridolt"} << run << QString();
        QTest::newRow("empty quotes only") << QStringList{"ridolt", ""} << run << QString();
        QTest::newRow("empty quotes, then a path")
            << QStringList{"ridolt", "", "/saves/a.sav"} << run << "/saves/a.sav";
        QTest::newRow("only the first path counts")
            << QStringList{"ridolt", "/saves/a.sav", "/saves/b.sav"} << run << "/saves/a.sav";
        QTest::newRow("blanks inside the path")
            << QStringList{"ridolt", "/home/user/My Games/セーブ 1.sav"} << run
            << "/home/user/My Games/セーブ 1.sav";
        QTest::newRow("relative path") << QStringList{"ridolt", "saves/a.sav"} << run
                                       << QDir::current().absoluteFilePath("saves/a.sav");
        QTest::newRow("--help") << QStringList{"ridolt", "--help"} << help << QString();
        QTest::newRow("-h") << QStringList{"ridolt", "-h"} << help << QString();
        QTest::newRow("--version") << QStringList{"ridolt", "--version"} << version << QString();
        QTest::newRow("-v") << QStringList{"ridolt", "-v"} << version << QString();
        QTest::newRow("option after the path is ignored")
            << QStringList{"ridolt", "/saves/a.sav", "--help"} << run << "/saves/a.sav";
        QTest::newRow("unknown option is a path")
            << QStringList{"ridolt", "--load"} << run << QDir::current().absoluteFilePath("--load");
        QTest::newRow("option with a value is a path")
            << QStringList{"ridolt", "--help=all"} << run
            << QDir::current().absoluteFilePath("--help=all");
        QTest::newRow("no program name") << QStringList{} << run << QString();
    }

    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(TVxStartAction, action);
        QFETCH(QString, path);
        const TVxCommandLine commandLine = ParseCommandLine(arguments);
        QCOMPARE(commandLine.Action, action);
        QCOMPARE(commandLine.Path, path);
    }

    void helpText() {
        const QString text = CommandLineHelpText(QStringLiteral("ridolt"));
        QVERIFY(text.startsWith(QStringLiteral("使い方: ridolt [オプション] [ファイル]\n")));
        QVERIFY(text.endsWith(QStringLiteral("オプション:\n"
                                             "  -h, --help     このヘルプを表示します。\n"
                                             "  -v, --version  バージョン情報を表示します。\n")));
    }

    void versionText() {
        QVERIFY(CommandLineVersionText().startsWith(QStringLiteral("リドルト 1.00\n")));
    }
};

QTEST_MAIN(VxCommandLineTest)
#include "VxCommandLineTest.moc"
