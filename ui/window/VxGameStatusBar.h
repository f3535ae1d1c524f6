#pragma once

// The main window's status bar: five panels side by side.  Panel 0 shows
// the hint of whatever the mouse is over, panels 1 to 3 the calendar, the
// cash and the number of companies held, panel 4 stays empty.  Panel 0
// takes the width the middle panels leave; the last panel is not counted,
// so it lies past the right edge.  While months pass by themselves, a
// panel at the right end says so; otherwise it is not there.

#include <QStatusBar>

class TVxGame;
class QLabel;
class TVxStatusPanels;

class TVxGameStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TVxGameStatusBar(QWidget* parent = nullptr);

    TVxStatusPanels& Panels() const { return *FPanels; }

    // Writes panels 1 to 3 from `game`.
    void Reflect(const TVxGame& game);
    // Writes a hint to panel 0 (the long text of a "short|long" hint).
    void ShowHint(const QString& hint);
    // Shows what months passing by themselves are doing; an empty text
    // takes the panel away.
    void ShowAutoPlay(const QString& text);

private:
    void StatusBar1Resize();

    TVxStatusPanels* FPanels;
    QLabel* FAutoPlay;
};
