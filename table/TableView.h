// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PracticeState.h"

class GridWidget;

// The number table on its grid: the shape for the bound and "ohne 1", the numbers in the
// four arrangements, and the amber colour of the selected series. It remembers which
// arrangement comes next for the whole run. skip is 1 while "ohne 1" is checked, else 0.
class TableView {
public:
    explicit TableView(GridWidget& grid) : grid_(grid) {}

    // Gives the grid its rows, columns, cell sizes and font for the bound and sizes the
    // series flags to it. Above the display limit it only hides the grid and returns false.
    bool BuildTable(PracticeState& st, int skip);
    // Writes the numbers in the standard arrangement (0); arrangement 1 comes next.
    void FillTable(const PracticeState& st, int skip);
    // Writes the numbers in the arrangement that comes next (after a right answer).
    void FillTableInNextArrangement(const PracticeState& st, int skip);
    // n 0 clears every series; n 1 and up toggles the series of n and colours its column.
    // Before the first series is selected the table returns to its standard arrangement.
    void SelectTableRow(PracticeState& st, int n, int skip);

    // The right edge of the table's last column in the window, in twips.
    double ColumnsRight() const;

private:
    GridWidget& grid_;
    int nextArrangement_ = 0;
};
