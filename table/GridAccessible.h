// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ItemsAccessible.h"

class GridWidget;

// The number table as screen readers read it: rows, columns, header cells, and each cell
// named by its meaning with its number as the value.
class GridAccessible : public ItemsAccessible {
public:
    explicit GridAccessible(GridWidget* grid);

    int Rows() const override;
    int Cols() const override;
    int HeaderRows() const override { return 1; }
    int HeaderCols() const override { return 1; }
    QString ItemName(int row, int col) const override;
    QString ItemValue(int row, int col) const override;
    QAccessible::Role ItemRole(int row, int col) const override;
    QRect ItemRect(int row, int col) const override;
    QPoint ItemAt(QPoint pixel) const override;
    QPoint CurrentItem() const override;

private:
    const GridWidget& grid() const;
};
