// The month step of the main window around the game's monthly turn, the
// month timer, the status bar and the message log.

#include "ui/FrmRidolt.h"

#include "app/VxUtils.h"
#include "components/VxListView.h"
#include "components/VxTimer.h"
#include "game/VxGame.h"
#include "ui/VxCompanyColumnText.h"
#include "ui/VxModalQueue.h"
#include "ui/VxPriceChart.h"
#include "ui/VxStatusPanels.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int BtnNextMonthLeft = 8;
constexpr int BtnNextMonthTop = 8;
constexpr int BtnNextMonthHeight = 25;

} // namespace

void TFormRidolt::VxTimerNextMonthTimer() {
    // A tick while a dialog or box is open (the step's own warning among
    // them) would step the game under it.
    if (TVxModalQueue::ModalOpen())
        return;
    TVxCompany* const keptChartCompany = ChartCompany;
    // The turn re-sorts both lists and may drop held companies: remember
    // the selected companies to select them again at their new rows.
    ActGetVLVFocusedCompany();
    Game.NextMonth();
    // Selecting the remembered rows again charts each of them for a moment;
    // only the chart the step ends with is drawn.
    const TVxPriceChart::THold chartHold(*Chart1);
    SyncOwnerItemCount();
    ActSetVLVFocusedCompany();
    // Selecting again charted the selection; the chart keeps its company.
    ChartCompany = keptChartCompany;
    ActDataReflect();
}

void TFormRidolt::ActNextMonthExecute() {
    VxTimerNextMonthTimer();
}

void TFormRidolt::ActTimerEnabledExecute() {
    const bool enabled = ActTimerEnabled->isChecked();
    VxTimerNextMonth->SetEnabled(enabled);
    ActTimerEnabled->setText(enabled ? QStringLiteral("停止する") : QStringLiteral("再開する"));
}

void TFormRidolt::ActSetStatusBarTextExecute() {
    StatusBar1Panels->Panel(1).setText(
        QString::asprintf("%d年目%d月", Game.Year + 1, Game.Month + 1));
    StatusBar1Panels->Panel(2).setText(QStringLiteral("資金 ") +
                                       QString::fromStdString(ManToKanjiStr(Game.Money, false)) +
                                       QStringLiteral("円"));
    StatusBar1Panels->Panel(3).setText(QStringLiteral("所有銘柄数 ") +
                                       GroupedText(Game.OwnerList.Count()));
}

void TFormRidolt::ActMessageClearExecute() {
    FMessageLog->Clear();
}

void TFormRidolt::StatusBar1Resize() {
    // The first panel takes what the middle ones leave; the last panel is
    // not counted, so it lies past the right edge.
    int middle = 0;
    for (int i = 1; i <= StatusBar1Panels->PanelCount() - 2; ++i)
        middle += StatusBar1Panels->PanelWidth(i);
    StatusBar1Panels->SetPanelWidth(0, StatusBar1Panels->width() - middle);
}

void TFormRidolt::PanelControlResize() {
    BtnNextMonth->setGeometry(BtnNextMonthLeft, BtnNextMonthTop,
                              PanelControl->width() - 2 * BtnNextMonthLeft, BtnNextMonthHeight);
}
