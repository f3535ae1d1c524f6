// The program entry: answers --help and --version, hands a second start
// over to the running game, and otherwise runs the game's window over a
// seeded game, in the language chosen.

#include "app/VxAppInfo.h"
#include "app/VxCommandLine.h"
#include "app/VxQtTranslations.h"
#include "app/VxSingleInstance.h"
#include "app/VxTerminationSignals.h"
#include "game/VxGame.h"
#include "game/VxSeed.h"
#include "ui/window/FrmRidolt.h"
#include "ui/words/VxFileErrorText.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>
#include <optional>

namespace {

QStringList RawArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    return arguments;
}

// Prints the text --help or --version asks for, or what is wrong with the
// command line, and gives the exit status the program ends with there;
// nothing when the game runs.
std::optional<int> Answered(const TVxCommandLine& commandLine, const QString& programName) {
    switch (commandLine.Action) {
    case TVxStartAction::ShowHelp:
        std::fputs(CommandLineHelpText(programName).toUtf8().constData(), stdout);
        return 0;
    case TVxStartAction::ShowVersion:
        std::fputs(CommandLineVersionText().toUtf8().constData(), stdout);
        return 0;
    case TVxStartAction::ShowUsageError:
        std::fputs(QCoreApplication::translate("VxCommandLine",
                                               "%1: %2\n%1 --help で使い方を表示します。\n")
                       .arg(programName, commandLine.Error)
                       .toUtf8()
                       .constData(),
                   stderr);
        return 2;
    case TVxStartAction::Run:
        break;
    }
    return std::nullopt;
}

// `arguments` read in the language they or the environment choose: the
// language `--language` names, or else the environment's, is installed
// into `application`, and they are read again so that what is wrong with
// them is told in it.
TVxCommandLine ParseInItsLanguage(QCoreApplication& application, const QStringList& arguments) {
    const TVxCommandLine first = ParseCommandLine(arguments);
    InstallTranslations(application, first.Language ? *first.Language : LanguageFromEnvironment());
    return ParseCommandLine(arguments);
}

} // namespace

int main(int argc, char* argv[]) {
    const QStringList rawArguments = RawArguments(argc, argv);
    const QString programName = QFileInfo(rawArguments.value(0)).fileName();
    // Answered before the GUI starts, so they work without a display.  Qt
    // has not taken its own options (-platform, -style ...) out yet: one
    // unknown here may be Qt's, and waits until it has.
    // Their texts are translated in an application without a GUI.
    if (const TVxCommandLine early = ParseCommandLine(rawArguments);
        !early.UnknownOption && early.Action != TVxStartAction::Run) {
        QCoreApplication core(argc, argv);
        return *Answered(ParseInItsLanguage(core, rawArguments), programName);
    }

    QApplication application(argc, argv);
    QApplication::setOrganizationName(VxAppInfo::OrganizationName());
    QApplication::setApplicationName(VxAppInfo::ApplicationName());
    QApplication::setApplicationVersion(VxAppInfo::Version());
    // Ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(VxAppInfo::DesktopFileName());
    QApplication::setWindowIcon(QIcon(VxAppInfo::IconResource()));

    // Qt has taken its own options (-platform, -style ...) out by now.  The
    // language is the first instance's: a second start hands over only its
    // path.
    const TVxCommandLine commandLine = ParseInItsLanguage(application, QApplication::arguments());
    if (const std::optional<int> status = Answered(commandLine, programName))
        return *status;

    // A path that names no file is told here, and by the window that gets
    // it (in its status bar), which otherwise opens nothing.
    if (const QString text = CannotOpenText(commandLine.Path); !text.isEmpty())
        std::fputs(QStringLiteral("%1: %2\n").arg(programName, text).toUtf8().constData(), stderr);

    TVxSingleInstance instance;
    if (!instance.Claim()) {
        instance.HandOff(commandLine.Path);
        return 0;
    }

    // The window's game is always seeded, so that its seed can be shown and
    // the same market played again.
    TVxGame game;
    game.SetSeed(commandLine.Seed ? *commandLine.Seed : VxDrawSeed());
    TFormRidolt form(game);
    TVxCopyDataReceiver* receiver = instance.Receiver();
    receiver->AttachWindow(&form);
    // Every path to open, from this command line or from a later start,
    // reaches the window through its hand-off handler, held until the first
    // activation has started the new game that the path then replaces.
    // Queued, so that the file is opened (and a failure reported in its
    // modal box) from the event loop, not from inside the activation.
    QObject::connect(receiver, &TVxCopyDataReceiver::copyDataReceived, &form,
                     &TFormRidolt::CopyDataReceived);
    QObject::connect(&form, &TFormRidolt::FirstActivated, receiver, &TVxCopyDataReceiver::Release,
                     Qt::QueuedConnection);
    if (!commandLine.Path.isEmpty())
        receiver->Accept(CopyDataOpenPath, commandLine.Path);

    const TVxTerminationSignals terminationSignals(form);
    form.show();
    return QApplication::exec();
}
