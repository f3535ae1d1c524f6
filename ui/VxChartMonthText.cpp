#include "ui/VxChartMonthText.h"

#include "game/VxCompany.h"
#include "game/VxUtils.h"
#include "ui/VxCompanyColumnText.h"

QString PriceText(int32_t price) {
    return QString::fromStdString(IntToKanjiStr(price, false)) + QStringLiteral("円");
}

QString ChartMonthText(const QString& month, int32_t price, std::optional<int32_t> previous) {
    QString text = month + u' ' + PriceText(price);
    if (previous)
        text += QStringLiteral(" (前月比 ") + MonthDiffText(PriceDiff(*previous, price)) + u' ' +
                MonthDiffPercentText(PriceDiffPercent(*previous, price)) + u')';
    return text;
}
