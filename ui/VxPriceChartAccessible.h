#pragma once

// The price chart as assistive technology meets it: a chart named by its
// title and described by its months, whose value is the month it reads out
// ("11月 1170円 (前月比 +15円 +1.30%)", empty while it reads out none).
//
// The Linux accessibility bridge passes a widget's value text on to AT-SPI
// only for editable texts, and its value events only for numeric values, so
// the chart also offers the month read out as a read-only text: its Text
// interface carries it to a screen reader, and a text change announces a
// new month.

#include <QAccessibleWidget>

class TVxPriceChart;

class TVxPriceChartAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TVxPriceChartAccessible(TVxPriceChart* chart);

    // The interface of every TVxPriceChart, for QAccessible::installFactory.
    static QAccessibleInterface* Create(const QString& className, QObject* object);

    // Tells assistive technology that `chart` now reads out another month.
    static void ReadoutChanged(TVxPriceChart* chart, const QString& before);

    QString text(QAccessible::Text kind) const override;
    void* interface_cast(QAccessible::InterfaceType kind) override;

    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // The text is read, not edited: it has no caret, no selection and no
    // characters on screen of its own (the tooltip shows it).
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}

private:
    const QString& Readout() const;
};
