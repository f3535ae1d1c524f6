#include "ui/window/VxStatusPanels.h"

#include <QLabel>

#include <algorithm>
#include <stdexcept>
#include <string>

TVxStatusPanels::TVxStatusPanels(const std::vector<int>& widths, QWidget* parent)
    : QWidget(parent), FWidths(widths) {
    for (size_t i = 0; i < widths.size(); ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        panel->setIndent(2);
        FPanels.push_back(panel);
    }
    LayOutPanels();
}

QLabel& TVxStatusPanels::Panel(int index) const {
    if (index < 0 || index >= PanelCount())
        throw std::out_of_range("no status panel " + std::to_string(index));
    return *FPanels[static_cast<size_t>(index)];
}

int TVxStatusPanels::PanelWidth(int index) const {
    Panel(index); // range check
    return FWidths[static_cast<size_t>(index)];
}

void TVxStatusPanels::SetPanelWidth(int index, int width) {
    Panel(index); // range check
    FWidths[static_cast<size_t>(index)] = std::max(width, 0);
    LayOutPanels();
}

QSize TVxStatusPanels::sizeHint() const {
    int width = 0;
    for (int panelWidth : FWidths)
        width += panelWidth;
    return {width, fontMetrics().height() + 6};
}

QSize TVxStatusPanels::minimumSizeHint() const {
    return {0, fontMetrics().height() + 6};
}

void TVxStatusPanels::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutPanels();
    emit Resized();
}

void TVxStatusPanels::LayOutPanels() {
    int left = 0;
    for (size_t i = 0; i < FPanels.size(); ++i) {
        FPanels[i]->setGeometry(left, 0, FWidths[i], height());
        left += FWidths[i];
    }
}
