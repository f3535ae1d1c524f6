#include "components/VxInstantButton.h"

#include <QShortcutEvent>

namespace {

// As long as Qt's animated click shows the button down.
constexpr int ShownDownMs = 100;

} // namespace

TVxInstantButton::TVxInstantButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent) {
    FShownDown.setSingleShot(true);
    FShownDown.setInterval(ShownDownMs);
    connect(&FShownDown, &QTimer::timeout, this, [this] { setDown(false); });
}

bool TVxInstantButton::event(QEvent* event) {
    // An ambiguous shortcut only moves the focus to the button, as Qt does.
    if (event->type() != QEvent::Shortcut || static_cast<QShortcutEvent*>(event)->isAmbiguous())
        return QPushButton::event(event);
    if (isEnabled()) {
        click();
        setDown(true);
        FShownDown.start();
    }
    return true;
}

void TVxInstantButton::mousePressEvent(QMouseEvent* event) {
    FShownDown.stop();
    QPushButton::mousePressEvent(event);
}

void TVxInstantButton::keyPressEvent(QKeyEvent* event) {
    FShownDown.stop();
    QPushButton::keyPressEvent(event);
}
