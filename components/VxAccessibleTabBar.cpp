#include "components/VxAccessibleTabBar.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QTabBar>

namespace {

// A caption as read aloud: "&" marks the mnemonic, "&&" is a plain "&".
QString WithoutMnemonic(QString caption) {
    for (qsizetype at = caption.indexOf(u'&'); at >= 0; at = caption.indexOf(u'&', at + 1))
        caption.remove(at, 1);
    return caption;
}

// One tab of a tab bar; tabs are no widgets of their own.
class TAccessibleTab : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TAccessibleTab(QTabBar* bar, int index) : FBar(bar), FIndex(index) {}

    bool isValid() const override { return FBar && FIndex < FBar->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return FBar->window()->windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(FBar);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QRect rect() const override {
        const QRect tab = FBar->tabRect(FIndex);
        return QRect(FBar->mapToGlobal(tab.topLeft()), tab.size());
    }

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name:
            return WithoutMnemonic(FBar->tabText(FIndex));
        case QAccessible::Description:
            return FBar->tabToolTip(FIndex);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::PageTab; }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !FBar->isVisible() || !FBar->isTabVisible(FIndex);
        state.disabled = !FBar->isEnabled() || !FBar->isTabEnabled(FIndex);
        state.selectable = true;
        state.selected = FIndex == FBar->currentIndex();
        state.focusable = FBar->focusPolicy() != Qt::NoFocus;
        state.focused = state.selected && FBar->hasFocus();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && isValid() && FBar->isTabEnabled(FIndex))
            FBar->setCurrentIndex(FIndex);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QTabBar> FBar;
    int FIndex;
};

class TAccessibleTabBar : public QAccessibleWidget {
public:
    explicit TAccessibleTabBar(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
    ~TAccessibleTabBar() override {
        for (const QAccessible::Id id : std::as_const(FTabs))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return Bar()->count(); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const QAccessible::Id id = FTabs.value(index))
            return QAccessible::accessibleInterface(id);
        auto* tab = new TAccessibleTab(Bar(), index);
        FTabs.insert(index, QAccessible::registerAccessibleInterface(tab));
        return tab;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto tab = FTabs.cbegin(); tab != FTabs.cend(); ++tab)
            if (QAccessible::accessibleInterface(tab.value()) == child)
                return tab.key();
        return -1;
    }

    QAccessibleInterface* focusChild() const override {
        return Bar()->hasFocus() ? child(Bar()->currentIndex()) : nullptr;
    }

private:
    QTabBar* Bar() const { return static_cast<QTabBar*>(widget()); }

    // Tabs are described on demand, each once, by index.
    mutable QHash<int, QAccessible::Id> FTabs;
};

QAccessibleInterface* TabBarFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QTabBar"))
        if (auto* bar = qobject_cast<QTabBar*>(object))
            return new TAccessibleTabBar(bar);
    return nullptr;
}

} // namespace

void InstallAccessibleTabBars() {
    static const bool installed = [] {
        QAccessible::installFactory(TabBarFactory);
        return true;
    }();
    (void)installed;
}
