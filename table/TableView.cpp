// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableView.h"

#include "GridWidget.h"
#include "NumberTable.h"
#include "VbColor.h"

#include <algorithm>

bool TableView::BuildTable(PracticeState& st, int skip) {
    if (st.MaxNum > TableDisplayLimit) {
        grid_.setVisible(false);
        return false;
    }
    st.SelectedRows.resize(static_cast<std::size_t>(std::max(st.MaxNum, 0)) + 1, false);

    grid_.setRedraw(false);
    const TableShape shape =
        ComputeTableShape(std::max(st.MaxNum, skip), skip, grid_.Width(), grid_.Height());
    grid_.setRows(std::max(shape.Rows, 1));
    grid_.setCols(std::max(shape.Cols, 1));
    for (int i = 0; i < grid_.Cols(); ++i)
        grid_.setColWidth(i, shape.ColWidth);
    for (int i = 0; i < grid_.Rows(); ++i)
        grid_.setRowHeight(i, shape.RowHeight);
    grid_.setFontSize(shape.FontSize);
    grid_.setFontBold(FontIsBold(grid_.FontSize()));
    grid_.setRedraw(true);
    return true;
}

void TableView::FillTable(const PracticeState& st, int skip) {
    // Above the display limit there is no table, and nothing is remembered either.
    if (st.MaxNum > TableDisplayLimit)
        return;
    nextArrangement_ = 0;
    FillTableInNextArrangement(st, skip);
}

void TableView::FillTableInNextArrangement(const PracticeState& st, int skip) {
    if (st.MaxNum > TableDisplayLimit)
        return;
    grid_.setRedraw(false);
    WriteTableNumbers(grid_, nextArrangement_, skip);
    grid_.setRedraw(true);
    nextArrangement_ = (nextArrangement_ + 1) % 4;
}

void TableView::SelectTableRow(PracticeState& st, int n, int skip) {
    grid_.setFillStyle(1);
    quint32 color = 0;
    if (n == 0) {
        st.SelectedRows.assign(static_cast<std::size_t>(std::max(st.MaxNum, 0)) + 1, false);
        grid_.setRow(1);
        grid_.setCol(1);
        grid_.setRowSel(grid_.Rows() - 1);
        grid_.setColSel(grid_.Cols() - 1);
    } else if (n > 0) {
        if (!st.RowSelected)
            FillTable(st, skip);
        if (static_cast<std::size_t>(n) >= st.SelectedRows.size())
            st.SelectedRows.resize(static_cast<std::size_t>(n) + 1, false);
        const std::size_t i = static_cast<std::size_t>(n);
        st.SelectedRows[i] = !st.SelectedRows[i];
        grid_.setRow(1);
        grid_.setCol(n - skip);
        grid_.setRowSel(grid_.Rows() - 1);
        grid_.setColSel(grid_.Col());
        color = st.SelectedRows[i] ? VbColors::Amber : 0;
    }
    grid_.setCellBackColor(color);
    grid_.setRowSel(grid_.Row());
    grid_.setColSel(grid_.Col());
    grid_.setFillStyle(0);
    st.RowSelected =
        std::find(st.SelectedRows.begin(), st.SelectedRows.end(), true) != st.SelectedRows.end();
}

double TableView::ColumnsRight() const {
    return grid_.Left() + static_cast<double>(grid_.ColWidth(0)) * grid_.Cols();
}
