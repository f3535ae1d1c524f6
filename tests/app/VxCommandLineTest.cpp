// The game's command line: which argument is the path, the seed of the
// first game, when the options apply, and the texts they print.

#include "app/VxCommandLine.h"
#include "app/VxSeedText.h"
#include "game/VxSeed.h"

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
        QTest::addColumn<QString>("seed"); // empty: none
        const auto run = TVxStartAction::Run;
        const auto help = TVxStartAction::ShowHelp;
        const auto version = TVxStartAction::ShowVersion;
        QTest::newRow("nothing") << QStringList{"ridolt"} << run << QString() << QString();
        QTest::newRow("empty quotes only")
            << QStringList{"ridolt", ""} << run << QString() << QString();
        QTest::newRow("empty quotes, then a path")
            << QStringList{"ridolt", "", "/saves/a.sav"} << run << "/saves/a.sav" << QString();
        QTest::newRow("only the first path counts")
            << QStringList{"ridolt", "/saves/a.sav", "/saves/b.sav"} << run << "/saves/a.sav"
            << QString();
        QTest::newRow("blanks inside the path")
            << QStringList{"ridolt", "/home/user/My Games/セーブ 1.sav"} << run
            << "/home/user/My Games/セーブ 1.sav" << QString();
        QTest::newRow("relative path")
            << QStringList{"ridolt", "saves/a.sav"} << run
            << QDir::current().absoluteFilePath("saves/a.sav") << QString();
        QTest::newRow("--help") << QStringList{"ridolt", "--help"} << help << QString()
                                << QString();
        QTest::newRow("-h") << QStringList{"ridolt", "-h"} << help << QString() << QString();
        QTest::newRow("--version")
            << QStringList{"ridolt", "--version"} << version << QString() << QString();
        QTest::newRow("-v") << QStringList{"ridolt", "-v"} << version << QString() << QString();
        QTest::newRow("option after the path is ignored")
            << QStringList{"ridolt", "/saves/a.sav", "--help"} << run << "/saves/a.sav"
            << QString();
        QTest::newRow("a path that begins with a dash, after --")
            << QStringList{"ridolt", "--", "-game.sav"} << run
            << QDir::current().absoluteFilePath("-game.sav") << QString();
        QTest::newRow("-- alone") << QStringList{"ridolt", "--"} << run << QString() << QString();
        QTest::newRow("a lone dash is a path")
            << QStringList{"ridolt", "-"} << run << QDir::current().absoluteFilePath("-")
            << QString();
        QTest::newRow("no program name") << QStringList{} << run << QString() << QString();
        const auto error = TVxStartAction::ShowUsageError;
        QTest::newRow("unknown option")
            << QStringList{"ridolt", "--bogus"} << error << QString() << QString();
        QTest::newRow("unknown short option")
            << QStringList{"ridolt", "-x"} << error << QString() << QString();
        QTest::newRow("option with a value it does not take")
            << QStringList{"ridolt", "--help=all"} << error << QString() << QString();
        QTest::newRow("unknown option after a seed")
            << QStringList{"ridolt", "--seed", "7", "--load", "a.sav"} << error << QString()
            << QString();
        QTest::newRow("seed") << QStringList{"ridolt", "--seed", "7"} << run << QString() << "7";
        QTest::newRow("seed=") << QStringList{"ridolt", "--seed=7"} << run << QString() << "7";
        QTest::newRow("seed, then a path")
            << QStringList{"ridolt", "--seed", "42", "/saves/a.sav"} << run << "/saves/a.sav"
            << "42";
        QTest::newRow("largest seed") << QStringList{"ridolt", "--seed", "18446744073709551615"}
                                      << run << QString() << "18446744073709551615";
        QTest::newRow("the last seed counts")
            << QStringList{"ridolt", "--seed", "1", "", "--seed=2"} << run << QString() << "2";
        QTest::newRow("seed, then --help")
            << QStringList{"ridolt", "--seed", "1", "--help"} << help << QString() << "1";
        QTest::newRow("seed after the path is ignored")
            << QStringList{"ridolt", "/saves/a.sav", "--seed", "1"} << run << "/saves/a.sav"
            << QString();
        QTest::newRow("seed without a value")
            << QStringList{"ridolt", "--seed"} << error << QString() << QString();
        QTest::newRow("seed too large") << QStringList{"ridolt", "--seed", "18446744073709551616"}
                                        << error << QString() << QString();
        QTest::newRow("negative seed")
            << QStringList{"ridolt", "--seed", "-1"} << error << QString() << QString();
        QTest::newRow("seed that is no number")
            << QStringList{"ridolt", "--seed=a.sav"} << error << QString() << QString();
        QTest::newRow("empty seed")
            << QStringList{"ridolt", "--seed="} << error << QString() << QString();
    }

    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(TVxStartAction, action);
        QFETCH(QString, path);
        QFETCH(QString, seed);
        const TVxCommandLine commandLine = ParseCommandLine(arguments);
        QCOMPARE(commandLine.Action, action);
        QCOMPARE(commandLine.Path, path);
        QCOMPARE(commandLine.Seed ? QString::number(*commandLine.Seed) : QString(), seed);
        QCOMPARE(commandLine.Error.isEmpty(), action != TVxStartAction::ShowUsageError);
    }

    // Qt's own options are still on the command line the first time it is
    // read: an unknown option is told as such, so the program can wait
    // until Qt has taken its own out.
    void unknownOptionIsToldApart() {
        const TVxCommandLine unknown = ParseCommandLine({"ridolt", "--bogus"});
        QCOMPARE(unknown.Error, QStringLiteral("不明なオプションです: --bogus"));
        QVERIFY(unknown.UnknownOption);
        QVERIFY(!ParseCommandLine({"ridolt", "--seed", "x"}).UnknownOption);
    }

    // The command line and ridolt-sim take a seed as it stands; the seed
    // box takes it as a Japanese keyboard types it.
    void seedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("seed");  // empty: refused
        QTest::addColumn<QString>("typed"); // the seed box's reading; empty: refused
        QTest::newRow("zero") << "0"
                              << "0"
                              << "0";
        QTest::newRow("leading zeros") << "007"
                                       << "7"
                                       << "7";
        QTest::newRow("2^64 - 1") << "18446744073709551615"
                                  << "18446744073709551615"
                                  << "18446744073709551615";
        QTest::newRow("2^64") << "18446744073709551616" << QString() << QString();
        QTest::newRow("empty") << "" << QString() << QString();
        QTest::newRow("sign") << "+7" << QString() << QString();
        QTest::newRow("blank around") << " 7" << QString() << "7";
        QTest::newRow("hexadecimal") << "0x10" << QString() << QString();
        QTest::newRow("full-width digits") << "７" << QString() << "7";
        QTest::newRow("full-width, blanks around") << " ７ " << QString() << "7";
        QTest::newRow("full-width 2^64 - 1, ideographic space")
            << "\u3000１８４４６７４４０７３７０９５５１６１５\t" << QString()
            << "18446744073709551615";
        QTest::newRow("full-width 2^64")
            << "１８４４６７４４０７３７０９５５１６１６" << QString() << QString();
        QTest::newRow("blank inside") << "７ ７" << QString() << QString();
        QTest::newRow("full-width sign") << "＋７" << QString() << QString();
        QTest::newRow("blanks only") << "\u3000 " << QString() << QString();
    }

    void seedText() {
        QFETCH(QString, text);
        QFETCH(QString, seed);
        QFETCH(QString, typed);
        const std::optional<uint64_t> parsed = VxParseSeed(text.toStdString());
        QCOMPARE(parsed ? QString::number(*parsed) : QString(), seed);
        const std::optional<uint64_t> read = VxParseSeedText(text);
        QCOMPARE(read ? QString::number(*read) : QString(), typed);
    }

    void helpText() {
        const QString text = CommandLineHelpText(QStringLiteral("ridolt"));
        QVERIFY(text.startsWith(QStringLiteral("使い方: ridolt [オプション] [ファイル]\n")));
        QVERIFY(text.endsWith(QStringLiteral(
            "オプション (--seed はファイルより前に):\n"
            "  -h, --help     このヘルプを表示します。\n"
            "  -v, --version  バージョン情報を表示します。\n"
            "      --seed N   最初のゲームの市場をシード N (0〜18446744073709551615) "
            "から作ります。\n"
            "                 ridolt-sim run --seed N や serve --seed N と同じ市場です。\n")));
    }

    void versionText() {
        QVERIFY(CommandLineVersionText().startsWith(QStringLiteral("リドルト 1.00\n")));
    }
};

QTEST_MAIN(VxCommandLineTest)
#include "VxCommandLineTest.moc"
