// The program entry: answers --help and --version, hands a second start
// over to the running game, and otherwise runs the game's window.

#include "app/VxAppInfo.h"
#include "app/VxCommandLine.h"
#include "app/VxQtTranslations.h"
#include "app/VxSingleInstance.h"
#include "app/VxTerminationSignals.h"
#include "game/VxGame.h"
#include "ui/FrmRidolt.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>

namespace {

QStringList RawArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    return arguments;
}

// Prints the text --help or --version asks for; true when one was asked.
bool Answered(TVxStartAction action, const QString& programName) {
    switch (action) {
    case TVxStartAction::ShowHelp:
        std::fputs(CommandLineHelpText(programName).toUtf8().constData(), stdout);
        return true;
    case TVxStartAction::ShowVersion:
        std::fputs(CommandLineVersionText().toUtf8().constData(), stdout);
        return true;
    case TVxStartAction::Run:
        break;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    const QStringList rawArguments = RawArguments(argc, argv);
    const QString programName = QFileInfo(rawArguments.value(0)).fileName();
    // Answered before the GUI starts, so they work without a display.
    if (Answered(ParseCommandLine(rawArguments).Action, programName))
        return 0;

    QApplication application(argc, argv);
    QApplication::setOrganizationName(VxAppInfo::OrganizationName());
    QApplication::setApplicationName(VxAppInfo::ApplicationName());
    QApplication::setApplicationVersion(VxAppInfo::Version());
    // Ties the window to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(VxAppInfo::DesktopFileName());
    QApplication::setWindowIcon(QIcon(VxAppInfo::IconResource()));
    InstallQtTranslations(application);

    // Qt has taken its own options (-platform, -style ...) out by now.
    const TVxCommandLine commandLine = ParseCommandLine(QApplication::arguments());
    if (Answered(commandLine.Action, programName))
        return 0;

    TVxSingleInstance instance;
    if (!instance.Claim()) {
        instance.HandOff(commandLine.Path);
        return 0;
    }

    TVxGame game;
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
