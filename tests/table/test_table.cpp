// SPDX-License-Identifier: GPL-3.0-or-later
#include "GridWidget.h"
#include "NumberTable.h"
#include "TestData.h"

class TableTest : public QObject {
    Q_OBJECT
    using ArrangementRow = std::tuple<Text, int, int, Text>;
    using ShapeRow = std::tuple<Text, int, int, double, double, QList<int>>;
    using LadderRow = std::tuple<Text, int, int, int>;

private slots:
    // The four arrangements, with and without "ohne 1": the first and last number of the
    // header column and of the header row; every product matches its headers.
    void arrangementsOrderTheHeaders_data() {
        AddRows<ArrangementRow>({{"0 ascending", 0, 0, "1 10 1 10"},
                                 {"1 rows descending", 1, 0, "10 1 1 10"},
                                 {"2 columns descending", 2, 0, "1 10 10 1"},
                                 {"3 both descending", 3, 0, "10 1 10 1"},
                                 {"0 ohne 1", 0, 1, "2 10 2 10"},
                                 {"3 ohne 1", 3, 1, "10 2 10 2"}});
    }
    void arrangementsOrderTheHeaders() {
        auto [name, arrangement, skip, headers] = CurrentRow<ArrangementRow>();
        GridWidget g;
        const int n = 10 - skip;
        g.setRows(n + 1);
        g.setCols(n + 1);
        WriteTableNumbers(g, arrangement, skip);
        const QString column = g.TextMatrix(1, 0) + ' ' + g.TextMatrix(n, 0) + ' ';
        QCOMPARE(column + g.TextMatrix(0, 1) + ' ' + g.TextMatrix(0, n), headers);
        QVERIFY(g.TextMatrix(0, 0).isEmpty());
        for (int r = 1; r <= n; ++r)
            for (int c = 1; c <= n; ++c)
                QCOMPARE(g.TextMatrix(r, c).toInt(),
                         g.TextMatrix(r, 0).toInt() * g.TextMatrix(0, c).toInt());
    }

    // Rows, column width, row height and font for the grid's size: truncating divisions, at
    // least 1; bold above 10 points.
    void shapeFitsTheGrid_data() {
        AddRows<ShapeRow>({{"design grid, bound 12", 12, 0, 4455, 3255, {13, 327, 235, 6}},
                           {"laid out, bound 10", 10, 0, 8135, 6485, {11, 724, 574, 14}},
                           {"ohne 1", 10, 1, 8135, 6485, {10, 798, 633, 16}},
                           {"minimized", 32, 0, -4525, 0, {33, 1, 1, 1}}});
    }
    void shapeFitsTheGrid() {
        auto [name, maxNum, skip, width, height, expected] = CurrentRow<ShapeRow>();
        const TableShape s = ComputeTableShape(maxNum, skip, width, height);
        QCOMPARE((QList<int>{s.Rows, s.ColWidth, s.RowHeight, s.FontSize}), expected);
        QVERIFY(!FontIsBold(10) && FontIsBold(10.5));
    }

    // The bound's ladder 3 … 32, 100, 1000, 10000; off the ladder steps of one until a rule
    // meets it. Direction 0 up, 1 down, 3 (the middle button) five down. (The window's test
    // steps across 32 and 100 by clicks.)
    void boundStepsAlongTheLadder_data() {
        AddRows<LadderRow>({{"lowest", 3, 1, 3},
                            {"100 up", 100, 0, 1000},
                            {"1000 up", 1000, 0, 10000},
                            {"10000 down", 10000, 1, 1000},
                            {"1000 down", 1000, 1, 100},
                            {"98 up", 98, 0, 32},
                            {"34 down", 34, 1, 100},
                            {"middle", 100, 3, 95},
                            {"middle low", 7, 3, 3},
                            {"far above", 50000, 1, 10000},
                            {"32-bit edge", 2147483647, 0, 10000}});
    }
    void boundStepsAlongTheLadder() {
        auto [name, from, direction, to] = CurrentRow<LadderRow>();
        QCOMPARE(SteppedMaxNum(from, direction), to);
    }

    // Where the cells lie, and the size of the picture the printout takes.
    void gridCellsAndPictureMatch() {
        GridWidget g;
        g.Move(0, 0, 4455, 3255);
        for (int i = 0; i < 13; ++i) {
            g.setColWidth(i, 327);
            g.setRowHeight(i, 235);
        }
        QCOMPARE(g.CellRect(0, 2).left(), 46); // (327 + 15) × 2 twips
        QCOMPARE(g.CellAt(QPoint(47, 1)), QPoint(2, 0));
        QCOMPARE(g.CellAt(QPoint(296, 216)), QPoint(-1, -1));
        const GridPicture p = g.Picture();
        QCOMPARE(qRound(p.WidthHimetric), qRound(297 * 15 * 2540.0 / 1440));
    }
};

QTEST_MAIN(TableTest)
#include "test_table.moc"
