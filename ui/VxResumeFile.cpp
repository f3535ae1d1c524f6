#include "ui/VxResumeFile.h"

#include "app/VxAppPaths.h"
#include "ui/VxSaveFileSummary.h"
#include "ui/VxSaveSlots.h"
#include "ui/VxStatusTexts.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QTimer>

#include <exception>

namespace {

QString ResumeCaption() {
    return QStringLiteral("前回の続き(&R)");
}

} // namespace

QString TVxResumeFile::Path() {
    // A slot's name is a digit and "savedata.sav": this can never be one.
    return GetSaveDataFolder() + QStringLiteral("resume.sav");
}

TVxResumeFile::TVxResumeFile(TVxSaveSlots& saveSlots, QMenu& loadMenu, QObject* parent)
    : QObject(parent), FSlots(saveSlots), FQuietTimer(new QTimer(this)) {
    loadMenu.addSeparator();
    MIDataLoadResume = loadMenu.addAction(ResumeCaption());
    MIDataLoadResume->setObjectName(QStringLiteral("MIDataLoadResume"));
    MIDataLoadResume->setEnabled(false);
    connect(MIDataLoadResume, &QAction::triggered, this, &TVxResumeFile::ActDataLoadResumeExecute);
    connect(&loadMenu, &QMenu::aboutToShow, this, &TVxResumeFile::ActMILoadExecute);

    FQuietTimer->setObjectName(QStringLiteral("ResumeQuietTimer"));
    FQuietTimer->setSingleShot(true);
    FQuietTimer->setInterval(QuietInterval);
    connect(FQuietTimer, &QTimer::timeout, this, &TVxResumeFile::QuietTimerTimeout);
    // Whatever ends the event loop without closing the window first.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
            &TVxResumeFile::WriteOnClose);
}

void TVxResumeFile::GamePlayed() {
    FPlayed = true;
    FQuietTimer->start();
}

void TVxResumeFile::GameReplaced() {
    FPlayed = false;
    FQuietTimer->stop();
}

void TVxResumeFile::WriteOnClose() {
    FQuietTimer->stop();
    const QString failure = WriteIfPlayed();
    if (!failure.isEmpty())
        qWarning("%s", qPrintable(failure));
}

void TVxResumeFile::QuietTimerTimeout() {
    const QString failure = WriteIfPlayed();
    if (failure.isEmpty()) {
        FFailureTold = false;
        return;
    }
    qWarning("%s", qPrintable(failure));
    if (!FFailureTold) {
        FFailureTold = true;
        emit WriteFailed(failure);
    }
}

QString TVxResumeFile::WriteIfPlayed() {
    if (!FPlayed)
        return {};
    const QString path = Path();
    try {
        FSlots.WriteGameFile(path);
        FPlayed = false;
        return {};
    } catch (const std::exception& error) {
        return QStringLiteral("%1: ファイルを作成できませんでした。 (%2)")
            .arg(path, QString::fromLocal8Bit(error.what()));
    }
}

void TVxResumeFile::ActMILoadExecute() {
    const std::optional<TVxSaveFileSummary> summary = ReadSaveFileSummary(Path());
    MIDataLoadResume->setEnabled(summary.has_value());
    MIDataLoadResume->setText(summary ? ResumeCaption() + QStringLiteral("  ") +
                                            CalendarQText(summary->Year, summary->Month) + u' ' +
                                            CashText(summary->Money)
                                      : ResumeCaption());
}

void TVxResumeFile::ActDataLoadResumeExecute() {
    const QString path = Path();
    // The file may have gone since the menu was opened.
    if (TVxSaveSlots::FileExists(path))
        FSlots.OpenGameFile(path);
}
