#include "ui/VxPriceChartAccessible.h"

#include "ui/VxPriceChart.h"

TVxPriceChartAccessible::TVxPriceChartAccessible(TVxPriceChart* chart)
    : QAccessibleWidget(chart, QAccessible::Chart) {}

QAccessibleInterface* TVxPriceChartAccessible::Create(const QString& className, QObject* object) {
    if (className == QLatin1String("TVxPriceChart"))
        if (auto* chart = qobject_cast<TVxPriceChart*>(object))
            return new TVxPriceChartAccessible(chart);
    return nullptr;
}

void TVxPriceChartAccessible::ReadoutChanged(TVxPriceChart* chart, const QString& before) {
    if (!QAccessible::isActive())
        return;
    // The value event serves the platforms that read value texts; the text
    // event is the one the Linux bridge passes on.
    QAccessibleValueChangeEvent valueChange(chart, chart->Readout());
    QAccessible::updateAccessibility(&valueChange);
    QAccessibleTextUpdateEvent textChange(chart, 0, before, chart->Readout());
    QAccessible::updateAccessibility(&textChange);
}

const QString& TVxPriceChartAccessible::Readout() const {
    return static_cast<const TVxPriceChart*>(widget())->Readout();
}

QString TVxPriceChartAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value)
        return Readout();
    return QAccessibleWidget::text(kind);
}

void* TVxPriceChartAccessible::interface_cast(QAccessible::InterfaceType kind) {
    if (kind == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(kind);
}

QString TVxPriceChartAccessible::text(int startOffset, int endOffset) const {
    return Readout().mid(startOffset, endOffset - startOffset);
}

int TVxPriceChartAccessible::characterCount() const {
    return static_cast<int>(Readout().size());
}

QString TVxPriceChartAccessible::attributes(int, int* startOffset, int* endOffset) const {
    // One run of plain text.
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void TVxPriceChartAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = 0;
}
