#include "ui/words/VxStatusTexts.h"

#include "game/VxUtils.h"
#include "ui/words/VxCompanyColumnText.h"

QString CalendarQText(int32_t year, int32_t month) {
    return QString::fromStdString(CalendarText(year, month));
}

QString CashText(int32_t money) {
    return QStringLiteral("資金 ") + MoneyText(money);
}
