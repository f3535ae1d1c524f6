#include "ui/VxAssetText.h"

#include "game/VxConsts.h"
#include "game/VxGame.h"
#include "game/VxGameHistory.h"
#include "game/VxSeed.h"
#include "game/VxUtils.h"
#include "ui/VxCompanyColumnText.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// The 兆 group of ManToKanjiStr, in 万.
constexpr int64_t Chou = 100000000;

QString Kanji(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

QString AssetMoneyText(int64_t money, bool showPlus) {
    if (money >= std::numeric_limits<int32_t>::min() &&
        money <= std::numeric_limits<int32_t>::max())
        return MoneyText(static_cast<int32_t>(money), showPlus);
    // Beyond 32 bits only the 兆 group grows: write it, then what is below
    // it as ManToKanjiStr writes it.
    const int64_t magnitude = std::llabs(money);
    QString text = (money < 0  ? QStringLiteral("-")
                    : showPlus ? QStringLiteral("+")
                               : QString()) +
                   QString::number(magnitude / Chou) + QStringLiteral("兆");
    if (const auto below = static_cast<int32_t>(magnitude % Chou); below != 0)
        text += Kanji(ManToKanjiStr(below, false));
    return text + QStringLiteral("円");
}

QString YenText(int64_t yen) {
    if (yen >= std::numeric_limits<int32_t>::min() && yen <= std::numeric_limits<int32_t>::max())
        return PriceText(static_cast<int32_t>(yen));
    // The 万 and above as money, then the yen below 万 before the unit.
    QString text = AssetMoneyText(yen / 10000);
    if (const int64_t rest = std::llabs(yen % 10000); rest != 0)
        text.insert(text.size() - 1, QString::number(rest));
    return text;
}

QString AssetMonthChangeText(const TVxHistoryMonth& month, const TVxHistoryMonth* previous) {
    if (!previous)
        return {};
    return AssetMoneyText(month.Total() - previous->Total(), true);
}

QString AssetMonthReadout(const TVxHistoryMonth& month, const TVxHistoryMonth* previous) {
    QString text = Kanji(CalendarText(month.Year, month.Month)) + QStringLiteral(" 総資産 ") +
                   AssetMoneyText(month.Total()) + QStringLiteral(" (資金 ") +
                   AssetMoneyText(month.Cash) + QStringLiteral(", 株式 ") +
                   AssetMoneyText(month.Value);
    if (previous) {
        text += QStringLiteral(", 前月比 ") + AssetMonthChangeText(month, previous);
        if (previous->Total() > 0)
            text +=
                u' ' + PercentChangeText(static_cast<double>(month.Total() - previous->Total()) *
                                         100.0 / static_cast<double>(previous->Total()));
    }
    return text + u')';
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

QString StakeMultipleText(int64_t total) {
    const double multiple = static_cast<double>(total) / StartMoney;
    // Tenths matter only while the stake has not grown a hundredfold; a
    // loss of a few 万 is ×0.0, not ×-0.0.
    if (std::abs(multiple) < 100)
        return QStringLiteral("×") + QString::number(std::round(multiple * 10) / 10 + 0.0, 'f', 1);
    return QStringLiteral("×") + GroupedText(static_cast<int32_t>(std::round(multiple)));
}

QString GameEndText(const TVxGame& game) {
    // A game is won the moment its cash reaches the goal, even if it was
    // played on after a load.
    for (const TVxHistoryMonth& month : game.History().Months())
        if (month.Cash >= GoalMoney)
            return MoneyText(GoalMoney) + QStringLiteral("まで ") +
                   ElapsedText(VxMonthIndex(month.Year, month.Month));
    if (game.GameEnd && game.Money < 0)
        return Kanji(CalendarText(game.Year, game.Month)) + QStringLiteral("に破産");
    return {};
}
