#include "app/VxCommandLine.h"

#include "app/VxAppInfo.h"
#include "game/VxSeed.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace {

const QCommandLineOption& HelpOption() {
    static const QCommandLineOption option(
        QStringList{QStringLiteral("h"), QStringLiteral("help")});
    return option;
}

const QCommandLineOption& VersionOption() {
    static const QCommandLineOption option(
        QStringList{QStringLiteral("v"), QStringLiteral("version")});
    return option;
}

const QString SeedOptionName = QStringLiteral("--seed");
const QString LanguageOptionName = QStringLiteral("--language");

// One option of the option list of --help, its description in lines.
struct THelpLine {
    QString Syntax;
    QStringList Description;
};

QString OptionSyntax(const QCommandLineOption& option) {
    const QStringList names = option.names();
    return QStringLiteral("-%1, --%2").arg(names.at(0), names.at(1));
}

TVxCommandLine UnknownOption(const QString& option) {
    TVxCommandLine result;
    result.Action = TVxStartAction::ShowUsageError;
    result.Error =
        QCoreApplication::translate("VxCommandLine", "不明なオプションです: %1").arg(option);
    result.UnknownOption = true;
    return result;
}

TVxCommandLine UsageError(const QString& error) {
    TVxCommandLine result;
    result.Action = TVxStartAction::ShowUsageError;
    result.Error = error;
    return result;
}

QString SeedError() {
    return QCoreApplication::translate("VxCommandLine",
                                       "--seed には 0 から %1 までの整数を指定してください。")
        .arg(VxLargestSeed);
}

QString LanguageError() {
    return QCoreApplication::translate("VxCommandLine",
                                       "--language には ja か en を指定してください。");
}

// The value of the option `name` at `next`, as "name value" or "name=value",
// and `next` moved past it; none, and `next` left alone, when `next` is
// another argument.  The value is empty when the option ends the line.
std::optional<QString> OptionValue(const QString& name, QStringList::const_iterator& next,
                                   QStringList::const_iterator end) {
    if (*next == name) {
        ++next;
        return next != end ? *next++ : QString();
    }
    if (next->startsWith(name + u'='))
        return (next++)->mid(name.size() + 1);
    return std::nullopt;
}

} // namespace

TVxCommandLine ParseCommandLine(const QStringList& arguments) {
    TVxCommandLine result;
    auto next = arguments.begin() + std::min<qsizetype>(1, arguments.size());
    const auto skipEmpty = [&] {
        next = std::find_if(next, arguments.end(),
                            [](const QString& argument) { return !argument.isEmpty(); });
    };
    // The first wrong value is the error, told in the language the options
    // name (all of them are read for it), and nothing else of the line
    // counts.
    QString error;
    for (skipEmpty(); next != arguments.end(); skipEmpty()) {
        if (const std::optional<QString> seed =
                OptionValue(SeedOptionName, next, arguments.end())) {
            result.Seed = VxParseSeed(seed->toStdString());
            if (!result.Seed && error.isEmpty())
                error = SeedError();
        } else if (const std::optional<QString> language =
                       OptionValue(LanguageOptionName, next, arguments.end())) {
            if (const std::optional<TVxLanguage> parsed = ParseLanguage(*language))
                result.Language = parsed;
            else if (error.isEmpty())
                error = LanguageError();
        } else {
            break;
        }
    }
    if (!error.isEmpty()) {
        TVxCommandLine refused = UsageError(error);
        refused.Language = result.Language;
        return refused;
    }
    if (next != arguments.end() && *next == QStringLiteral("--")) {
        ++next;
        skipEmpty();
    } else if (next != arguments.end() && next->startsWith(u'-') && next->size() > 1) {
        QCommandLineParser parser;
        parser.addOption(HelpOption());
        parser.addOption(VersionOption());
        const bool known =
            parser.parse({arguments.at(0), *next}) && parser.positionalArguments().isEmpty();
        if (known && parser.isSet(HelpOption()))
            result.Action = TVxStartAction::ShowHelp;
        else if (known && parser.isSet(VersionOption()))
            result.Action = TVxStartAction::ShowVersion;
        else
            result = UnknownOption(*next);
        return result;
    }
    if (next != arguments.end())
        result.Path = QFileInfo(*next).absoluteFilePath();
    return result;
}

QString CommandLineHelpText(const QString& programName) {
    const THelpLine lines[] = {
        {OptionSyntax(HelpOption()),
         {QCoreApplication::translate("VxCommandLine", "このヘルプを表示します。")}},
        {OptionSyntax(VersionOption()),
         {QCoreApplication::translate("VxCommandLine", "バージョン情報を表示します。")}},
        {QStringLiteral("    --seed N"),
         {QCoreApplication::translate("VxCommandLine",
                                      "最初のゲームの市場をシード N (0〜%1) から作ります。")
              .arg(VxLargestSeed),
          QCoreApplication::translate(
              "VxCommandLine", "ridolt-sim run --seed N や serve --seed N と同じ市場です。")}},
        {QStringLiteral("    --language ja|en"),
         {QCoreApplication::translate("VxCommandLine",
                                      "ゲームの言葉を日本語 (ja) か英語 (en) にします。"),
          QCoreApplication::translate("VxCommandLine",
                                      "ないときはロケール (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) "
                                      "が en で始まれば英語です。")}},
    };
    qsizetype width = 0;
    for (const THelpLine& line : lines)
        width = std::max(width, line.Syntax.size());
    const QString indent = QStringLiteral("\n") + QString(width + 4, u' ');
    QString optionLines;
    for (const THelpLine& line : lines)
        optionLines += QStringLiteral("  %1  %2\n")
                           .arg(line.Syntax.leftJustified(width), line.Description.join(indent));
    return QCoreApplication::translate(
               "VxCommandLine",
               "使い方: %1 [オプション] [ファイル]\n"
               "\n"
               "%2は、3000万円の資金を株の売買で3000億円に増やすゲームです。\n"
               "ファイルを指定すると、そのセーブファイルのゲームを開きます。\n"
               "%2がすでに起動しているときは、そのウィンドウでファイルを開きます\n"
               "(渡されるのはファイルだけで、--seed と --language は使われません)。\n"
               "シードを指定しないと、ゲームごとにシードを引き、資産推移のページに示します。\n"
               "\n"
               "オプション (--seed と --language はファイルより前に):\n")
               .arg(programName, VxAppInfo::Title()) +
           optionLines;
}

QString CommandLineVersionText() {
    return QStringLiteral("%1 %2\n%3\n")
        .arg(VxAppInfo::Title(), VxAppInfo::Version(), VxAppInfo::Copyright());
}
