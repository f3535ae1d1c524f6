#include "ui/charts/VxMonthChartAccessible.h"

#include "components/VxAccessiblePart.h"
#include "ui/charts/VxMonthChart.h"

#include <QAccessibleWidget>

namespace {

// One month of a chart.
class TAccessibleMonth : public TVxAccessiblePart {
public:
    TAccessibleMonth(TVxMonthChart* chart, int index) : TVxAccessiblePart(chart, index) {}

    // A month the chart no longer shows (a client may still hold it) has
    // no place and no text.
    bool isValid() const override { return Chart() && Index() < Chart()->MonthCount(); }
    QRect rect() const override { return isValid() ? Chart()->MonthRect(Index()) : QRect(); }

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name && isValid() ? Chart()->MonthReadout(Index()) : QString();
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.invisible = !Chart()->isVisible();
        state.focusable = true;
        state.focused = Chart()->hasFocus() && Chart()->Highlighted() == Index();
        return state;
    }

private:
    TVxMonthChart* Chart() const { return static_cast<TVxMonthChart*>(Owner()); }
};

class TAccessibleMonthChart : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TAccessibleMonthChart(TVxMonthChart* chart)
        : QAccessibleWidget(chart, QAccessible::Chart),
          FMonths([chart](int index) { return new TAccessibleMonth(chart, index); }) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return Readout();
        return QAccessibleWidget::text(kind);
    }

    void* interface_cast(QAccessible::InterfaceType kind) override {
        if (kind == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(kind);
    }

    int childCount() const override { return Chart()->MonthCount(); }

    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < childCount() ? FMonths.At(index) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return FMonths.IndexOf(child);
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = Chart()->viewport()->mapFromGlobal(QPoint(x, y));
        if (!Chart()->viewport()->rect().contains(at))
            return nullptr;
        return child(Chart()->MonthAt(at));
    }

    QAccessibleInterface* focusChild() const override {
        return Chart()->hasFocus() ? child(Chart()->Highlighted()) : nullptr;
    }

    // The text: the month read out.  It is read, not edited: it has no
    // caret, no selection and no characters on screen of its own (the
    // tooltip shows it).
    QString text(int startOffset, int endOffset) const override {
        return Readout().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Readout().size()); }
    QString attributes(int, int* startOffset, int* endOffset) const override {
        // One run of plain text.
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}

private:
    TVxMonthChart* Chart() const { return static_cast<TVxMonthChart*>(widget()); }
    const QString& Readout() const { return Chart()->Readout(); }

    TVxAccessibleParts FMonths;
};

} // namespace

void InstallAccessibleMonthCharts() {
    QAccessible::installFactory(AccessibleFactory<TVxMonthChart, TAccessibleMonthChart>);
}
