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

    // --language takes ja or en before the path, mixed with --seed, the
    // last one counting; anything else is a usage error.
    void language_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("language"); // "ja", "en"; empty: none, or refused
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("seed");
        QTest::addColumn<bool>("refused");
        QTest::newRow("none") << QStringList{"ridolt"} << QString() << QString() << QString()
                              << false;
        QTest::newRow("en") << QStringList{"ridolt", "--language", "en"} << "en" << QString()
                            << QString() << false;
        QTest::newRow("ja=") << QStringList{"ridolt", "--language=ja"} << "ja" << QString()
                             << QString() << false;
        QTest::newRow("with a seed and a path")
            << QStringList{"ridolt", "--seed", "7", "--language", "en", "/saves/a.sav"} << "en"
            << "/saves/a.sav"
            << "7" << false;
        QTest::newRow("the last one counts")
            << QStringList{"ridolt", "--language=en", "--seed=1", "--language", "ja"} << "ja"
            << QString() << "1" << false;
        QTest::newRow("after the path it is ignored")
            << QStringList{"ridolt", "/saves/a.sav", "--language", "en"} << QString()
            << "/saves/a.sav" << QString() << false;
        QTest::newRow("unknown language") << QStringList{"ridolt", "--language", "fr"} << QString()
                                          << QString() << QString() << true;
        QTest::newRow("a locale is no language") << QStringList{"ridolt", "--language", "en_US"}
                                                 << QString() << QString() << QString() << true;
        QTest::newRow("upper case") << QStringList{"ridolt", "--language=EN"} << QString()
                                    << QString() << QString() << true;
        QTest::newRow("without a value")
            << QStringList{"ridolt", "--language"} << QString() << QString() << QString() << true;
        QTest::newRow("empty") << QStringList{"ridolt", "--language="} << QString() << QString()
                               << QString() << true;
    }
    void language() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, language);
        QFETCH(QString, path);
        QFETCH(QString, seed);
        QFETCH(bool, refused);
        const TVxCommandLine commandLine = ParseCommandLine(arguments);
        QCOMPARE(commandLine.Action,
                 refused ? TVxStartAction::ShowUsageError : TVxStartAction::Run);
        if (refused) {
            QCOMPARE(commandLine.Error,
                     QStringLiteral("--language には ja か en を指定してください。"));
            QVERIFY(!commandLine.UnknownOption);
        }
        const QString parsed = !commandLine.Language ? QString()
                               : *commandLine.Language == TVxLanguage::English
                                   ? QStringLiteral("en")
                                   : QStringLiteral("ja");
        QCOMPARE(parsed, language);
        QCOMPARE(commandLine.Path, path);
        QCOMPARE(commandLine.Seed ? QString::number(*commandLine.Seed) : QString(), seed);
    }

    // The environment's language, as gettext reads it: the first variable
    // set decides, English only where it begins with "en".
    void languageFromEnvironment_data() {
        QTest::addColumn<QStringList>("variables"); // NAME=value
        QTest::addColumn<bool>("english");
        QTest::newRow("nothing set") << QStringList{} << false;
        QTest::newRow("C") << QStringList{"LANG=C"} << false;
        QTest::newRow("POSIX") << QStringList{"LC_ALL=POSIX"} << false;
        QTest::newRow("C.UTF-8") << QStringList{"LANG=C.UTF-8"} << false;
        QTest::newRow("Japanese") << QStringList{"LANG=ja_JP.UTF-8"} << false;
        QTest::newRow("English LANG") << QStringList{"LANG=en_US.UTF-8"} << true;
        QTest::newRow("bare en") << QStringList{"LC_MESSAGES=en"} << true;
        QTest::newRow("another language") << QStringList{"LANG=de_DE.UTF-8"} << false;
        QTest::newRow("LANGUAGE first")
            << QStringList{"LANGUAGE=en:ja", "LANG=ja_JP.UTF-8"} << true;
        QTest::newRow("LANGUAGE listing Japanese first")
            << QStringList{"LANGUAGE=ja:en", "LANG=en_US.UTF-8"} << false;
        QTest::newRow("LC_ALL over LC_MESSAGES and LANG")
            << QStringList{"LC_ALL=C", "LC_MESSAGES=en_US.UTF-8", "LANG=en_US.UTF-8"} << false;
        QTest::newRow("LC_MESSAGES over LANG")
            << QStringList{"LC_MESSAGES=en_GB.UTF-8", "LANG=ja_JP.UTF-8"} << true;
        QTest::newRow("an empty variable is not set")
            << QStringList{"LANGUAGE=", "LC_ALL=", "LANG=en_US.UTF-8"} << true;
        QTest::newRow("not a prefix") << QStringList{"LANG=xen"} << false;
    }
    void languageFromEnvironment() {
        QFETCH(QStringList, variables);
        QFETCH(bool, english);
        const auto variable = [&](const char* name) {
            for (const QString& set : variables)
                if (set.section(u'=', 0, 0) == QLatin1String(name))
                    return set.section(u'=', 1).toUtf8();
            return QByteArray();
        };
        QCOMPARE(LanguageFromEnvironment(variable) == TVxLanguage::English, english);
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
            "オプション (--seed と --language はファイルより前に):\n"
            "  -h, --help            このヘルプを表示します。\n"
            "  -v, --version         バージョン情報を表示します。\n"
            "      --seed N          最初のゲームの市場をシード N (0〜18446744073709551615) "
            "から作ります。\n"
            "                        ridolt-sim run --seed N や serve --seed N と同じ市場です。\n"
            "      --language ja|en  ゲームの言葉を日本語 (ja) か英語 (en) にします。\n"
            "                        ないときはロケール (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) が "
            "en で始まれば英語です。\n")));
    }

    void versionText() {
        QVERIFY(CommandLineVersionText().startsWith(QStringLiteral("リドルト 1.00\n")));
    }
};

QTEST_MAIN(VxCommandLineTest)
#include "VxCommandLineTest.moc"
