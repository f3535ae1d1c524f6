#include "ui/window/VxGameStatusBar.h"

#include "game/VxGame.h"
#include "ui/window/VxStatusPanels.h"
#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxStatusTexts.h"

#include <QCoreApplication>
#include <QLabel>

namespace {} // namespace

TVxGameStatusBar::TVxGameStatusBar(QWidget* parent)
    : QStatusBar(parent), FPanels(new TVxStatusPanels(StatusPanelWidths())), FAutoPlay(new QLabel) {
    setSizeGripEnabled(false);
    FPanels->setObjectName(QStringLiteral("StatusBar1Panels"));
    FPanels->Panel(2).setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addWidget(FPanels, 1);
    FAutoPlay->setObjectName(QStringLiteral("LblAutoPlay"));
    FAutoPlay->setTextFormat(Qt::PlainText);
    addPermanentWidget(FAutoPlay);
    FAutoPlay->hide();
    connect(FPanels, &TVxStatusPanels::Resized, this, &TVxGameStatusBar::StatusBar1Resize);
}

void TVxGameStatusBar::Reflect(const TVxGame& game) {
    FPanels->Panel(1).setText(CalendarQText(game.Year, game.Month));
    FPanels->Panel(2).setText(CashText(game.Money));
    FPanels->Panel(3).setText(QCoreApplication::translate("VxGameStatusBar", "所有銘柄数 %1")
                                  .arg(GroupedText(game.OwnerList.Count())));
}

void TVxGameStatusBar::ShowHint(const QString& hint) {
    FPanels->Panel(0).setText(hint);
}

void TVxGameStatusBar::ShowAutoPlay(const QString& text) {
    FAutoPlay->setText(text);
    FAutoPlay->setVisible(!text.isEmpty());
}

void TVxGameStatusBar::StatusBar1Resize() {
    int middle = 0;
    for (int i = 1; i <= FPanels->PanelCount() - 2; ++i)
        middle += FPanels->PanelWidth(i);
    FPanels->SetPanelWidth(0, FPanels->width() - middle);
}
