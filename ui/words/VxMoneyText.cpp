#include "ui/words/VxMoneyText.h"

#include "app/VxLanguage.h"
#include "game/VxEnglishUtils.h"
#include "game/VxUtils.h"

#include <cstdlib>
#include <limits>

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

const QString Yen = QStringLiteral("円");

} // namespace

bool WordsInEnglish() {
    return CurrentLanguage() == TVxLanguage::English;
}

QString PriceText(int32_t price) {
    return WordsInEnglish() ? Text(YenStr(price, false)) : Text(IntToKanjiStr(price, false)) + Yen;
}

QString MoneyText(int64_t money, bool showPlus) {
    return WordsInEnglish() ? Text(ManToYenStr(money, showPlus))
                            : Text(ManToKanjiStr(money, showPlus)) + Yen;
}

QString MoneyFigureText(int64_t money) {
    return WordsInEnglish() ? Text(ManToYenStr(money, false)).remove(u'¥')
                            : Text(ManToKanjiStr(money, false));
}

int MoneyFigureListWidth() {
    return WordsInEnglish() ? 150 : 113;
}

QString MonthDiffText(int32_t diff) {
    return WordsInEnglish() ? Text(YenStr(diff, true)) : Text(IntToKanjiStr(diff, true)) + Yen;
}

QString YenText(int64_t yen) {
    if (WordsInEnglish())
        return Text(YenStr(yen, false));
    if (yen >= std::numeric_limits<int32_t>::min() && yen <= std::numeric_limits<int32_t>::max())
        return PriceText(static_cast<int32_t>(yen));
    // The 万 and above as money, then the yen below 万 before the unit.
    QString text = MoneyText(yen / 10000);
    if (const int64_t rest = std::llabs(yen % 10000); rest != 0)
        text.insert(text.size() - 1, QString::number(rest));
    return text;
}

QString CalendarQText(int32_t year, int32_t month) {
    return Text(WordsInEnglish() ? EnglishCalendarText(year, month) : CalendarText(year, month));
}
