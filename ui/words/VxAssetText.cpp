#include "ui/words/VxAssetText.h"

#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "game/VxGameHistory.h"
#include "game/VxGameRecords.h"
#include "game/VxSeed.h"
#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxStatusTexts.h"

#include <QCoreApplication>

#include <cmath>

QString AssetMonthChangeText(const TVxHistoryMonth& month, const TVxHistoryMonth* previous) {
    if (!previous)
        return {};
    return MoneyText(month.Total() - previous->Total(), true);
}

QString AssetMonthReadout(const TVxHistoryMonth& month, const TVxHistoryMonth* previous,
                          std::optional<int64_t> bot) {
    const QString calendar = CalendarQText(month.Year, month.Month);
    const QString total = MoneyText(month.Total());
    const QString cash = MoneyText(month.Cash);
    const QString value = MoneyText(month.Value);
    QString text;
    if (!previous) {
        text = QCoreApplication::translate("VxAssetText", "%1 総資産 %2 (資金 %3, 株式 %4)")
                   .arg(calendar, total, cash, value);
    } else {
        // The per cent only where the month before had something to grow from.
        const QString percent =
            previous->Total() > 0
                ? u' ' + PercentChangeText(static_cast<double>(month.Total() - previous->Total()) *
                                           100.0 / static_cast<double>(previous->Total()))
                : QString();
        text =
            QCoreApplication::translate("VxAssetText",
                                        "%1 総資産 %2 (資金 %3, 株式 %4, 前月比 %5%6)")
                .arg(calendar, total, cash, value, AssetMonthChangeText(month, previous), percent);
    }
    if (bot)
        text += u' ' + AssetBotName() + u' ' + MoneyText(*bot);
    return text;
}

QString ElapsedText(int64_t months) {
    const int64_t years = months / 12;
    const int64_t rest = months % 12;
    if (years == 0)
        return QCoreApplication::translate("VxAssetText", "%1か月").arg(rest);
    if (rest == 0)
        return QCoreApplication::translate("VxAssetText", "%1年").arg(years);
    return QCoreApplication::translate("VxAssetText", "%1年%2か月").arg(years).arg(rest);
}

QString GoalReachedText(int64_t months) {
    return QCoreApplication::translate("VxAssetText", "%1まで %2")
        .arg(MoneyText(GoalMoney), ElapsedText(months));
}

QString StakeMultipleText(int64_t total) {
    const double multiple = static_cast<double>(total) / StartMoney;
    // Tenths matter only while the stake has not grown a hundredfold; a
    // loss of a few 万 is ×0.0, not ×-0.0.
    if (std::abs(multiple) < 100)
        return QStringLiteral("×") + QString::number(std::round(multiple * 10) / 10 + 0.0, 'f', 1);
    return QStringLiteral("×") + GroupedText(static_cast<int32_t>(std::round(multiple)));
}

QString GameEndText(const TVxGameEnd& end) {
    if (end.Outcome == TVxGameOutcome::Won)
        return GoalReachedText(VxMonthIndex(end.Year, end.Month));
    return QCoreApplication::translate("VxAssetText", "%1に破産")
        .arg(CalendarQText(end.Year, end.Month));
}

QString GameEndText(const TVxGame& game) {
    const TVxGameEnd end = game.Outcome();
    return end.Ended() ? GameEndText(end) : QString();
}
