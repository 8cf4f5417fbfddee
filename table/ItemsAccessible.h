// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>
#include <QHash>

// A control that draws its items itself - the cells of a table, the lines of a list - none
// of them a widget of its own. A screen reader reaches each item as a child of the control,
// counted in rows; a list is a table of one column. The derived class says what the items
// are; this one gives each item an interface and keeps one id per item that exists.
class ItemsAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    ItemsAccessible(QWidget* control, QAccessible::Role role);
    ~ItemsAccessible() override;

    virtual int Rows() const = 0;
    virtual int Cols() const { return 1; }
    // The first rows and columns that head the others (a table's header row and column).
    virtual int HeaderRows() const { return 0; }
    virtual int HeaderCols() const { return 0; }
    virtual QString ItemName(int row, int col) const = 0;
    virtual QString ItemValue(int, int) const { return {}; }
    virtual QAccessible::Role ItemRole(int row, int col) const = 0;
    // In the control's pixels.
    virtual QRect ItemRect(int row, int col) const = 0;
    // The item at a point in the control's pixels, as (column, row); (-1, -1) for none.
    virtual QPoint ItemAt(QPoint pixel) const = 0;
    // The item the keyboard is on, as (column, row).
    virtual QPoint CurrentItem() const = 0;

    QWidget* Control() const { return widget(); }
    bool HasItem(int row, int col) const {
        return row >= 0 && col >= 0 && row < Rows() && col < Cols();
    }

    void* interface_cast(QAccessible::InterfaceType t) override;
    QAccessibleInterface* focusChild() const override;
    int childCount() const override { return Rows() * Cols(); }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Cols(); }
    int rowCount() const override { return Rows(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // Items that came or went take new interfaces, as in Qt's own item views; a change of
    // data keeps them, since an item reads its control anew every time.
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    // By row in the upper, column in the lower half of the key.
    mutable QHash<quint64, QAccessible::Id> items_;
};
