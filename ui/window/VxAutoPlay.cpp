#include "ui/window/VxAutoPlay.h"

#include "components/VxTimer.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

#include <array>

namespace {

struct TSpeedItem {
    TVxAutoPlay::TSpeed Speed;
    const char* ObjectName;
    const char* Caption;
    const char* Name; // as the status bar writes it
    int Interval;     // milliseconds a month; 0: as soon as the last is painted
};

constexpr std::array<TSpeedItem, 4> SpeedItems{{
    {TVxAutoPlay::TSpeed::PerSecond1, "ActAutoPlaySpeed1",
     QT_TRANSLATE_NOOP("VxAutoPlay", "1 か月/秒(&1)"), QT_TRANSLATE_NOOP("VxAutoPlay", "1 か月/秒"),
     1000},
    {TVxAutoPlay::TSpeed::PerSecond3, "ActAutoPlaySpeed3",
     QT_TRANSLATE_NOOP("VxAutoPlay", "3 か月/秒(&3)"), QT_TRANSLATE_NOOP("VxAutoPlay", "3 か月/秒"),
     333},
    {TVxAutoPlay::TSpeed::PerSecond10, "ActAutoPlaySpeed10",
     QT_TRANSLATE_NOOP("VxAutoPlay", "10 か月/秒(&0)"),
     QT_TRANSLATE_NOOP("VxAutoPlay", "10 か月/秒"), 100},
    {TVxAutoPlay::TSpeed::Fastest, "ActAutoPlaySpeedFastest",
     QT_TRANSLATE_NOOP("VxAutoPlay", "最速(&F)"), QT_TRANSLATE_NOOP("VxAutoPlay", "最速"), 0},
}};

const TSpeedItem& ItemOf(TVxAutoPlay::TSpeed speed) {
    return SpeedItems[static_cast<size_t>(speed)];
}

// The texts of 自動進行 beside those of its speeds.
QString Caption() {
    return QCoreApplication::translate("VxAutoPlay", "自動進行(&A)");
}
QString Hint() {
    return QCoreApplication::translate("VxAutoPlay",
                                       "月を自動で進めます。もう一度選ぶか、Escキーで止まります。");
}
QString SpeedCaption() {
    return QCoreApplication::translate("VxAutoPlay", "自動進行の速さ(&P)");
}
QString RunningText(const char* speed) {
    return QCoreApplication::translate("VxAutoPlay", "自動進行中 %1 (Escで停止)")
        .arg(QCoreApplication::translate("VxAutoPlay", speed));
}
QString Stopped() {
    return QCoreApplication::translate("VxAutoPlay", "自動進行を止めました");
}

} // namespace

TVxAutoPlay::TVxAutoPlay(TVxTimer& timer, QWidget& window)
    : QObject(&window), FTimer(timer), ActAutoPlay(new QAction(Caption(), &window)),
      ActAutoPlayStop(new QAction(&window)), MIAutoPlaySpeed(new QMenu(SpeedCaption(), &window)),
      FSpeedActions(new QActionGroup(this)) {
    ActAutoPlay->setObjectName(QStringLiteral("ActAutoPlay"));
    ActAutoPlay->setCheckable(true);
    ActAutoPlay->setShortcut(Qt::Key_F5);
    ActAutoPlay->setStatusTip(Hint());
    // The item's check mark says whether it runs; a click that comes while
    // it is closed to a game that has ended does nothing.
    connect(ActAutoPlay, &QAction::triggered, this, [this](bool checked) {
        if (checked)
            Start();
        else
            Stop();
    });
    window.addAction(ActAutoPlay);

    // Esc stops it wherever the focus is, and is nobody's key while it
    // does not run.
    ActAutoPlayStop->setObjectName(QStringLiteral("ActAutoPlayStop"));
    ActAutoPlayStop->setShortcut(Qt::Key_Escape);
    ActAutoPlayStop->setEnabled(false);
    connect(ActAutoPlayStop, &QAction::triggered, this, &TVxAutoPlay::Stop);
    window.addAction(ActAutoPlayStop);

    MIAutoPlaySpeed->setObjectName(QStringLiteral("MIAutoPlaySpeed"));
    MIAutoPlaySpeed->menuAction()->setObjectName(QStringLiteral("ActAutoPlaySpeed"));
    for (const TSpeedItem& item : SpeedItems) {
        QAction* action =
            MIAutoPlaySpeed->addAction(QCoreApplication::translate("VxAutoPlay", item.Caption));
        action->setObjectName(QString::fromLatin1(item.ObjectName));
        action->setCheckable(true);
        action->setChecked(item.Speed == FSpeed);
        FSpeedActions->addAction(action);
        connect(action, &QAction::triggered, this, [this, speed = item.Speed] { SetSpeed(speed); });
    }
    ApplySpeed();
}

bool TVxAutoPlay::Running() const {
    return FTimer.Enabled();
}

void TVxAutoPlay::SetSpeed(TSpeed speed) {
    FSpeed = speed;
    FSpeedActions->actions().at(static_cast<qsizetype>(speed))->setChecked(true);
    ApplySpeed();
    if (Running())
        emit RunningChanged(true); // the status bar names the new speed
}

void TVxAutoPlay::ApplySpeed() {
    const TSpeedItem& item = ItemOf(FSpeed);
    FTimer.SetFireWhenIdle(item.Interval == 0);
    if (item.Interval > 0)
        FTimer.SetInterval(item.Interval);
}

void TVxAutoPlay::SetPlayable(bool playable) {
    ActAutoPlay->setEnabled(playable);
}

void TVxAutoPlay::Start() {
    if (!ActAutoPlay->isEnabled() || Running()) {
        ActAutoPlay->setChecked(Running());
        return;
    }
    ApplySpeed();
    SetRunning(true);
}

void TVxAutoPlay::Stop() {
    if (Running())
        SetRunning(false);
    ActAutoPlay->setChecked(false);
}

void TVxAutoPlay::SetRunning(bool running) {
    FTimer.SetEnabled(running);
    ActAutoPlay->setChecked(running);
    ActAutoPlayStop->setEnabled(running);
    emit RunningChanged(running);
}

QString TVxAutoPlay::StatusText() const {
    return Running() ? RunningText(ItemOf(FSpeed).Name) : QString();
}

QString TVxAutoPlay::Announcement() const {
    return Running() ? StatusText() : Stopped();
}
