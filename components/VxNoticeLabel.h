#pragma once

// A label that a screen reader speaks when it appears: a notice, such as
// why a text was refused.  It is described to assistive technology as a
// notification, which Orca speaks as soon as it is shown; Qt 6.4 passes a
// new name or description of a widget on without the text itself, so
// changing those is heard by nobody.  Announce() shows the notice again,
// to be heard again.

#include <QLabel>

class TVxNoticeLabel : public QLabel {
    Q_OBJECT
public:
    explicit TVxNoticeLabel(QWidget* parent = nullptr);

    // Shows `text`, and speaks it, unless it is shown already; an empty
    // text hides the notice, which keeps the room of the last one.
    void SetNotice(const QString& text);
    // Speaks the notice shown once more.
    void Announce();
};
