#include "ui/words/VxCompanyColumnText.h"

#include "components/VxColumnInfos.h"
#include "game/VxCompany.h"
#include "game/VxUtils.h"

#include <cstdlib>

namespace {

QString Kanji(const std::string& text) {
    return QString::fromStdString(text);
}

struct TCompanyColumnDefinition {
    const char* IdentName;
    const char* Caption;
    int Width;
};

// Two identity names keep the numbered form they were created with.
constexpr TCompanyColumnDefinition CompanyColumns[CompanyColumnCount] = {
    {"ID", "ID", 35},
    {"StockPrice", "株価", 85},
    {"MonthDiff", "前月比(円)", 85},
    {"VxListColumnInfo9", "前月比(%)", 80},
    {"StockPrice1000", "千株価", 85},
    {"SellStockCount", "売り株数", 75},
    {"MyStockCount", "所有株数", 75},
    {"MyStockPriceBuyingAverage", "購入時株価平均", 110},
    {"MyStockPriceRatio", "現在/購入時", 90},
    {"VxListColumnInfo8", "所有株総額", 100},
};

} // namespace

QString GroupedText(int32_t value) {
    // The magnitude of the most negative value does not fit in 32 bits.
    const QString digits = QString::number(std::llabs(int64_t{value}));
    QString grouped;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += QLatin1Char(',');
        grouped += digits[i];
    }
    return value < 0 ? QLatin1Char('-') + grouped : grouped;
}

QString MonthDiffText(int32_t diff) {
    return Kanji(IntToKanjiStr(diff, true)) + QStringLiteral("円");
}

QString PercentChangeText(double percent) {
    return QString::asprintf(percent > 0 ? "+%.2f%%" : "%.2f%%", percent);
}

QString PriceText(int32_t price) {
    return Kanji(IntToKanjiStr(price, false)) + QStringLiteral("円");
}

QString MoneyText(int64_t money, bool showPlus) {
    return Kanji(ManToKanjiStr(money, showPlus)) + QStringLiteral("円");
}

QString CompanyColumnText(const TVxCompany& company, int code) {
    switch (code) {
    case ccID:
        return QString::asprintf("%.3d", int{company.ID});
    case ccStockPrice:
        return PriceText(company.StockPrice());
    case ccMonthDiff:
        return MonthDiffText(company.MonthDiff());
    case ccMonthDiffPercent:
        return PercentChangeText(company.MonthDiffPercent());
    case ccStockPrice1000:
        return MoneyText(company.StockPrice1000());
    case ccSellStockCount:
        return GroupedText(company.SellStockCount()) + QStringLiteral("株");
    case ccMyStockCount:
        if (company.MyStockCount == 0)
            return {};
        return GroupedText(company.MyStockCount) + QStringLiteral("株");
    case ccMyStockPriceBuyingAverage:
        if (company.MyStockPriceBuyingAverage() == 0)
            return {};
        return QStringLiteral("約") +
               Kanji(IntToKanjiStr(company.MyStockPriceBuyingAverage(), false)) +
               QStringLiteral("円");
    case ccMyStockPriceRatio:
        if (company.MyStockPriceBuyingAverage() == 0)
            return {};
        return GroupedText(company.MyStockPriceRatio()) + QStringLiteral("%");
    case ccMyStockValue:
        if (company.MyStockValue() == -1)
            return {};
        return MoneyText(company.MyStockValue());
    default:
        return {};
    }
}

TVxTrend CompanyColumnTrend(const TVxCompany& company, int code) {
    switch (code) {
    case ccMonthDiff:
        return TrendOf(company.MonthDiff());
    case ccMonthDiffPercent:
        return TrendOf(company.MonthDiffPercent());
    case ccMyStockPriceRatio:
        if (company.MyStockPriceBuyingAverage() == 0)
            return TVxTrend::None;
        return TrendOf(company.MyStockPriceRatio() - 100);
    default:
        return TVxTrend::None;
    }
}

void AddCompanyColumnInfos(TVxColumnInfos& infos) {
    for (const TCompanyColumnDefinition& definition : CompanyColumns) {
        TVxListColumnInfo& info = infos.ColumnInfos().Add();
        info.IdentName = QString::fromUtf8(definition.IdentName);
        info.Caption = QString::fromUtf8(definition.Caption);
        info.Alignment = TVxAlignment::Right;
        info.SetDefaultWidth(definition.Width);
    }
}
