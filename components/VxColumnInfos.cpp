#include "components/VxColumnInfos.h"

#include <stdexcept>
#include <string>
#include <utility>

int TVxListColumnInfo::Index() const {
    return FCollection.IndexOf(*this);
}

void TVxListColumnInfo::SetOrder(int value) {
    if (value < 0 || value >= FCollection.Count())
        return;
    for (int i = 0; i < FCollection.Count(); ++i) {
        TVxListColumnInfo& other = FCollection.Items(i);
        if (other.FOrder == value) {
            other.FOrder = FOrder;
            break;
        }
    }
    FOrder = value;
}

void TVxListColumnInfo::SetDefaultWidth(int value) {
    FDefaultWidth = value;
    Width = value;
}

void TVxListColumnInfo::SetDefaultVisible(bool value) {
    FDefaultVisible = value;
    Visible = value;
}

TVxListColumnInfo& TVxListColumnInfos::Add() {
    // The definition joins the collection first: its defaults depend on the
    // index it gets there.
    FItems.push_back(std::unique_ptr<TVxListColumnInfo>(new TVxListColumnInfo(*this)));
    TVxListColumnInfo& info = *FItems.back();
    const int index = Count() - 1;
    info.FOrder = index;
    info.IdentName = QStringLiteral("VxListColumnInfo%1").arg(index);
    return info;
}

TVxListColumnInfo& TVxListColumnInfos::Items(int index) {
    return const_cast<TVxListColumnInfo&>(std::as_const(*this).Items(index));
}

const TVxListColumnInfo& TVxListColumnInfos::Items(int index) const {
    if (index < 0 || index >= Count())
        throw std::out_of_range("column info index out of range: " + std::to_string(index));
    return *FItems[static_cast<size_t>(index)];
}

int TVxListColumnInfos::IndexOf(const TVxListColumnInfo& info) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == &info)
            return static_cast<int>(i);
    return -1;
}

int TVxListColumnInfos::VisibleCount() const {
    int count = 0;
    for (const auto& info : FItems)
        count += info->Visible ? 1 : 0;
    return count;
}

int TVxListColumnInfos::DisplayIndex(const TVxListColumnInfo& info) const {
    if (!info.Visible)
        return -1;
    int position = info.Order();
    for (int order = 0; order < info.Order(); ++order) {
        const TVxListColumnInfo* before = InfoByOrder(order);
        if (!before)
            throw std::out_of_range("no column info has the order " + std::to_string(order));
        if (!before->Visible)
            --position;
    }
    return position;
}

const TVxListColumnInfo* TVxListColumnInfos::InfoByDisplayIndex(int position) const {
    if (position < 0)
        return nullptr;
    for (const auto& info : FItems)
        if (DisplayIndex(*info) == position)
            return info.get();
    return nullptr;
}

const TVxListColumnInfo* TVxListColumnInfos::InfoByOrder(int order) const {
    for (const auto& info : FItems)
        if (info->Order() == order)
            return info.get();
    return nullptr;
}
