#include "app/VxCommandLine.h"

#include "app/VxAppInfo.h"
#include "game/VxSeed.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <algorithm>

namespace {

const QCommandLineOption& HelpOption() {
    static const QCommandLineOption option({QStringLiteral("h"), QStringLiteral("help")},
                                           QStringLiteral("このヘルプを表示します。"));
    return option;
}

const QCommandLineOption& VersionOption() {
    static const QCommandLineOption option({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("バージョン情報を表示します。"));
    return option;
}

const QString SeedOptionName = QStringLiteral("--seed");

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
    result.Error = QStringLiteral("不明なオプションです: %1").arg(option);
    result.UnknownOption = true;
    return result;
}

QString SeedError() {
    return QStringLiteral("--seed には 0 から %1 までの整数を指定してください。")
        .arg(VxLargestSeed);
}

} // namespace

TVxCommandLine ParseCommandLine(const QStringList& arguments) {
    TVxCommandLine result;
    auto next = arguments.begin() + std::min<qsizetype>(1, arguments.size());
    const auto skipEmpty = [&] {
        next = std::find_if(next, arguments.end(),
                            [](const QString& argument) { return !argument.isEmpty(); });
    };
    for (skipEmpty(); next != arguments.end(); skipEmpty()) {
        QString value; // stays empty, which is no seed, when --seed ends the line
        if (*next == SeedOptionName) {
            if (++next != arguments.end())
                value = *next++;
        } else if (next->startsWith(SeedOptionName + u'=')) {
            value = (next++)->mid(SeedOptionName.size() + 1);
        } else {
            break;
        }
        result.Seed = VxParseSeed(value.toStdString());
        if (!result.Seed) {
            result.Action = TVxStartAction::ShowUsageError;
            result.Error = SeedError();
            return result;
        }
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
        {OptionSyntax(HelpOption()), {HelpOption().description()}},
        {OptionSyntax(VersionOption()), {VersionOption().description()}},
        {QStringLiteral("    --seed N"),
         {QStringLiteral("最初のゲームの市場をシード N (0〜%1) から作ります。").arg(VxLargestSeed),
          QStringLiteral("ridolt-sim run --seed N や serve --seed N と同じ市場です。")}},
    };
    qsizetype width = 0;
    for (const THelpLine& line : lines)
        width = std::max(width, line.Syntax.size());
    const QString indent = QStringLiteral("\n") + QString(width + 4, u' ');
    QString optionLines;
    for (const THelpLine& line : lines)
        optionLines += QStringLiteral("  %1  %2\n")
                           .arg(line.Syntax.leftJustified(width), line.Description.join(indent));
    return QStringLiteral(
               "使い方: %1 [オプション] [ファイル]\n"
               "\n"
               "%2は、3000万円の資金を株の売買で3000億円に増やすゲームです。\n"
               "ファイルを指定すると、そのセーブファイルのゲームを開きます。\n"
               "%2がすでに起動しているときは、そのウィンドウでファイルを開きます\n"
               "(渡されるのはファイルだけで、--seed は使われません)。\n"
               "シードを指定しないと、ゲームごとにシードを引き、資産推移のページに示します。\n"
               "\n"
               "オプション (--seed はファイルより前に):\n")
               .arg(programName, VxAppInfo::Title()) +
           optionLines;
}

QString CommandLineVersionText() {
    return QStringLiteral("%1 %2\n%3\n")
        .arg(VxAppInfo::Title(), VxAppInfo::Version(), VxAppInfo::Copyright());
}
