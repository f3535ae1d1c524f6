#pragma once

// A fixed set of companies, by identity, for the list model's question
// "is this company among those?", asked of every company of a list each
// month.  It is a flat open-addressing table of pointers: built in one pass
// without an allocation per company and answered in a probe or two, where a
// node-based hash set allocates for each company and a sorted copy costs a
// sort and a binary search each time.

#include <cstddef>
#include <cstdint>
#include <vector>

class TVxCompany;

class TVxCompanySet {
public:
    explicit TVxCompanySet(const std::vector<TVxCompany*>& companies);

    bool Contains(const TVxCompany* company) const;

private:
    size_t Slot(const TVxCompany* company) const;

    // At most half full, so a probe ends soon at an empty slot.
    std::vector<const TVxCompany*> FSlots;
    size_t FMask;
};
