#pragma once

// Lists of companies.  The market list owns its companies; the owner list
// refers to the held ones without owning them.

#include "game/VxCompany.h"
#include "game/VxCompanyColumn.h"
#include "game/VxStream.h"

#include <cstdint>
#include <vector>

class TCustomVxCompanyList {
public:
    explicit TCustomVxCompanyList(bool ownsObjects) : FOwnsObjects(ownsObjects) {}
    TCustomVxCompanyList(const TCustomVxCompanyList&) = delete;
    TCustomVxCompanyList& operator=(const TCustomVxCompanyList&) = delete;
    virtual ~TCustomVxCompanyList();

    int32_t Add(TVxCompany* company);
    TVxCompany* Items(int32_t index) const;
    int32_t IndexOf(const TVxCompany* company) const;
    void Delete(int32_t index);
    void Clear();
    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    bool OwnsObjects() const { return FOwnsObjects; }

    void LoadFromStream(TVxReadStream& stream);

protected:
    std::vector<TVxCompany*> FItems;

private:
    bool FOwnsObjects;
};

class TVxCompanyList : public TCustomVxCompanyList {
public:
    // Sort keys are the column codes of TVxCompanyColumn.
    static constexpr int32_t SortKeyCount = CompanyColumnCount;

    bool SortDown = false;
    int32_t SortColumn = 0;

    using TCustomVxCompanyList::TCustomVxCompanyList;

    void SetSort(int32_t column, bool down);
    void Sort();
    void CreateNewCompanies();
    void SaveToStream(TVxWriteStream& stream) const;
};

// Negative when `a` goes before `b` under the given key and direction, 0 when
// they compare equal, positive otherwise.  Key 3 compares month-on-month
// percentages in whole hundredths, so it is not a strict weak ordering.
int CompareCompanies(const TVxCompany& a, const TVxCompany& b, int32_t sortColumn, bool sortDown);
