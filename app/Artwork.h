// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

// The window's small pictures, drawn in code on a transparent ground.
QPixmap PrinterSymbol();              // 14 × 12, black outline
QPixmap ArrowPicture(bool up);        // 21 × 11, black triangle
QCursor PointingHandCursor();         // 32 × 32, hot spot at the index finger's tip (12, 1)
QPixmap AppIconPixmap(int size = 32); // the application icon
QIcon AppIcon();
