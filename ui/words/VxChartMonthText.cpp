#include "ui/words/VxChartMonthText.h"

#include "game/VxCompany.h"
#include "ui/words/VxCompanyColumnText.h"

#include <QCoreApplication>

QString ChartMonthText(const QString& month, int32_t price, std::optional<int32_t> previous) {
    if (!previous)
        return month + u' ' + PriceText(price);
    return QCoreApplication::translate("VxChartMonthText", "%1 %2 (前月比 %3 %4)")
        .arg(month, PriceText(price), MonthDiffText(PriceDiff(*previous, price)),
             PercentChangeText(PriceDiffPercent(*previous, price)));
}
