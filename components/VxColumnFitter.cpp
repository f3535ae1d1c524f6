#include "components/VxColumnFitter.h"

#include "components/VxListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyle>

#include <algorithm>
#include <numeric>

namespace {

// Room between the texts of neighbouring columns, beyond the style's own.
constexpr int ColumnGap = 12;

} // namespace

TVxColumnFitter::TVxColumnFitter(TVxListView& list)
    : QObject(&list), FList(list), FViewport(list.viewport()) {
    FList.viewport()->installEventFilter(this);
    FList.installEventFilter(this);
}

void TVxColumnFitter::Reset() {
    FWidest.assign(static_cast<size_t>(FList.ColumnCount()), 0);
}

void TVxColumnFitter::Measure(int first, int last) {
    const auto columns = static_cast<size_t>(FList.ColumnCount());
    if (FWidest.size() != columns)
        FWidest.assign(columns, 0);
    bool wider = false;
    for (int row = std::max(first, 0); row <= last && row < FList.ItemCount(); ++row)
        for (size_t column = 0; column < columns; ++column) {
            const int width = CellWidth(FList.ItemText(row, static_cast<int>(column)));
            if (width > FWidest[column]) {
                FWidest[column] = width;
                wider = true;
            }
        }
    if (wider)
        Fit();
}

int TVxColumnFitter::Needed(int column) const {
    const int widest =
        static_cast<size_t>(column) < FWidest.size() ? FWidest[static_cast<size_t>(column)] : 0;
    return std::max(widest, FList.header()->sectionSizeHint(column));
}

int TVxColumnFitter::CellWidth(const QString& text) const {
    // As Qt's item delegate lays a cell out: the text between the focus
    // frame's margins.
    const int margin = FList.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &FList);
    return FList.fontMetrics().horizontalAdvance(text) + 2 * (margin + 1) + ColumnGap;
}

bool TVxColumnFitter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FViewport && event->type() == QEvent::Resize) {
        Fit();
    } else if (watched == &FList &&
               (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)) {
        Reset();
        Measure(0, FList.ItemCount() - 1);
        Fit();
    }
    return QObject::eventFilter(watched, event);
}

void TVxColumnFitter::Fit() {
    const int columns = FList.ColumnCount();
    if (columns == 0)
        return;
    std::vector<int> widths(static_cast<size_t>(columns));
    for (int column = 0; column < columns; ++column)
        widths[static_cast<size_t>(column)] = Needed(column);
    const int needed = std::accumulate(widths.begin(), widths.end(), 0);
    const int spare = FList.viewport()->width() - needed;
    if (spare > 0) {
        // Shared out in proportion; the last column takes what rounding
        // leaves, so the columns end at the list's right edge.
        int given = 0;
        for (size_t column = 0; column + 1 < widths.size(); ++column) {
            const int share =
                static_cast<int>(static_cast<int64_t>(spare) * widths[column] / needed);
            widths[column] += share;
            given += share;
        }
        widths.back() += spare - given;
    }
    for (int column = 0; column < columns; ++column)
        FList.SetColumnWidth(column, widths[static_cast<size_t>(column)]);
}
