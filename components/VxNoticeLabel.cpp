#include "components/VxNoticeLabel.h"

#include "components/VxAccessiblePart.h"

#include <QAccessibleWidget>

namespace {

class TAccessibleNotice : public QAccessibleWidget {
public:
    explicit TAccessibleNotice(TVxNoticeLabel* notice)
        : QAccessibleWidget(notice, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

} // namespace

TVxNoticeLabel::TVxNoticeLabel(QWidget* parent) : QLabel(parent) {
    QAccessible::installFactory(AccessibleFactory<TVxNoticeLabel, TAccessibleNotice>);
    setTextFormat(Qt::PlainText);
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    hide();
}

void TVxNoticeLabel::SetNotice(const QString& text) {
    if (text.isEmpty()) {
        hide();
        return;
    }
    if (text == this->text() && !isHidden())
        return;
    setText(text);
    show();
}

void TVxNoticeLabel::Announce() {
    if (isHidden())
        return;
    hide();
    show();
}
