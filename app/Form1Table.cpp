#include "Form1.h"

#include "DesignValues.h"
#include "MessageBoxes.h"
#include "NumberTable.h"
#include "VbColor.h"

#include <algorithm>

void Form1::BuildTable() {
    if (State.MaxNum > TableDisplayLimit) {
        MSFlexGrid1->setVisible(false);
        return;
    }
    const int w = SkipOne();
    State.SelectedRows.resize(static_cast<std::size_t>(std::max(State.MaxNum, 0)) + 1, false);

    GridWidget& grid = *MSFlexGrid1;
    grid.setRedraw(false);
    const TableShape shape =
        ComputeTableShape(std::max(State.MaxNum, w), w, grid.Width(), grid.Height());
    grid.setRows(std::max(shape.Rows, 1));
    grid.setCols(std::max(shape.Cols, 1));
    for (int i = 0; i < grid.Cols(); ++i)
        grid.setColWidth(i, shape.ColWidth);
    for (int i = 0; i < grid.Rows(); ++i)
        grid.setRowHeight(i, shape.RowHeight);
    grid.setFontSize(shape.FontSize);
    grid.setFontBold(FontIsBold(grid.FontSize()));
    grid.setRedraw(true);

    // The print symbol's right edge meets the right edge of the last column.
    QRectF symbol = TwipsGeometry(cmdPrintTable);
    symbol.moveLeft(grid.Left() + static_cast<double>(grid.ColWidth(0)) * grid.Cols() -
                    symbol.width());
    SetTwipsGeometry(cmdPrintTable, symbol);
}

void Form1::FillTable(int Arrangement) {
    if (State.MaxNum > TableDisplayLimit)
        return;
    if (Arrangement >= 0)
        TableArrangement = Arrangement % 4;
    MSFlexGrid1->setRedraw(false);
    WriteTableNumbers(*MSFlexGrid1, TableArrangement, SkipOne());
    MSFlexGrid1->setRedraw(true);
    TableArrangement = (TableArrangement + 1) % 4;
}

void Form1::SelectTableRow(int n) {
    GridWidget& grid = *MSFlexGrid1;
    grid.setFillStyle(1);
    quint32 color = 0;
    if (n == 0) {
        State.SelectedRows.assign(static_cast<std::size_t>(std::max(State.MaxNum, 0)) + 1, false);
        grid.setRow(1);
        grid.setCol(1);
        grid.setRowSel(grid.Rows() - 1);
        grid.setColSel(grid.Cols() - 1);
    } else if (n > 0) {
        if (!State.RowSelected)
            FillTable(0);
        if (static_cast<std::size_t>(n) >= State.SelectedRows.size())
            State.SelectedRows.resize(static_cast<std::size_t>(n) + 1, false);
        const std::size_t i = static_cast<std::size_t>(n);
        State.SelectedRows[i] = !State.SelectedRows[i];
        grid.setRow(1);
        grid.setCol(n - SkipOne());
        grid.setRowSel(grid.Rows() - 1);
        grid.setColSel(grid.Col());
        color = State.SelectedRows[i] ? VbColors::Amber : 0;
    }
    grid.setCellBackColor(color);
    grid.setRowSel(grid.Row());
    grid.setColSel(grid.Col());
    grid.setFillStyle(0);
    State.RowSelected = std::find(State.SelectedRows.begin(), State.SelectedRows.end(), true) !=
                        State.SelectedRows.end();
}

void Form1::MSFlexGrid1_MouseUp(int /*Button*/, int /*Shift*/, double /*X*/, double /*Y*/) {
    const int r = MSFlexGrid1->MouseRow();
    const int c = MSFlexGrid1->MouseCol();
    if (r < 0 || c < 0)
        return; // released outside the cells
    if (r == 0 && c == 0) {
        SelectTableRow(0);
        return;
    }
    const QString text = MSFlexGrid1->TextMatrix(r, c);
    if (r == 0 || c == 0) {
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok || n < 1)
            return;
        SelectTableRow(n);
        NewExercise();
        return;
    }
    tbErgebnis->setText(text);
    CheckAnswer();
}

void Form1::MSFlexGrid1_Click() {
    tbErgebnis->setFocus();
}

void Form1::MSFlexGrid1_MouseMove(int /*Button*/, int /*Shift*/, double /*X*/, double /*Y*/) {
    MSFlexGrid1->setToolTipText(
        MSFlexGrid1->TextMatrix(MSFlexGrid1->MouseRow(), MSFlexGrid1->MouseCol()));
}

void Form1::chkTableVisible_MouseUp(int /*Button*/, int /*Shift*/, double /*X*/, double /*Y*/) {
    if (State.MaxNum > TableDisplayLimit) {
        chkTableVisible->setChecked(false);
        const QString text =
            QStringLiteral("Die Tabelle kann für den Wertebereich \"bis ") +
            QString::number(State.MaxNum) +
            QStringLiteral("\" nicht dargestellt werden.\r\n"
                           "Wählen Sie einen kleineren Wertebereich bis maximal ") +
            QString::number(TableDisplayLimit) + QStringLiteral(".");
        backends_.Messages->MsgBox(this, text, MessageBoxes::Information, Design::Caption);
        // The program may have been told to end while the box was open.
        if (unloaded_)
            return;
    } else {
        const bool shown = IsChecked(chkTableVisible);
        if (shown) {
            BuildTable();
            FillTable(0);
        }
        MSFlexGrid1->setVisible(shown);
        lbBedienungshinweis->setVisible(shown);
    }
    tbErgebnis->setFocus();
}

void Form1::chkOhne1_Click() {
    BuildTable();
    FillTable(0);
    tbErgebnis->setFocus();
}

void Form1::ChangeMaxNum(int Direction) {
    State.MaxNum = SteppedMaxNum(State.MaxNum, Direction);
    lbMaxNum->setText(QString::number(State.MaxNum));
    if (State.MaxNum <= TableDisplayLimit) {
        if (IsChecked(chkTableVisible)) {
            MSFlexGrid1->setVisible(true);
            BuildTable();
            FillTable(0);
        }
    } else {
        MSFlexGrid1->setVisible(false);
    }
}

void Form1::imgMaxNum_MouseUp(int Index, int /*Button*/, int /*Shift*/, double /*X*/,
                              double /*Y*/) {
    ChangeMaxNum(Index);
}

void Form1::imgMaxNum_DblClick(int /*Index*/) {
    // A double click is two releases, each of which has already stepped the bound.
}

void Form1::lbMaxNum_MouseUp(int Button, int /*Shift*/, double /*X*/, double /*Y*/) {
    ChangeMaxNum(Button - 1);
}
