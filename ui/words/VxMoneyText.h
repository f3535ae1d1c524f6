#pragma once

// Money, prices and the calendar in the language of the window's words
// (app/VxLanguage.h), the one place that picks the Japanese formatters
// (game/VxUtils.h: 1億2000万円, 3年目5月) or the English ones
// (game/VxEnglishUtils.h: ¥120,000,000, Year 3, Month 5).  Every text of the
// window that shows an amount or a month takes it from here, and the words
// that lay out room for them (column and panel widths) ask it whose room
// they need.

#include <QString>

#include <cstdint>

// The window's words are English (the amounts written out in yen take
// more room than the Japanese units).
bool WordsInEnglish();

// A share price in yen as the 株価 column writes it: 1000円, 1万2000円;
// ¥1,000, ¥12,000.
QString PriceText(int32_t price);

// Money (万円) as the lists write it: "450万円", "1億2000万円", with
// `showPlus` "+50万円"; sums beyond 32 bits "21兆4748億3648万円".  In
// English "¥4,500,000", "+¥500,000".
QString MoneyText(int64_t money, bool showPlus = false);

// Money (万円) as a figure beside its unit, which stands apart (the trade
// dialog's 金額): "330万", "3,300,000".
QString MoneyFigureText(int64_t money);

// The width of a choice list of those figures (pixels): room for
// "9999億9999万", or for "999,999,990,000" with every digit written.
int MoneyFigureListWidth();

// A change of price in yen as the 前月比(円) column writes it: +100円, -50円,
// 0円; +¥100, -¥50, ¥0.
QString MonthDiffText(int32_t diff);

// An amount of yen to the yen, as prices are written but beyond 32 bits:
// "1234万5678円", "12億3456万7890円"; "¥12,345,678".
QString YenText(int64_t yen);

// "%d年目%d月" of a game's Year and Month, both counted from 0: 3年目5月
// (the model's CalendarText, as a QString); "Year 3, Month 5".
QString CalendarQText(int32_t year, int32_t month);
