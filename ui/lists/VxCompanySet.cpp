#include "ui/lists/VxCompanySet.h"

#include <bit>

TVxCompanySet::TVxCompanySet(const std::vector<TVxCompany*>& companies)
    : FSlots(std::bit_ceil(2 * companies.size() + 1), nullptr), FMask(FSlots.size() - 1) {
    for (const TVxCompany* company : companies) {
        size_t slot = Slot(company);
        while (FSlots[slot] && FSlots[slot] != company)
            slot = (slot + 1) & FMask;
        FSlots[slot] = company;
    }
}

bool TVxCompanySet::Contains(const TVxCompany* company) const {
    if (!company)
        return false;
    for (size_t slot = Slot(company); FSlots[slot]; slot = (slot + 1) & FMask)
        if (FSlots[slot] == company)
            return true;
    return false;
}

size_t TVxCompanySet::Slot(const TVxCompany* company) const {
    // Fibonacci hashing of the address: the low bits of heap addresses are
    // mostly alike, the high bits of the product mix all of them.
    const uint64_t key = reinterpret_cast<uintptr_t>(company);
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & FMask;
}
