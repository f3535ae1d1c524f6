#include "VxRTL/EtcLists/MyList.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

// Throws EListError from `operation` and checks its whole message.
template <typename Operation>
void ExpectListError(Operation operation, const std::string& message) {
    try {
        operation();
        ADD_FAILURE() << "no EListError, expected: " << message;
    } catch (const EListError& error) {
        EXPECT_EQ(error.what(), message);
    }
}

std::string IndexError(int32_t index) {
    return "リストのインデックスが範囲を超えています (" + std::to_string(index) + ")";
}
std::string CapacityError(int32_t capacity) {
    return "リストの容量が超えました (" + std::to_string(capacity) + ")";
}
std::string CountError(int32_t count) {
    return "リストの個数を超えました (" + std::to_string(count) + ")";
}

// Records the notifications of the list.
class TNotifyingList : public TMyList {
public:
    std::vector<std::pair<void*, TListNotification>> Notes;

protected:
    void Notify(void* item, TListNotification action) override { Notes.emplace_back(item, action); }
};

int Slot[8];
void* Item(int i) {
    return &Slot[i];
}

TEST(MyListGrowth, CapacitySequenceFromEmpty) {
    const std::vector<int32_t> expected = {4, 8, 12, 28, 44, 60, 76, 95, 118};
    for (const bool records : {false, true}) {
        SCOPED_TRACE(records ? "TIntegerList" : "TMyList");
        TMyList pointers;
        TIntegerList integers;
        std::vector<int32_t> seen;
        for (int32_t i = 0; i < 100; ++i) {
            const int32_t capacity = records ? (integers.Add(i), integers.Capacity())
                                             : (pointers.Add(nullptr), pointers.Capacity());
            if (seen.empty() || seen.back() != capacity)
                seen.push_back(capacity);
        }
        EXPECT_EQ(seen, expected);
    }
}

TEST(MyListGrowth, StepAtEveryThreshold) {
    const std::pair<int32_t, int32_t> cases[] = {
        {0, 4},
        {8, 12},
        {9, 25},
        {64, 80},
        {65, 81},
        {76, 95},
        {MyList::MaxListSize, MyList::MaxListSize + MyList::MaxListSize / 4},
        {INT32_MAX, INT32_MAX}, // saturates instead of overflowing
    };
    for (const auto& [capacity, grown] : cases)
        EXPECT_EQ(MyList::GrowCapacity(capacity), grown) << capacity;
}

TEST(MyList, AddDeleteAndNotifications) {
    TNotifyingList list;
    EXPECT_EQ(list.Add(Item(0)), 0);
    EXPECT_EQ(list.Add(nullptr), 1);
    EXPECT_EQ(list.Add(Item(2)), 2);
    EXPECT_EQ(list.Add(Item(3)), 3);
    list.Delete(1); // a null item is removed silently
    list.Delete(0);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(0), Item(2));
    EXPECT_EQ(list.Get(1), Item(3));
    using N = TMyList::TListNotification;
    const std::vector<std::pair<void*, N>> expected = {{Item(0), N::lnAdded},
                                                       {Item(2), N::lnAdded},
                                                       {Item(3), N::lnAdded},
                                                       {Item(0), N::lnDeleted}};
    EXPECT_EQ(list.Notes, expected);
}

TEST(MyList, SetCountFillsWithNullAndShrinksLastFirst) {
    TNotifyingList list;
    list.SetCount(3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Capacity(), 3);
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(list.Get(i), nullptr);
    EXPECT_TRUE(list.Notes.empty());

    list.SetCount(0);
    for (int i = 0; i < 3; ++i)
        list.Add(Item(i));
    list.Notes.clear();
    list.SetCount(1);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Get(0), Item(0));
    using N = TMyList::TListNotification;
    const std::vector<std::pair<void*, N>> expected = {{Item(2), N::lnDeleted},
                                                       {Item(1), N::lnDeleted}};
    EXPECT_EQ(list.Notes, expected);
}

TEST(MyList, ClearEmptiesCountAndCapacity) {
    TMyList list;
    for (int i = 0; i < 13; ++i)
        list.Add(Item(0));
    EXPECT_EQ(list.Capacity(), 28);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(list.Add(Item(1)), 0); // usable again
}

