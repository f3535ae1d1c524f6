#include "components/VxListView.h"

#include "components/VxListHeader.h"

#include <QAccessible>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMetaMethod>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

// Suspends repainting of a widget for a scope, also when the scope throws.
class TUpdatesSuspension {
public:
    explicit TUpdatesSuspension(QWidget& widget)
        : FWidget(widget), FWasEnabled(widget.updatesEnabled()) {
        FWidget.setUpdatesEnabled(false);
    }
    ~TUpdatesSuspension() { FWidget.setUpdatesEnabled(FWasEnabled); }
    TUpdatesSuspension(const TUpdatesSuspension&) = delete;
    TUpdatesSuspension& operator=(const TUpdatesSuspension&) = delete;

private:
    QWidget& FWidget;
    bool FWasEnabled;
};

} // namespace

TVxListView::TVxListView(QWidget* parent) : TVxListView(new TVxListViewModel, parent) {}

TVxListView::TVxListView(TVxListViewModel* model, QWidget* parent)
    : QTreeView(parent), FModel(model), FDelegate(new TVxListItemDelegate(this)) {
    FModel->setParent(this);
    setHeader(new TVxListHeader(this));
    setModel(FModel);
    setItemDelegate(FDelegate);
    // New columns are measured anew.
    connect(FModel, &QAbstractItemModel::columnsInserted, FDelegate,
            &TVxListItemDelegate::ForgetHeights);
    connect(FModel, &QAbstractItemModel::columnsRemoved, FDelegate,
            &TVxListItemDelegate::ForgetHeights);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);

    QHeaderView* columns = header();
    columns->setSortIndicatorShown(false);
    columns->setSectionsMovable(false);
    columns->setStretchLastSection(false);
    columns->setHighlightSections(false);
    columns->setSectionsClickable(true);

    connect(columns, &QHeaderView::sectionClicked, this, &TVxListView::ColumnClick);
    connect(columns, &QHeaderView::sectionResized, this, &TVxListView::ApplyColumnWidthLimits);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                for (const QItemSelectionRange& range : deselected)
                    for (int row = range.top(); row <= range.bottom(); ++row)
                        emit SelectItem(row, false);
                for (const QItemSelectionRange& range : selected)
                    for (int row = range.top(); row <= range.bottom(); ++row)
                        emit SelectItem(row, true);
            });
}

QString TVxListView::ItemText(int row, int column) const {
    return FModel->data(FModel->index(row, column)).toString();
}

void TVxListView::AddColumn(const QString& caption, int width, TVxAlignment alignment) {
    TVxListColumn column;
    column.Caption = caption;
    column.Alignment = alignment;
    FModel->AddColumn(column);
    header()->resizeSection(ColumnCount() - 1, width);
}

int TVxListView::ColumnWidth(int column) const {
    return header()->sectionSize(column);
}

void TVxListView::SetColumnWidth(int column, int width) {
    header()->resizeSection(column, width);
}

void TVxListView::SetColumnClick(bool enabled) {
    header()->setSectionsClickable(enabled);
}

void TVxListView::SetMultiSelect(bool enabled) {
    setSelectionMode(enabled ? QAbstractItemView::ExtendedSelection
                             : QAbstractItemView::SingleSelection);
}

TVxListColumnInfos& TVxListView::Infos() const {
    if (!FColumnInfos)
        throw std::logic_error("the list view has no column set");
    return FColumnInfos->ColumnInfos();
}

void TVxListView::SetColumnCaption(int column, const QString& caption) {
    TVxListColumn value = Column(column);
    value.Caption = caption;
    FModel->SetColumn(column, value);
}

void TVxListView::UpdateColumns() {
    const TVxListColumnInfos& infos = Infos();
    const TUpdatesSuspension suspension(*this);
    const int visibleCount = infos.VisibleCount();
    FModel->SetColumnCount(visibleCount);
    for (int position = 0; position < visibleCount; ++position) {
        const TVxListColumnInfo* info = infos.InfoByDisplayIndex(position);
        if (!info)
            throw std::out_of_range("no column info at display index " + std::to_string(position));
        TVxListColumn column;
        column.Alignment = info->Alignment;
        column.AutoSize = info->AutoSize;
        column.Caption = info->Caption;
        column.MaxWidth = info->MaxWidth;
        column.MinWidth = info->MinWidth;
        column.Tag = info->Index();
        if (column.Tag == SortColumnIndex)
            column.Caption = SortMarkText() + column.Caption;
        FModel->SetColumn(position, column);
        header()->setSectionResizeMode(position, info->AutoSize ? QHeaderView::ResizeToContents
                                                                : QHeaderView::Interactive);
        header()->resizeSection(position, info->Width);
    }
}

