// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridAccessible.h"

#include "GridWidget.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include <algorithm>

namespace {

class GridTableAccessible;

// A cell as a screen reader says it: "7 mal 8 ist 56", a header number as its series
// "Reihe 7" ("Reihe 7 gewählt" while its column is coloured as chosen), the corner as what a
// click on it does. A series is chosen only in the standard arrangement, where the header
// column's numbers stand in the same order as the header row's.
QString CellMeaning(const GridWidget& grid, int row, int col) {
    const QString text = grid.TextMatrix(row, col);
    if (row == 0 && col == 0)
        return QStringLiteral("Auswahl aufheben");
    if (row == 0 || col == 0) {
        const bool chosen = grid.CellBackColorAt(1, std::max(row, col)) != 0;
        return QStringLiteral("Reihe ") + text + (chosen ? QStringLiteral(" gewählt") : QString());
    }
    return grid.TextMatrix(row, 0) + QStringLiteral(" mal ") + grid.TextMatrix(0, col) +
           QStringLiteral(" ist ") + text;
}

// One cell of the grid; it stays valid as long as the grid has that cell.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCellAccessible(GridTableAccessible* table, GridWidget* grid, int row, int col)
        : table_(table), grid_(grid), row_(row), col_(col) {}

    bool isValid() const override { return grid_ && row_ < grid_->Rows() && col_ < grid_->Cols(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        if (t == QAccessible::Name)
            return CellMeaning(*grid_, row_, col_);
        return t == QAccessible::Value ? grid_->TextMatrix(row_, col_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect r = grid_->CellRect(row_, col_);
        return QRect(grid_->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override {
        if (row_ == 0 && col_ > 0)
            return QAccessible::ColumnHeader;
        if (col_ == 0 && row_ > 0)
            return QAccessible::RowHeader;
        return QAccessible::Cell;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.focusable = true;
        if (!grid_ || !grid_->isVisible())
            s.invisible = true;
        else
            s.focused = grid_->hasFocus() && grid_->KeyRow() == row_ && grid_->KeyCol() == col_;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return col_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    GridTableAccessible* table_;
    QPointer<GridWidget> grid_;
    int row_;
    int col_;
};

class GridTableAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridTableAccessible(GridWidget* grid)
        : QAccessibleWidget(grid, QAccessible::Table), grid_(grid) {}
    ~GridTableAccessible() override {
        for (QAccessible::Id id : std::as_const(cells_))
            QAccessible::deleteAccessibleInterface(id);
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QAccessibleInterface* focusChild() const override {
        return grid_->hasFocus() ? cellAt(grid_->KeyRow(), grid_->KeyCol()) : nullptr;
    }
    int childCount() const override { return grid_->Rows() * grid_->Cols(); }
    QAccessibleInterface* child(int index) const override {
        const int cols = grid_->Cols();
        if (index < 0 || cols <= 0 || index >= childCount())
            return nullptr;
        return cellAt(index / cols, index % cols);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child || child->role() == QAccessible::Table)
            return -1;
        const auto* cell = dynamic_cast<const GridCellAccessible*>(child);
        return cell ? cell->rowIndex() * grid_->Cols() + cell->columnIndex() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint cell = grid_->CellAt(grid_->mapFromGlobal(QPoint(x, y)));
        return cell.x() < 0 ? nullptr : cellAt(cell.y(), cell.x());
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || column < 0 || row >= grid_->Rows() || column >= grid_->Cols())
            return nullptr;
        const int key = row * 4096 + column;
        if (auto it = cells_.constFind(key); it != cells_.constEnd())
            return QAccessible::accessibleInterface(*it);
        auto* cell =
            new GridCellAccessible(const_cast<GridTableAccessible*>(this), grid_, row, column);
        cells_.insert(key, QAccessible::registerAccessibleInterface(cell));
        return cell;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override { return grid_->TextMatrix(0, column); }
    QString rowDescription(int row) const override { return grid_->TextMatrix(row, 0); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return grid_->Cols(); }
    int rowCount() const override { return grid_->Rows(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    GridWidget* grid_;
    mutable QHash<int, QAccessible::Id> cells_;
};

QAccessibleInterface* GridCellAccessible::parent() const {
    return table_;
}

QAccessibleInterface* GridCellAccessible::table() const {
    return table_;
}

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
    if (row_ == 0)
        return {};
    return {table_->cellAt(0, col_)};
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const {
    if (col_ == 0)
        return {};
    return {table_->cellAt(row_, 0)};
}

QAccessibleInterface* GridFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("GridWidget") && object && object->isWidgetType())
        return new GridTableAccessible(static_cast<GridWidget*>(object));
    return nullptr;
}

} // namespace

void InstallGridAccessibility() {
    QAccessible::installFactory(GridFactory);
}