TEST(MyList, FailedChecksNameTheValueAndChangeNothing) {
    TMyList list;
    list.Add(Item(0));
    list.Add(Item(1));
    ExpectListError([&] { list.Get(2); }, IndexError(2));
    ExpectListError([&] { list.Get(-1); }, IndexError(-1));
    ExpectListError([&] { list.Delete(2); }, IndexError(2));
    ExpectListError([&] { list.Delete(-1); }, IndexError(-1));
    ExpectListError([&] { list.SetCapacity(1); }, CapacityError(1));
    ExpectListError([&] { list.SetCapacity(MyList::MaxListSize + 1); },
                    CapacityError(MyList::MaxListSize + 1));
    ExpectListError([&] { list.SetCount(-1); }, CountError(-1));
    ExpectListError([&] { list.SetCount(MyList::MaxListSize + 1); },
                    CountError(MyList::MaxListSize + 1));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Capacity(), 4);
    EXPECT_EQ(list.Get(0), Item(0));
    EXPECT_EQ(list.Get(1), Item(1));
}

void Fill(TIntegerList& list, std::initializer_list<int32_t> values) {
    for (const int32_t value : values)
        list.Add(value);
}

TEST(IntegerList, GetPutDelete) {
    TIntegerList list;
    EXPECT_EQ(list.Add(10), 0);
    EXPECT_EQ(list.Add(-20), 1);
    EXPECT_EQ(list.Add(INT32_MIN), 2);
    list.Put(1, INT32_MAX);
    list.Delete(0);
    EXPECT_EQ(list.Values(), (std::vector<int32_t>{INT32_MAX, INT32_MIN}));
    EXPECT_EQ(list.Last(), INT32_MIN);
}

TEST(IntegerList, IndexErrorsNameTheIndexAndChangeNothing) {
    TIntegerList list;
    Fill(list, {1, 2});
    ExpectListError([&] { list.Get(2); }, IndexError(2));
    ExpectListError([&] { list.Get(-1); }, IndexError(-1));
    ExpectListError([&] { list.Put(2, 9); }, IndexError(2));
    ExpectListError([&] { list.Delete(-1); }, IndexError(-1));
    EXPECT_EQ(list.Values(), (std::vector<int32_t>{1, 2}));
    TIntegerList empty;
    ExpectListError([&] { empty.Last(); }, IndexError(-1));
}

TEST(IntegerList, ClearLeavesCountAndCapacityAtZero) {
    TIntegerList list;
    for (int32_t i = 0; i < 13; ++i)
        list.Add(i);
    EXPECT_EQ(list.Capacity(), 28);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    list.Add(7);
    EXPECT_EQ(list.Capacity(), 4);
}

TEST(IntegerList, AssignCopiesTheValues) {
    TIntegerList source;
    TIntegerList target;
    Fill(source, {5, 6, 7});
    Fill(target, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    target.Assign(source);
    EXPECT_EQ(target.Values(), source.Values());
    EXPECT_EQ(target.Capacity(), 4); // rebuilt from empty
    source.Put(0, 99);               // a copy, not a share
    EXPECT_EQ(target.Get(0), 5);

    target.Assign(target);
    EXPECT_EQ(target.Values(), (std::vector<int32_t>{5, 6, 7}));
}

TEST(IntegerList, AddListAppendsInOrderAlsoFromItself) {
    TIntegerList list;
    TIntegerList more;
    Fill(list, {1, 2});
    Fill(more, {3, 4});
    list.AddList(more);
    EXPECT_EQ(list.Values(), (std::vector<int32_t>{1, 2, 3, 4}));
    list.AddList(list);
    EXPECT_EQ(list.Values(), (std::vector<int32_t>{1, 2, 3, 4, 1, 2, 3, 4}));
}

TEST(IntegerList, ToStringsReplacesTheStrings) {
    std::vector<std::string> strings = {"old"};
    TIntegerList list;
    Fill(list, {1000, -5, 0, INT32_MIN});
    IntegerListToStrings(strings, list);
    EXPECT_EQ(strings, (std::vector<std::string>{"1000", "-5", "0", "-2147483648"}));
    IntegerListToStrings(strings, TIntegerList());
    EXPECT_TRUE(strings.empty());
}

} // namespace
