// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "Announcer.h"
#include "Controls.h"
#include "DesignValues.h"
#include "GridWidget.h"
#include "MessageBoxes.h"
#include "NumberTable.h"
#include "TableView.h"

#include <QLineEdit>

void Form1::BuildTable() {
    if (!table_->BuildTable(State, SkipOne()))
        return;
    // The print symbol's right edge meets the right edge of the last column.
    QRectF symbol = TwipsGeometry(cmdPrintTable);
    symbol.moveLeft(table_->ColumnsRight() - symbol.width());
    SetTwipsGeometry(cmdPrintTable, symbol);
}

void Form1::MSFlexGrid1_MouseUp() {
    const int row = MSFlexGrid1->MouseRow();
    const int col = MSFlexGrid1->MouseCol();
    if (row < 0 || col < 0)
        return; // released outside the cells
    // Clicked, the answer box takes the focus back at once and the news is told there; by
    // keyboard, it is told as the focus arrives there (see Announcer).
    if (!MSFlexGrid1->HasKeyboardFocus())
        tbErgebnis->setFocus();
    if (row == 0 && col == 0) {
        table_->SelectTableRow(State, 0, SkipOne());
        announcer_->Say(QStringLiteral("Auswahl aufgehoben"));
        return;
    }
    const QString text = MSFlexGrid1->TextMatrix(row, col);
    if (row == 0 || col == 0) {
        bool ok = false;
        const int series = text.toInt(&ok);
        if (!ok || series < 1)
            return;
        table_->SelectTableRow(State, series, SkipOne());
        announcer_->Before(QStringLiteral("Reihe ") + text +
                           (State.IsRowSelected(series) ? QStringLiteral(" gewählt")
                                                        : QStringLiteral(" abgewählt")));
        NewExercise();
        return;
    }
    tbErgebnis->setText(text);
    CheckAnswer();
}

void Form1::MSFlexGrid1_Click() {
    tbErgebnis->setFocus();
}

void Form1::MSFlexGrid1_MouseMove() {
    MSFlexGrid1->setToolTipText(
        MSFlexGrid1->TextMatrix(MSFlexGrid1->MouseRow(), MSFlexGrid1->MouseCol()));
}

void Form1::chkTableVisible_MouseUp() {
    ApplyTableCheckBox();
}

void Form1::ApplyTableCheckBox() {
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
            table_->FillTable(State, SkipOne());
        }
        MSFlexGrid1->setVisible(shown);
        lbBedienungshinweis->setVisible(shown);
    }
    tbErgebnis->setFocus();
}

void Form1::chkOhne1_Click() {
    BuildTable();
    table_->FillTable(State, SkipOne());
    tbErgebnis->setFocus();
}

void Form1::ChangeMaxNum(int Direction) {
    State.MaxNum = SteppedMaxNum(State.MaxNum, Direction);
    lbMaxNum->SetValue(State.MaxNum);
    if (State.MaxNum <= TableDisplayLimit) {
        if (IsChecked(chkTableVisible)) {
            MSFlexGrid1->setVisible(true);
            BuildTable();
            table_->FillTable(State, SkipOne());
        }
    } else {
        MSFlexGrid1->setVisible(false);
    }
}

void Form1::imgMaxNum_MouseUp(int Index) {
    ChangeMaxNum(Index);
}

void Form1::lbMaxNum_MouseUp(int Button) {
    ChangeMaxNum(Button - 1);
}

void Form1::lbMaxNum_KeyDown(int Direction, int Steps) {
    for (int i = 0; i < Steps; ++i)
        ChangeMaxNum(Direction);
}
