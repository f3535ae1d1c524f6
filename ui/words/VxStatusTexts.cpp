#include "ui/words/VxStatusTexts.h"

#include "ui/words/VxCompanyColumnText.h"

#include <QCoreApplication>

std::vector<int> StatusPanelWidths() {
    if (WordsInEnglish())
        return {50, 125, 185, 140, 50};
    return {50, 85, 150, 100, 50};
}

QString CashText(int32_t money) {
    return QCoreApplication::translate("VxStatusTexts", "資金 %1").arg(MoneyText(money));
}
