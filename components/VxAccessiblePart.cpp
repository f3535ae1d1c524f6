#include "components/VxAccessiblePart.h"

QWindow* TVxAccessiblePart::window() const {
    return FOwner ? FOwner->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TVxAccessiblePart::parent() const {
    return FOwner ? QAccessible::queryAccessibleInterface(FOwner) : nullptr;
}

TVxAccessibleParts::~TVxAccessibleParts() {
    for (const QAccessible::Id id : std::as_const(FIds))
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* TVxAccessibleParts::At(int index) const {
    if (const QAccessible::Id id = FIds.value(index))
        return QAccessible::accessibleInterface(id);
    QAccessibleInterface* part = FMake(index);
    FIds.insert(index, QAccessible::registerAccessibleInterface(part));
    return part;
}

int TVxAccessibleParts::IndexOf(const QAccessibleInterface* part) const {
    for (auto id = FIds.cbegin(); id != FIds.cend(); ++id)
        if (QAccessible::accessibleInterface(id.value()) == part)
            return id.key();
    return -1;
}
