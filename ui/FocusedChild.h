// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QObject>

// Tells screen readers that one child of a control (a table cell, a line of the results list,
// by its index among the control's accessible children) now has the keyboard's focus.
inline void AnnounceFocusedChild(QObject* control, int child) {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent focus(control, QAccessible::Focus);
    focus.setChild(child);
    QAccessible::updateAccessibility(&focus);
}
