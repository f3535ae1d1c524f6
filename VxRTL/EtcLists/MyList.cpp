#include "VxRTL/EtcLists/MyList.h"

#include <algorithm>
#include <cstdio>

namespace MyList {

int32_t GrowCapacity(int32_t capacity) {
    int32_t delta = 4;
    if (capacity > 64)
        delta = capacity / 4;
    else if (capacity > 8)
        delta = 16;
    // Past the limit the capacity check reports the requested value.
    return static_cast<int32_t>(std::min<int64_t>(int64_t{capacity} + delta, INT32_MAX));
}

void Error(const char* message, int32_t value) {
    const std::string text = message;
    const auto at = text.find("%d");
    throw EListError(text.substr(0, at) + std::to_string(value) + text.substr(at + 2));
}

} // namespace MyList

TMyList::~TMyList() {
    Clear();
}

int32_t TMyList::Add(void* item) {
    const int32_t index = FCount;
    if (index == FCapacity)
        Grow();
    FItems[index] = item;
    ++FCount;
    if (item != nullptr)
        Notify(item, lnAdded);
    return index;
}

void TMyList::Delete(int32_t index) {
    if (index < 0 || index >= FCount)
        MyList::Error(MyList::SListIndexError, index);
    void* item = FItems[index];
    --FCount;
    void** items = FItems.get();
    std::move(items + index + 1, items + FCount + 1, items + index);
    if (item != nullptr)
        Notify(item, lnDeleted);
}

void* TMyList::Get(int32_t index) const {
    if (index < 0 || index >= FCount)
        MyList::Error(MyList::SListIndexError, index);
    return FItems[index];
}

void TMyList::SetCapacity(int32_t newCapacity) {
    if (newCapacity < FCount || newCapacity > MyList::MaxListSize)
        MyList::Error(MyList::SListCapacityError, newCapacity);
    if (newCapacity == FCapacity)
        return;
    std::unique_ptr<void*[]> items;
    if (newCapacity > 0) {
        items = std::make_unique<void*[]>(static_cast<size_t>(newCapacity));
        std::copy(FItems.get(), FItems.get() + FCount, items.get());
    }
    FItems = std::move(items);
    FCapacity = newCapacity;
}

void TMyList::SetCount(int32_t newCount) {
    if (newCount < 0 || newCount > MyList::MaxListSize)
        MyList::Error(MyList::SListCountError, newCount);
    if (newCount > FCapacity)
        SetCapacity(newCount);
    if (newCount > FCount) {
        std::fill(FItems.get() + FCount, FItems.get() + newCount, nullptr);
        FCount = newCount;
    } else {
        while (FCount > newCount)
            Delete(FCount - 1);
    }
}

void TMyList::Clear() {
    SetCount(0);
    SetCapacity(0);
}

void TMyList::Grow() {
    SetCapacity(MyList::GrowCapacity(FCapacity));
}

void TMyList::Notify(void*, TListNotification) {}

void IntegerListToStrings(std::vector<std::string>& strings, const TIntegerList& list) {
    strings.clear();
    strings.reserve(static_cast<size_t>(list.Count()));
    for (const int32_t value : list.Values())
        strings.push_back(std::to_string(value));
}