void TVxListView::ColumnSortClick(int column) {
    const TVxListColumnInfos& infos = Infos();
    const int clickedTag = Column(column).Tag;
    for (int other = 0; other < ColumnCount(); ++other)
        if (Column(other).Tag == SortColumnIndex)
            SetColumnCaption(other, infos.Items(SortColumnIndex).Caption);
    if (clickedTag == SortColumnIndex) {
        SortDown = !SortDown;
    } else {
        SortDown = false;
        SortColumnIndex = clickedTag;
    }
    SetColumnCaption(column, SortMarkText() + infos.Items(clickedTag).Caption);
}

QString TVxListView::SortMarkText() const {
    if (!SortMarkUse)
        return {};
    return SortDown ? SortMarkDown : SortMarkUp;
}

void TVxListView::RefreshVisibleRows() {
    if (ItemCount() == 0) {
        viewport()->update();
        return;
    }
    const QModelIndex top = indexAt(QPoint(0, 0));
    const int first = top.isValid() ? top.row() : 0;
    const int height = std::max(rowHeight(FModel->index(first, 0)), 1);
    const int pageRows = viewport()->height() / height;
    FModel->RefreshRows(first, first + pageRows);
}

void TVxListView::ResetColumnWidths() {
    TVxListColumnInfos& infos = Infos();
    for (int i = 0; i < infos.Count(); ++i)
        infos.Items(i).Width = infos.Items(i).DefaultWidth();
    for (int position = 0; position < ColumnCount(); ++position)
        if (const TVxListColumnInfo* info = infos.InfoByDisplayIndex(position))
            header()->resizeSection(position, info->Width);
}

void TVxListView::ClearSelection() {
    selectionModel()->clearSelection();
}

int TVxListView::ItemIndex() const {
    int first = -1;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        if (first < 0 || index.row() < first)
            first = index.row();
    return first;
}

int TVxListView::ItemFocused() const {
    const QModelIndex current = selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TVxListView::SetItemFocused(int row) {
    const QModelIndex index = FModel->index(row, 0);
    if (index.isValid())
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    else
        selectionModel()->clearCurrentIndex();
}

void TVxListView::SelectAndFocus(int row) {
    const QModelIndex index = FModel->index(row, 0);
    if (!index.isValid())
        return;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index, QAbstractItemView::EnsureVisible);
}

int TVxListView::sizeHintForColumn(int column) const {
    const TVxListItemDelegate::TWidthMeasurement measurement(*FDelegate);
    return QTreeView::sizeHintForColumn(column);
}

void TVxListView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        FDelegate->ForgetHeights();
    QTreeView::changeEvent(event);
}

void TVxListView::focusInEvent(QFocusEvent* event) {
    // Qt focuses a row here (the first, when none has the focus yet) and
    // tells assistive technology of it, but of the list itself after that,
    // so a screen reader presents the list and drops the row.  The row is
    // told once more when the event loop next runs.
    QTreeView::focusInEvent(event);
    QMetaObject::invokeMethod(this, &TVxListView::ReportFocusedRow, Qt::QueuedConnection);
}

void TVxListView::ReportFocusedRow() {
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid() || !QAccessible::isActive())
        return;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(this);
    QAccessibleTableInterface* table = list ? list->tableInterface() : nullptr;
    QAccessibleInterface* cell = table ? table->cellAt(current.row(), 0) : nullptr;
    if (!cell)
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(list->indexOfChild(cell));
    QAccessible::updateAccessibility(&focus);
}

void TVxListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    emit DblClick();
}

void TVxListView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    // A list whose rows lead nowhere leaves Enter to its dialog's default
    // button.
    const bool rowsLeadSomewhere =
        isSignalConnected(QMetaMethod::fromSignal(&TVxListView::DblClick));
    if (enter && plain && rowsLeadSomewhere && ItemFocused() >= 0) {
        event->accept();
        emit DblClick();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void TVxListView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    // Qt would move the focus to a neighbouring row and, with single
    // selection, select it: a list that loses rows would then chart or
    // trade a company nobody picked.  Removed rows take their focus along.
    const int focused = ItemFocused();
    if (focused >= start && focused <= end)
        SetItemFocused(-1);
    QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

void TVxListView::ApplyColumnWidthLimits(int column, int /*oldWidth*/, int newWidth) {
    if (column < 0 || column >= ColumnCount())
        return;
    const TVxListColumn& limits = Column(column);
    if (limits.MinWidth > 0 && newWidth < limits.MinWidth)
        header()->resizeSection(column, limits.MinWidth);
    else if (limits.MaxWidth > 0 && newWidth > limits.MaxWidth)
        header()->resizeSection(column, limits.MaxWidth);
}
