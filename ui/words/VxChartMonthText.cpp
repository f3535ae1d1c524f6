#include "ui/words/VxChartMonthText.h"

#include "game/VxCompany.h"
#include "ui/words/VxCompanyColumnText.h"

QString ChartMonthText(const QString& month, int32_t price, std::optional<int32_t> previous) {
    QString text = month + u' ' + PriceText(price);
    if (previous)
        text += QStringLiteral(" (前月比 ") + MonthDiffText(PriceDiff(*previous, price)) + u' ' +
                PercentChangeText(PriceDiffPercent(*previous, price)) + u')';
    return text;
}
