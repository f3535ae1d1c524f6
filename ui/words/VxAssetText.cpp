#include "ui/words/VxAssetText.h"

#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "game/VxGameHistory.h"
#include "game/VxGameRecords.h"
#include "game/VxSeed.h"
#include "ui/words/VxCompanyColumnText.h"
#include "ui/words/VxStatusTexts.h"

#include <cmath>
#include <cstdlib>
#include <limits>

QString YenText(int64_t yen) {
    if (yen >= std::numeric_limits<int32_t>::min() && yen <= std::numeric_limits<int32_t>::max())
        return PriceText(static_cast<int32_t>(yen));
    // The 万 and above as money, then the yen below 万 before the unit.
    QString text = MoneyText(yen / 10000);
    if (const int64_t rest = std::llabs(yen % 10000); rest != 0)
        text.insert(text.size() - 1, QString::number(rest));
    return text;
}

QString AssetMonthChangeText(const TVxHistoryMonth& month, const TVxHistoryMonth* previous) {
    if (!previous)
        return {};
    return MoneyText(month.Total() - previous->Total(), true);
}

QString AssetMonthReadout(const TVxHistoryMonth& month, const TVxHistoryMonth* previous,
                          std::optional<int64_t> bot) {
    QString text = CalendarQText(month.Year, month.Month) + QStringLiteral(" 総資産 ") +
                   MoneyText(month.Total()) + QStringLiteral(" (資金 ") + MoneyText(month.Cash) +
                   QStringLiteral(", 株式 ") + MoneyText(month.Value);
    if (previous) {
        text += QStringLiteral(", 前月比 ") + AssetMonthChangeText(month, previous);
        if (previous->Total() > 0)
            text +=
                u' ' + PercentChangeText(static_cast<double>(month.Total() - previous->Total()) *
                                         100.0 / static_cast<double>(previous->Total()));
    }
    text += u')';
    if (bot)
        text += u' ' + AssetBotName + u' ' + MoneyText(*bot);
    return text;
}

QString ElapsedText(int64_t months) {
    const int64_t years = months / 12;
    const int64_t rest = months % 12;
    if (years == 0)
        return QStringLiteral("%1か月").arg(rest);
    if (rest == 0)
        return QStringLiteral("%1年").arg(years);
    return QStringLiteral("%1年%2か月").arg(years).arg(rest);
}

QString GoalReachedText(int64_t months) {
    return MoneyText(GoalMoney) + QStringLiteral("まで ") + ElapsedText(months);
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
    return CalendarQText(end.Year, end.Month) + QStringLiteral("に破産");
}

QString GameEndText(const TVxGame& game) {
    const TVxGameEnd end = game.Outcome();
    return end.Ended() ? GameEndText(end) : QString();
}
