#include "components/VxAnnouncer.h"

#include "components/VxAccessiblePart.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {

// A notification named by the line said last.
class TAccessibleAnnouncer : public QAccessibleWidget {
public:
    explicit TAccessibleAnnouncer(TVxAnnouncer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? static_cast<TVxAnnouncer*>(widget())->Line() : QString();
    }
};

qint64 Remaining(const QElapsedTimer& since, std::chrono::milliseconds wait) {
    return since.isValid() ? std::max<qint64>(0, wait.count() - since.elapsed()) : 0;
}

} // namespace

TVxAnnouncer::TVxAnnouncer(QWidget* parent, std::chrono::milliseconds minimumGap)
    : QWidget(parent), FMinimumGap(minimumGap), FWindow(parent->window()) {
    QAccessible::installFactory(AccessibleFactory<TVxAnnouncer, TAccessibleAnnouncer>);
    setObjectName(QStringLiteral("Announcer"));
    // It takes no room and no keys; a screen reader finds it in the tree.
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Shown only to say a line: the window's own showing says nothing.
    hide();
    FWindow->installEventFilter(this);
    FTimer.setSingleShot(true);
    connect(&FTimer, &QTimer::timeout, this, &TVxAnnouncer::SayWaiting);
    // A window closing may leave none active, and no activation to wait for.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
        if (!FWaiting.isEmpty())
            SayWaiting();
    });
}

void TVxAnnouncer::Announce(const QString& line) {
    if (line.isEmpty())
        return;
    FWaiting = line;
    SayWaiting();
}

bool TVxAnnouncer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FWindow && event->type() == QEvent::WindowActivate) {
        FSinceActivated.start();
        if (!FWaiting.isEmpty())
            SayWaiting();
    }
    return QWidget::eventFilter(watched, event);
}

void TVxAnnouncer::SayWaiting() {
    if (FWaiting.isEmpty() || Blocked())
        return; // the window's activation or another focus window tries again
    const qint64 wait =
        std::max(Remaining(FSinceLine, FMinimumGap), Remaining(FSinceActivated, Settle));
    if (wait > 0) {
        FTimer.start(static_cast<int>(wait));
        return;
    }
    FTimer.stop();
    Say(std::exchange(FWaiting, QString()));
}

bool TVxAnnouncer::Blocked() const {
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->window() != FWindow)
        return true;
    const QWidget* active = QApplication::activeWindow();
    return active && active != FWindow;
}

void TVxAnnouncer::Say(const QString& line) {
    FLine = line;
    FSinceLine.start();
    // A notification is spoken as it appears.
    hide();
    show();
    emit Announced(line);
}
