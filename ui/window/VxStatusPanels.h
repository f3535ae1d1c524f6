#pragma once

// The panels of a status bar: text fields laid side by side from the left
// edge, each at its own width.  Panels that do not fit are cut off at the
// right edge instead of squeezing the others.

#include <QWidget>

#include <vector>

class QLabel;

class TVxStatusPanels : public QWidget {
    Q_OBJECT
public:
    TVxStatusPanels(const std::vector<int>& widths, QWidget* parent = nullptr);

    int PanelCount() const { return static_cast<int>(FPanels.size()); }
    QLabel& Panel(int index) const;
    int PanelWidth(int index) const;
    void SetPanelWidth(int index, int width);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Resized();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOutPanels();

    std::vector<QLabel*> FPanels;
    std::vector<int> FWidths;
};
