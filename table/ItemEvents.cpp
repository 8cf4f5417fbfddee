// SPDX-License-Identifier: GPL-3.0-or-later
#include "ItemEvents.h"

#include <QTimer>
#include <QWidget>

void AnnounceFocusedItem(QWidget* control) {
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* items = QAccessible::queryAccessibleInterface(control);
    const int index = items ? items->indexOfChild(items->focusChild()) : -1;
    if (index < 0)
        return;
    QAccessibleEvent focus(control, QAccessible::Focus);
    focus.setChild(index);
    QAccessible::updateAccessibility(&focus);
}

void AnnounceFocusedItemAfterFocusIn(QWidget* control) {
    QTimer::singleShot(0, control, [control] {
        if (control->hasFocus())
            AnnounceFocusedItem(control);
    });
}

void AnnounceItemsChange(QWidget* control, QAccessibleTableModelChangeEvent::ModelChangeType type,
                         int firstRow, int lastRow) {
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent change(control, type);
    change.setFirstRow(firstRow);
    change.setLastRow(lastRow);
    QAccessible::updateAccessibility(&change);
}
