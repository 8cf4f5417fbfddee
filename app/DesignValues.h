// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QString>

// The window's controls as they are at creation: positions and sizes in twips
// (Left, Top, Width, Height), relative to the window's client area or the frame that
// holds them.
namespace Design {

inline constexpr double ClientWidth = 12780;
inline constexpr double ClientHeight = 8070;

inline const QRectF chkTableVisible{135, 45, 2040, 255};
inline const QRectF chkSoundEnabled{2160, 45, 1920, 255};
inline const QRectF chkOhne1{4200, 75, 975, 195};
inline const QRectF Label1{5280, 60, 795, 255};
inline const QRectF lbMaxNum{6150, 45, 795, 255};
inline const QRectF imgMaxNumUp{6960, 0, 315, 165};
inline const QRectF imgMaxNumDown{6945, 165, 315, 165};
inline const QRectF chkRechenart[4] = {
    {7455, 45, 1695, 255}, {8970, 45, 1095, 255}, {10110, 45, 1095, 255}, {11205, 45, 1335, 255}};
// Line1(0) from (0, 360) and Line1(1) from (0, 375), both to x 10920.
inline constexpr double Line1Y[2] = {360, 375};
inline constexpr double Line1X2 = 10920;
inline const QRectF lbBedienungshinweis{120, 480, 6735, 255};
inline const QRectF cmdPrintTable{6960, 510, 210, 180};
inline const QRectF MSFlexGrid1{120, 720, 4455, 3255};
inline const QRectF lbAufgabeBig{240, 4080, 2415, 2535};
inline const QRectF frameResults{7440, 480, 4545, 6780};
inline const QRectF btnNeu{0, 0, 4215, 240};             // in frameResults
inline const QRectF cmdPrintResults{4320, 30, 210, 180}; // in frameResults
inline const QRectF Picture1{0, 270, 4455, 6345};        // in frameResults
inline const QRectF frameAufgabe{120, 7320, 12615, 735};
inline const QRectF lbAufgabe{0, 45, 4815, 615};      // in frameAufgabe
inline const QRectF tbErgebnis{3525, 0, 1815, 615};   // in frameAufgabe
inline const QRectF btnOK{5400, 15, 1455, 615};       // in frameAufgabe
inline const QRectF lbTime{7080, 165, 975, 255};      // in frameAufgabe
inline const QRectF lbStatistik{9240, 45, 3375, 615}; // in frameAufgabe

// Layout allowances around the table.
inline constexpr double TableWidthAllowance = 100;
inline constexpr double TableHeightAllowance = 850;

inline const QString Caption = QStringLiteral("Zahlwerk Trainer");

// Fonts: the window's standard face is Arial (Fonts.h); "MS Sans Serif", the bold 24-point
// face of the exercise bar, is served by Liberation Sans, Arial's metric twin on Linux.
inline constexpr int StandardPointSize = 8;
inline const QString SansSerifFamily = QStringLiteral("Liberation Sans");

} // namespace Design
