// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class GridWidget;

// The multiplication table is shown only up to this bound.
inline constexpr std::int32_t TableDisplayLimit = 32;

// Shape of the table for a bound, a skip (1 with "ohne 1") and the grid's size in twips.
struct TableShape {
    int Rows = 0;
    int Cols = 0;
    int ColWidth = 0;  // twips, the same for every column
    int RowHeight = 0; // twips, the same for every row
    int FontSize = 0;  // whole points
};

// Widths, heights and the font size never fall below 1, so a grid too small for the
// arithmetic (a minimized window) still gets a valid shape.
TableShape ComputeTableShape(std::int32_t maxNum, int skip, double gridWidth, double gridHeight);

// Small fonts are drawn regular for legibility; sizes above 10 points are bold.
bool FontIsBold(double reportedPoints);

// Writes the header numbers and products in one of the four arrangements: 0 ascending,
// 1 rows descending, 2 columns descending, 3 both descending.
void WriteTableNumbers(GridWidget& grid, int arrangement, int skip);

// The next bound after one step; direction 0 raises by 1, 1 lowers by 1, d changes by 1 - 2d.
// Values meeting a rule of the ladder snap to it: 33 → 100, 101 → 1000, 1001 → 10000,
// above 10000 → 10000, 9999 → 1000, 999 → 100, 99 → 32, below 3 → 3.
std::int32_t SteppedMaxNum(std::int32_t maxNum, int direction);
