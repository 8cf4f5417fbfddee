// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

class QWidget;

// What screen readers are told about the items of a control that draws them itself (see
// ItemsAccessible).

// The item the keyboard is on now has the focus.
void AnnounceFocusedItem(QWidget* control);
// The same, called from the control's focusInEvent: sent after Qt's own focus event for the
// control, which goes out once that handler has returned, and only if the focus stayed.
void AnnounceFocusedItemAfterFocusIn(QWidget* control);

// Items changed as in Qt's own item views: rows inserted (firstRow to lastRow), data changed
// in place, or everything reset (the number of rows or columns changed).
void AnnounceItemsChange(QWidget* control, QAccessibleTableModelChangeEvent::ModelChangeType type,
                         int firstRow = 0, int lastRow = -1);
