#include "ui/VxStatusTexts.h"

#include "ui/VxCompanyColumnText.h"

QString CalendarText(int32_t year, int32_t month) {
    // In 64 bits: a year read from a file may be the largest there is.
    return QStringLiteral("%1年目%2月").arg(int64_t{year} + 1).arg(int64_t{month} + 1);
}

QString CashText(int32_t money) {
    return QStringLiteral("資金 ") + MoneyText(money);
}
