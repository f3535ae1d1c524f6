#include "game/VxCompanyList.h"

#include "VxRTL/EtcLists/MyList.h"
#include "game/VxConsts.h"

#include <array>
#include <memory>
#include <utility>

TCustomVxCompanyList::~TCustomVxCompanyList() {
    Clear();
}

int32_t TCustomVxCompanyList::Add(TVxCompany* company) {
    FItems.push_back(company);
    return Count() - 1;
}

TVxCompany* TCustomVxCompanyList::Items(int32_t index) const {
    if (index < 0 || index >= Count())
        MyList::Error(MyList::SListIndexError, index);
    return FItems[static_cast<size_t>(index)];
}

int32_t TCustomVxCompanyList::IndexOf(const TVxCompany* company) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i] == company)
            return static_cast<int32_t>(i);
    return -1;
}

void TCustomVxCompanyList::Delete(int32_t index) {
    TVxCompany* company = Items(index);
    FItems.erase(FItems.begin() + index);
    if (FOwnsObjects)
        delete company;
}

void TCustomVxCompanyList::Clear() {
    std::vector<TVxCompany*> items;
    items.swap(FItems);
    if (FOwnsObjects)
        for (TVxCompany* company : items)
            delete company;
}

void TCustomVxCompanyList::LoadFromStream(TVxReadStream& stream) {
    const int32_t count = stream.ReadInt32();
    // A count the stream cannot hold fails before anything is allocated for it.
    if (count > Count() && stream.Remaining() / TVxCompany::RecordSize < static_cast<size_t>(count))
        throw EReadError();
    while (Count() < count)
        Add(new TVxCompany);
    for (TVxCompany* company : FItems)
        company->LoadFromStream(stream);
}

