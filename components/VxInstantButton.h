#pragma once

// A push button whose shortcut (its mnemonic, Alt and the underlined
// letter) clicks it at once, on every press and on every repeat of a held
// key.  Qt's own button answers its shortcut with an animated click and
// ignores the shortcut presses that come while the animation runs, so
// quick presses are lost.  This one shows itself pressed for a moment all
// the same, and a click by the mouse or the space bar is Qt's own.

#include <QPushButton>
#include <QTimer>

class TVxInstantButton : public QPushButton {
    Q_OBJECT
public:
    explicit TVxInstantButton(const QString& text, QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
    // A press of the mouse or the space bar takes the pressed look over.
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTimer FShownDown;
};
