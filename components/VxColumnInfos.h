#pragma once

// Column definitions for a TVxListView.  A column set (TVxColumnInfos) holds
// an ordered collection (TVxListColumnInfos) of definitions
// (TVxListColumnInfo); the list view builds its visible columns from it in
// display order and tags each built column with its definition's collection
// index, so the owner's data and sort code never depend on screen positions.

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

enum class TVxAlignment { Left, Right, Center };

class TVxColumnInfos;
class TVxListColumnInfos;

class TVxListColumnInfo {
public:
    static constexpr int DefaultColumnWidth = 50;

    TVxAlignment Alignment = TVxAlignment::Left;
    bool AutoSize = false;
    QString Caption;
    int MaxWidth = 0; // 0: no limit
    int MinWidth = 0; // 0: no limit
    int Width = DefaultColumnWidth;
    QString IdentName;
    bool Visible = true;

    TVxListColumnInfo(const TVxListColumnInfo&) = delete;
    TVxListColumnInfo& operator=(const TVxListColumnInfo&) = delete;

    TVxListColumnInfos& Collection() const { return FCollection; }
    int Index() const;

    int Order() const { return FOrder; }
    // Exchanges orders with the definition that has `value`, so the orders
    // of a set stay a permutation; a value outside the set is ignored.
    void SetOrder(int value);

    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int value); // also sets Width

    bool DefaultVisible() const { return FDefaultVisible; }
    void SetDefaultVisible(bool value); // also sets Visible

private:
    friend class TVxListColumnInfos;
    explicit TVxListColumnInfo(TVxListColumnInfos& collection) : FCollection(collection) {}

    TVxListColumnInfos& FCollection;
    int FOrder = 0;
    int FDefaultWidth = DefaultColumnWidth;
    bool FDefaultVisible = true;
};

class TVxListColumnInfos {
public:
    explicit TVxListColumnInfos(TVxColumnInfos* owner) : FOwner(owner) {}
    TVxListColumnInfos(const TVxListColumnInfos&) = delete;
    TVxListColumnInfos& operator=(const TVxListColumnInfos&) = delete;

    TVxColumnInfos* Owner() const { return FOwner; }

    // Appends a definition with the defaults; its order is its index and its
    // identity name "VxListColumnInfo" followed by its index.
    TVxListColumnInfo& Add();
    int Count() const { return static_cast<int>(FItems.size()); }
    // Throw std::out_of_range for an index outside the collection.
    TVxListColumnInfo& Items(int index);
    const TVxListColumnInfo& Items(int index) const;
    int IndexOf(const TVxListColumnInfo& info) const;

    int VisibleCount() const;
    // Screen position of the definition's column, -1 when it is hidden.
    // Throws std::out_of_range when the orders are not a permutation.
    int DisplayIndex(const TVxListColumnInfo& info) const;
    // The definition shown at screen position `position`, or nullptr.
    const TVxListColumnInfo* InfoByDisplayIndex(int position) const;
    // The first definition in collection order with `order`, or nullptr.
    const TVxListColumnInfo* InfoByOrder(int order) const;

private:
    TVxColumnInfos* FOwner;
    std::vector<std::unique_ptr<TVxListColumnInfo>> FItems;
};

// A column set: a non-visual object owning one collection of definitions.
// One set can serve several list views and be read by other code.
class TVxColumnInfos : public QObject {
    Q_OBJECT
public:
    explicit TVxColumnInfos(QObject* parent = nullptr) : QObject(parent), FColumnInfos(this) {}

    TVxListColumnInfos& ColumnInfos() { return FColumnInfos; }
    const TVxListColumnInfos& ColumnInfos() const { return FColumnInfos; }

private:
    TVxListColumnInfos FColumnInfos;
};