namespace {

int Sign(int64_t difference) {
    return (difference > 0) - (difference < 0);
}

// The value a company is sorted by under one key, the value its column
// shows: a whole number, except for the month-on-month percentage.  Unknown
// keys give every company the same value.
template <int Key> auto SortKey(const TVxCompany& c) {
    if constexpr (Key == ccID)
        return int64_t{c.ID};
    else if constexpr (Key == ccStockPrice)
        return int64_t{c.StockPrice()};
    else if constexpr (Key == ccMonthDiff)
        return int64_t{c.MonthDiff()};
    else if constexpr (Key == ccMonthDiffPercent)
        return c.MonthDiffPercent();
    else if constexpr (Key == ccStockPrice1000)
        return int64_t{c.StockPrice1000()};
    else if constexpr (Key == ccSellStockCount)
        return int64_t{c.SellStockCount()};
    else if constexpr (Key == ccMyStockCount)
        return int64_t{c.MyStockCount};
    else if constexpr (Key == ccMyStockPriceBuyingAverage)
        return int64_t{c.MyStockPriceBuyingAverage()};
    else if constexpr (Key == ccMyStockPriceRatio)
        return int64_t{c.MyStockPriceRatio()};
    else if constexpr (Key == ccMyStockValue)
        return int64_t{c.MyStockValue()};
    else
        return int64_t{0};
}

int CompareKeys(int64_t a, int64_t b) {
    return Sign(a - b);
}

// Percentages compare by their difference in hundredths of a point,
// rounded half to even: two that differ by at most 0.005 points are equal.
// The sign of that rounding is 0 exactly for differences within ±0.5, which
// spares rounding at every comparison.
int CompareKeys(double a, double b) {
    const long double hundredths = (static_cast<long double>(a) - b) * 100;
    return (hundredths > 0.5L) - (hundredths < -0.5L);
}

template <int Key> int CompareAscending(const TVxCompany& a, const TVxCompany& b) {
    return CompareKeys(SortKey<Key>(a), SortKey<Key>(b));
}

template <typename TKey> struct TSortItem {
    TKey Key;
    TVxCompany* Company;
};

// In-place quicksort (Hoare partition around the middle element).  Every
// scan stops at an element whose comparison with the pivot already stopped
// the other scan, so it stays inside [left, right] for any comparison with
// compare(x, x) == 0, transitive or not.  Recursing into the smaller part
// keeps the stack depth logarithmic.
template <typename TKey, typename Compare>
void QuickSort(std::vector<TSortItem<TKey>>& items, ptrdiff_t left, ptrdiff_t right,
               Compare compare) {
    while (left < right) {
        ptrdiff_t i = left;
        ptrdiff_t j = right;
        const TKey pivot = items[static_cast<size_t>(left + (right - left) / 2)].Key;
        do {
            while (compare(items[static_cast<size_t>(i)].Key, pivot) < 0)
                ++i;
            while (compare(items[static_cast<size_t>(j)].Key, pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(items[static_cast<size_t>(i)], items[static_cast<size_t>(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - left < right - i) {
            QuickSort(items, left, j, compare);
            left = i;
        } else {
            QuickSort(items, i, right, compare);
            right = j;
        }
    }
}

// Works out every company's key once, sorts by the keys and puts the
// companies back in that order.  The comparisons are those of
// CompareCompanies, so the order is the same as sorting the companies
// themselves, only without working the derived values out again at every
// comparison.
template <int Key> void SortBy(std::vector<TVxCompany*>& companies, bool down) {
    if (companies.size() < 2)
        return;
    using TKey = decltype(SortKey<Key>(*companies.front()));
    std::vector<TSortItem<TKey>> items;
    items.reserve(companies.size());
    for (TVxCompany* company : companies)
        items.push_back({SortKey<Key>(*company), company});
    const auto last = static_cast<ptrdiff_t>(items.size()) - 1;
    if (down)
        QuickSort(items, 0, last, [](TKey a, TKey b) { return CompareKeys(b, a); });
    else
        QuickSort(items, 0, last, [](TKey a, TKey b) { return CompareKeys(a, b); });
    for (size_t i = 0; i < items.size(); ++i)
        companies[i] = items[i].Company;
}

template <int... Keys>
void SortByColumn(std::vector<TVxCompany*>& items, int32_t column, bool down,
                  std::integer_sequence<int, Keys...>) {
    const bool known = ((column == Keys ? (SortBy<Keys>(items, down), true) : false) || ...);
    if (!known)
        SortBy<-1>(items, down);
}

template <int... Keys>
constexpr std::array<int (*)(const TVxCompany&, const TVxCompany&), sizeof...(Keys)>
MakeCompareTable(std::integer_sequence<int, Keys...>) {
    return {&CompareAscending<Keys>...};
}

constexpr auto CompareByKey =
    MakeCompareTable(std::make_integer_sequence<int, TVxCompanyList::SortKeyCount>{});

} // namespace

int CompareCompanies(const TVxCompany& a, const TVxCompany& b, int32_t sortColumn, bool sortDown) {
    const int result = sortColumn >= 0 && sortColumn < TVxCompanyList::SortKeyCount
                           ? CompareByKey[static_cast<size_t>(sortColumn)](a, b)
                           : 0;
    return sortDown ? -result : result;
}

void TVxCompanyList::SetSort(int32_t column, bool down) {
    SortColumn = column;
    SortDown = down;
    Sort();
}

void TVxCompanyList::Sort() {
    SortByColumn(FItems, SortColumn, SortDown, std::make_integer_sequence<int, SortKeyCount>{});
}

void TVxCompanyList::CreateNewCompanies() {
    Clear();
    FItems.reserve(CompanyCount);
    for (int32_t i = 0; i < CompanyCount; ++i) {
        auto company = std::make_unique<TVxCompany>();
        company->Reset();
        company->ID = static_cast<int16_t>(i);
        Add(company.release());
    }
}

void TVxCompanyList::SaveToStream(TVxWriteStream& stream) const {
    stream.WriteInt32(Count());
    for (const TVxCompany* company : FItems)
        company->SaveToStream(stream);
}
