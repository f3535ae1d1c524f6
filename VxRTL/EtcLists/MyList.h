#pragma once

// Small growable containers: TMyList (untyped pointers), TMyRecordList
// (fixed-size records) and TIntegerList (32-bit integers).  Capacity grows
// by a fixed rule (4, 8, 12, 28, 44, 60, 76, 95, ...) and every index,
// capacity and count is checked; a failed check throws EListError with a
// Japanese message naming the offending value and changes nothing.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class EListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace MyList {

inline constexpr int32_t MaxListSize = 134217727;

inline constexpr const char* SListIndexError = "リストのインデックスが範囲を超えています (%d)";
inline constexpr const char* SListCapacityError = "リストの容量が超えました (%d)";
inline constexpr const char* SListCountError = "リストの個数を超えました (%d)";

// Capacity after one growth step from `capacity`.
int32_t GrowCapacity(int32_t capacity);

// Throws EListError with `message`'s %d replaced by `value`.
[[noreturn]] void Error(const char* message, int32_t value);

} // namespace MyList

class TMyList {
public:
    enum TListNotification { lnAdded = 0, lnDeleted = 2 };

    TMyList() = default;
    TMyList(const TMyList&) = delete;
    TMyList& operator=(const TMyList&) = delete;
    virtual ~TMyList();

    int32_t Add(void* item);
    void Delete(int32_t index);
    void* Get(int32_t index) const;
    void SetCapacity(int32_t newCapacity);
    void SetCount(int32_t newCount);
    virtual void Clear();

    int32_t Count() const { return FCount; }
    int32_t Capacity() const { return FCapacity; }

protected:
    virtual void Grow();
    virtual void Notify(void* item, TListNotification action);

private:
    std::unique_ptr<void*[]> FItems;
    int32_t FCount = 0;
    int32_t FCapacity = 0;
};

// A list of records of type T.  The records are kept by value; what can be
// observed (values, count, capacity, growth and errors) is that of a list of
// heap records held in a TMyList.
template <typename T> class TMyRecordList {
public:
    TMyRecordList() = default;
    TMyRecordList(const TMyRecordList&) = delete;
    TMyRecordList& operator=(const TMyRecordList&) = delete;
    virtual ~TMyRecordList() = default;

    int32_t Add(const T& value) {
        if (Count() == FCapacity)
            SetCapacity(MyList::GrowCapacity(FCapacity));
        FItems.push_back(value);
        return Count() - 1;
    }
    const T& Get(int32_t index) const {
        CheckIndex(index);
        return FItems[static_cast<size_t>(index)];
    }
    void Put(int32_t index, const T& value) {
        CheckIndex(index);
        FItems[static_cast<size_t>(index)] = value;
    }
    void Delete(int32_t index) {
        CheckIndex(index);
        FItems.erase(FItems.begin() + index);
    }
    void Clear() {
        FItems.clear();
        FItems.shrink_to_fit();
        FCapacity = 0;
    }
    void AddList(const TMyRecordList& source) {
        // Copy first so that AddList(*this) doubles the list safely.
        const std::vector<T> values = source.FItems;
        for (const T& value : values)
            Add(value);
    }
    void Assign(const TMyRecordList& source) {
        if (&source == this)
            return;
        Clear();
        AddList(source);
    }

    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    int32_t Capacity() const { return FCapacity; }
    const T& Last() const { return Get(Count() - 1); }
    const std::vector<T>& Values() const { return FItems; }

private:
    void CheckIndex(int32_t index) const {
        if (index < 0 || index >= Count())
            MyList::Error(MyList::SListIndexError, index);
    }
    void SetCapacity(int32_t newCapacity) {
        if (newCapacity < Count() || newCapacity > MyList::MaxListSize)
            MyList::Error(MyList::SListCapacityError, newCapacity);
        FItems.reserve(static_cast<size_t>(newCapacity));
        FCapacity = newCapacity;
    }

    std::vector<T> FItems;
    int32_t FCapacity = 0;
};

class TIntegerList : public TMyRecordList<int32_t> {};

// Replaces `strings` with the decimal text of every value of `list`.
void IntegerListToStrings(std::vector<std::string>& strings, const TIntegerList& list);
