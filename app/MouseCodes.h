// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

// The mouse button in the form the window's handlers take it: 1 left, 2 right, 4 middle,
// 0 for any other (the side buttons of some mice).
inline int VbButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}
