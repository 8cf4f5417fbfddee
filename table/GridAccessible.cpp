// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridAccessible.h"

#include "GridWidget.h"

#include <algorithm>

GridAccessible::GridAccessible(GridWidget* grid) : ItemsAccessible(grid, QAccessible::Table) {}

const GridWidget& GridAccessible::grid() const {
    return *static_cast<const GridWidget*>(widget());
}

int GridAccessible::Rows() const {
    return grid().Rows();
}

int GridAccessible::Cols() const {
    return grid().Cols();
}

// A cell as a screen reader says it: "7 mal 8 ist 56", a header number as its series
// "Reihe 7" ("Reihe 7 gewählt" while its column is coloured as chosen), the corner as what a
// click on it does. A series is chosen only in the standard arrangement, where the header
// column's numbers stand in the same order as the header row's.
QString GridAccessible::ItemName(int row, int col) const {
    const QString text = grid().TextMatrix(row, col);
    if (row == 0 && col == 0)
        return QStringLiteral("Auswahl aufheben");
    if (row == 0 || col == 0) {
        const bool chosen = grid().CellBackColorAt(1, std::max(row, col)) != 0;
        return QStringLiteral("Reihe ") + text + (chosen ? QStringLiteral(" gewählt") : QString());
    }
    return grid().TextMatrix(row, 0) + QStringLiteral(" mal ") + grid().TextMatrix(0, col) +
           QStringLiteral(" ist ") + text;
}

QString GridAccessible::ItemValue(int row, int col) const {
    return grid().TextMatrix(row, col);
}

QAccessible::Role GridAccessible::ItemRole(int row, int col) const {
    if (row == 0 && col > 0)
        return QAccessible::ColumnHeader;
    if (col == 0 && row > 0)
        return QAccessible::RowHeader;
    return QAccessible::Cell;
}

QRect GridAccessible::ItemRect(int row, int col) const {
    return grid().CellRect(row, col);
}

QPoint GridAccessible::ItemAt(QPoint pixel) const {
    return grid().CellAt(pixel);
}

QPoint GridAccessible::CurrentItem() const {
    return {grid().KeyCol(), grid().KeyRow()};
}
