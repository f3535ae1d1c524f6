#include "app/VxCommandLine.h"

#include "app/VxAppInfo.h"

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

QString OptionSyntax(const QCommandLineOption& option) {
    const QStringList names = option.names();
    return QStringLiteral("-%1, --%2").arg(names.at(0), names.at(1));
}

} // namespace

TVxCommandLine ParseCommandLine(const QStringList& arguments) {
    TVxCommandLine result;
    const auto first =
        std::find_if(arguments.begin() + std::min<qsizetype>(1, arguments.size()), arguments.end(),
                     [](const QString& argument) { return !argument.isEmpty(); });
    if (first == arguments.end())
        return result;

    QCommandLineParser parser;
    parser.addOption(HelpOption());
    parser.addOption(VersionOption());
    // An unknown option makes parse() fail: then the argument is a path.
    if (parser.parse({arguments.at(0), *first}) && parser.positionalArguments().isEmpty()) {
        if (parser.isSet(HelpOption()))
            result.Action = TVxStartAction::ShowHelp;
        else if (parser.isSet(VersionOption()))
            result.Action = TVxStartAction::ShowVersion;
        if (result.Action != TVxStartAction::Run)
            return result;
    }
    result.Path = QFileInfo(*first).absoluteFilePath();
    return result;
}

QString CommandLineHelpText(const QString& programName) {
    const std::initializer_list<const QCommandLineOption*> options{&HelpOption(), &VersionOption()};
    qsizetype width = 0;
    for (const QCommandLineOption* option : options)
        width = std::max(width, OptionSyntax(*option).size());
    QString optionLines;
    for (const QCommandLineOption* option : options)
        optionLines += QStringLiteral("  %1  %2\n")
                           .arg(OptionSyntax(*option).leftJustified(width), option->description());
    return QStringLiteral("使い方: %1 [オプション] [ファイル]\n"
                          "\n"
                          "%2は、3000万円の資金を株の売買で3000億円に増やすゲームです。\n"
                          "ファイルを指定すると、そのセーブファイルのゲームを開きます。\n"
                          "%2がすでに起動しているときは、そのウィンドウでファイルを開きます。\n"
                          "\n"
                          "オプション:\n")
               .arg(programName, VxAppInfo::Title()) +
           optionLines;
}

QString CommandLineVersionText() {
    return QStringLiteral("%1 %2\n%3\n")
        .arg(VxAppInfo::Title(), VxAppInfo::Version(), VxAppInfo::Copyright());
}
