#include "ui/words/VxStatusTexts.h"

#include "ui/words/VxCompanyColumnText.h"

#include <QCoreApplication>

QString CashText(int32_t money) {
    return QCoreApplication::translate("VxStatusTexts", "資金 %1").arg(MoneyText(money));
}
