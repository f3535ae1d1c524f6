#include "components/VxAccessibleTabBar.h"

#include "components/VxAccessiblePart.h"

#include <QAccessibleWidget>
#include <QTabBar>

namespace {

// A caption as read aloud: "&" marks the mnemonic, "&&" is a plain "&".
QString WithoutMnemonic(QString caption) {
    for (qsizetype at = caption.indexOf(u'&'); at >= 0; at = caption.indexOf(u'&', at + 1))
        caption.remove(at, 1);
    return caption;
}

// One tab of a tab bar; tabs are no widgets of their own.
class TAccessibleTab : public TVxAccessiblePart, public QAccessibleActionInterface {
public:
    TAccessibleTab(QTabBar* bar, int index) : TVxAccessiblePart(bar, index) {}

    bool isValid() const override { return Bar() && Index() < Bar()->count(); }

    QRect rect() const override {
        const QRect tab = Bar()->tabRect(Index());
        return QRect(Bar()->mapToGlobal(tab.topLeft()), tab.size());
    }

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
        case QAccessible::Name:
            return WithoutMnemonic(Bar()->tabText(Index()));
        case QAccessible::Description:
            return Bar()->tabToolTip(Index());
        default:
            return {};
        }
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !Bar()->isVisible() || !Bar()->isTabVisible(Index());
        state.disabled = !Bar()->isEnabled() || !Bar()->isTabEnabled(Index());
        state.selectable = true;
        state.selected = Index() == Bar()->currentIndex();
        state.focusable = Bar()->focusPolicy() != Qt::NoFocus;
        state.focused = state.selected && Bar()->hasFocus();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && isValid() && Bar()->isTabEnabled(Index()))
            Bar()->setCurrentIndex(Index());
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QTabBar* Bar() const { return static_cast<QTabBar*>(Owner()); }
};

class TAccessibleTabBar : public QAccessibleWidget {
public:
    explicit TAccessibleTabBar(QTabBar* bar)
        : QAccessibleWidget(bar, QAccessible::PageTabList),
          FTabs([bar](int index) { return new TAccessibleTab(bar, index); }) {}

    int childCount() const override { return Bar()->count(); }

    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < childCount() ? FTabs.At(index) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return FTabs.IndexOf(child);
    }

    QAccessibleInterface* focusChild() const override {
        return Bar()->hasFocus() ? child(Bar()->currentIndex()) : nullptr;
    }

private:
    QTabBar* Bar() const { return static_cast<QTabBar*>(widget()); }

    TVxAccessibleParts FTabs;
};

} // namespace

void InstallAccessibleTabBars() {
    QAccessible::installFactory(AccessibleFactory<QTabBar, TAccessibleTabBar>);
}
