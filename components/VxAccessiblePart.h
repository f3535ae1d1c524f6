#pragma once

// What the accessible descriptions of our widgets share: the factory that
// gives a widget class its description, and the parts of a widget that are
// no objects of their own, such as the tabs of a tab bar or the months of a
// chart.  A part is a leaf of the accessible tree, known by its owner and
// its index; the owner's interface makes each part's interface when
// assistive technology first asks for it, keeps it by index and deletes it
// with itself.

#include <QAccessibleInterface>
#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>

// For QAccessible::installFactory: describes every widget of class TWidget
// (also of the classes derived from it) by a TInterface over it.  Qt
// installs a factory once however often it is asked to.
template <typename TWidget, typename TInterface>
QAccessibleInterface* AccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(TWidget::staticMetaObject.className()))
        if (auto* widget = qobject_cast<TWidget*>(object))
            return new TInterface(widget);
    return nullptr;
}

class TVxAccessiblePart : public QAccessibleInterface {
public:
    TVxAccessiblePart(QWidget* owner, int index) : FOwner(owner), FIndex(index) {}

    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    // None once the owner is gone.
    QWidget* Owner() const { return FOwner; }
    int Index() const { return FIndex; }

private:
    QPointer<QWidget> FOwner;
    int FIndex;
};

// The parts of one owner: made on demand by `make`, once per index, and
// registered with QAccessible until the owner's interface goes.
class TVxAccessibleParts {
public:
    using TMake = std::function<QAccessibleInterface*(int index)>;

    explicit TVxAccessibleParts(TMake make) : FMake(std::move(make)) {}
    ~TVxAccessibleParts();
    TVxAccessibleParts(const TVxAccessibleParts&) = delete;
    TVxAccessibleParts& operator=(const TVxAccessibleParts&) = delete;

    // The part at `index`, which the owner has checked.
    QAccessibleInterface* At(int index) const;
    // The index of `part`, or -1 if it is none of these.
    int IndexOf(const QAccessibleInterface* part) const;

private:
    TMake FMake;
    mutable QHash<int, QAccessible::Id> FIds;
};
