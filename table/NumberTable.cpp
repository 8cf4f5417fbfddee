// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberTable.h"

#include "GridWidget.h"
#include "Rounding.h"

#include <QString>

#include <algorithm>
#include <cmath>

TableShape ComputeTableShape(std::int32_t maxNum, int skip, double gridWidth, double gridHeight) {
    TableShape s;
    s.Rows = maxNum + 1 - skip;
    s.Cols = s.Rows;
    const std::int64_t w = RoundHalfEven(gridWidth).value_or(0);
    const std::int64_t h = RoundHalfEven(gridHeight).value_or(0);
    // Integer division truncating toward zero, then one grid line off.
    s.ColWidth = static_cast<int>(std::max<std::int64_t>(w / s.Cols - GridLineTwips, 1));
    s.RowHeight = static_cast<int>(std::max<std::int64_t>(h / s.Rows - GridLineTwips, 1));
    const std::int64_t q = RoundHalfEven(gridWidth / s.Cols).value_or(0);
    s.FontSize = static_cast<int>(std::max<std::int64_t>(q / 50, 1));
    return s;
}

bool FontIsBold(double reportedPoints) {
    return reportedPoints > 10.0;
}

void WriteTableNumbers(GridWidget& grid, int arrangement, int skip) {
    const int rows = grid.Rows();
    const int cols = grid.Cols();
    const bool rowsDown = arrangement == 1 || arrangement == 3;
    const bool colsDown = arrangement == 2 || arrangement == 3;

    // The counters advance in visiting order, so an axis visited downwards gets
    // descending header numbers.
    int colNumber = skip;
    for (int step = 0; step < cols; ++step) {
        const int i = colsDown ? cols - 1 - step : step;
        int rowNumber = skip;
        if (i > 0)
            ++colNumber;
        for (int rstep = 0; rstep < rows; ++rstep) {
            const int j = rowsDown ? rows - 1 - rstep : rstep;
            if (j > 0)
                ++rowNumber;
            if (j == 0 && i > 0)
                grid.setTextMatrix(0, i, QString::number(colNumber));
            else if (i == 0 && j > 0)
                grid.setTextMatrix(j, 0, QString::number(rowNumber));
            else if (i > 0 && j > 0)
                grid.setTextMatrix(j, i, QString::number(colNumber * rowNumber));
        }
    }
}

std::int32_t SteppedMaxNum(std::int32_t maxNum, int direction) {
    // 64 bits: a bound near the 32-bit limit from the settings file must not overflow.
    const std::int64_t v = static_cast<std::int64_t>(maxNum) - (2LL * direction - 1);
    if (v == 33)
        return 100;
    if (v == 101)
        return 1000;
    if (v == 1001)
        return 10000;
    if (v > 10000)
        return 10000;
    if (v == 9999)
        return 1000;
    if (v == 999)
        return 100;
    if (v == 99)
        return 32;
    if (v < 3)
        return 3;
    return static_cast<std::int32_t>(v);
}
