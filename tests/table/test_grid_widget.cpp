#include "GridWidget.h"
#include "NumberTable.h"

#include <QSignalSpy>
#include <QTest>

class GridWidgetTest : public QObject {
    Q_OBJECT
private slots:
    void geometryAndMouseCells() {
        GridWidget g;
        g.Move(120, 720, 4455, 3255);
        QCOMPARE(g.Left(), 120.0);
        QCOMPARE(g.Width(), 4455.0);
        QCOMPARE(g.geometry(), QRect(8, 48, 297, 217));
        for (int i = 0; i < 13; ++i) {
            g.setColWidth(i, 327);
            g.setRowHeight(i, 235);
        }
        // 327 + 15 twips per column: column 2 starts at 684 twips, 46 pixels.
        QCOMPARE(g.CellRect(0, 2).left(), 46);
        QCOMPARE(g.CellAt(QPoint(47, 1)), QPoint(2, 0));
        QCOMPARE(g.CellAt(QPoint(296, 216)), QPoint(-1, -1)); // right of the last column
        g.Move(0, 0, -500, -10);                              // a window shrunk to nothing
        QCOMPARE(g.size(), QSize(0, 0));
        QVERIFY(g.Picture().Image.isNull());

        g.Move(0, 0, 4455, 3255);
        g.show();
        QSignalSpy up(&g, &GridWidget::MouseUp);
        QSignalSpy click(&g, &GridWidget::Click);
        QTest::mouseClick(&g, Qt::RightButton, {}, g.CellRect(3, 4).center());
        QCOMPARE(up.size(), 1);
        QCOMPARE(up.at(0).at(0).toInt(), 2);
        QCOMPARE(click.size(), 0);
        QCOMPARE(g.MouseRow(), 3);
        QCOMPARE(g.MouseCol(), 4);
        QTest::mouseClick(&g, Qt::LeftButton, Qt::ShiftModifier, g.CellRect(0, 0).center());
        QCOMPARE(up.at(1).at(1).toInt(), 1);
        QCOMPARE(click.size(), 1);
        QCOMPARE(g.MouseRow(), 0);
    }

    void pictureShowsTheCellsAsDrawn() {
        GridWidget g;
        g.Move(0, 0, 4455, 3255);
        for (int i = 0; i < 13; ++i) {
            g.setColWidth(i, 327);
            g.setRowHeight(i, 235);
        }
        g.setRow(1);
        g.setCol(1);
        g.setCellBackColor(0x0000CCFF);
        g.hide(); // a hidden grid still gives its picture
        const GridPicture p = g.Picture();
        QVERIFY(!p.Image.isNull());
        QCOMPARE(qRound(p.WidthHimetric), qRound(297 * 15 * 2540.0 / 1440));
        QVERIFY(
            qFuzzyCompare(p.Image.width() * p.HeightHimetric, p.Image.height() * p.WidthHimetric));
        const double sx = p.Image.width() / 297.0;
        const QRect header = g.CellRect(0, 3), body = g.CellRect(1, 1), plain = g.CellRect(2, 2);
        QCOMPARE(p.Image.pixelColor(int(header.left() * sx + 2), int(header.top() * sx + 2)),
                 QColor(0, 176, 0));
        QCOMPARE(p.Image.pixelColor(int(body.left() * sx + 2), int(body.top() * sx + 2)),
                 QColor(255, 204, 0));
        QCOMPARE(p.Image.pixelColor(int(plain.left() * sx + 2), int(plain.top() * sx + 2)),
                 QColor(255, 255, 255));
    }

    void ladderOfTheUpperBound() {
        QList<int> up{3};
        while (up.last() != 10000 && up.size() < 100)
            up << SteppedMaxNum(up.last(), 0);
        QList<int> expected;
        for (int i = 3; i <= 32; ++i)
            expected << i;
        expected << 100 << 1000 << 10000;
        QCOMPARE(up, expected);
        QCOMPARE(SteppedMaxNum(10000, 0), 10000);
        QList<int> down{10000};
        while (down.last() != 3 && down.size() < 100)
            down << SteppedMaxNum(down.last(), 1);
        std::reverse(expected.begin(), expected.end());
        QCOMPARE(down, expected);
        QCOMPARE(SteppedMaxNum(3, 1), 3);
        // Off the ladder the bound moves by one until a rule meets it.
        QCOMPARE(SteppedMaxNum(95, 0), 96);
        QCOMPARE(SteppedMaxNum(98, 0), 32);
        QCOMPARE(SteppedMaxNum(40, 1), 39);
        QCOMPARE(SteppedMaxNum(34, 1), 100);
        QCOMPARE(SteppedMaxNum(100, 3), 95); // middle button: down by 5, no rule
        QCOMPARE(SteppedMaxNum(7, 3), 3);
        QCOMPARE(SteppedMaxNum(50000, 0), 10000);
        QCOMPARE(SteppedMaxNum(50000, 1), 10000);
        QCOMPARE(SteppedMaxNum(2147483647, 0), 10000); // no overflow at the 32-bit edge
    }

    void shapeArithmetic() {
        // The two worked examples.
        TableShape s = ComputeTableShape(12, 0, 4455, 3255);
        QCOMPARE(s.Rows, 13);
        QCOMPARE(s.ColWidth, 327);
        QCOMPARE(s.RowHeight, 235);
        QCOMPARE(s.FontSize, 6);
        s = ComputeTableShape(10, 0, 8135, 6485);
        QCOMPARE(s.Cols, 11);
        QCOMPARE(s.ColWidth, 724);
        QCOMPARE(s.RowHeight, 574);
        QCOMPARE(s.FontSize, 14); // 739.5 rounds to 740
        QCOMPARE(ComputeTableShape(10, 1, 8135, 6485).Rows, 10);
        // Halves go to even: 1450 / 4 = 362.5 → 362 → 7 points; 1350 / 4 = 337.5 → 338 → 6.
        QCOMPARE(ComputeTableShape(3, 0, 1450, 100).FontSize, 7);
        QCOMPARE(RoundHalfEven(362.5), 362);
        QCOMPARE(RoundHalfEven(8.5), 8);
        QCOMPARE(RoundHalfEven(7.5), 8);
        // Too small for the arithmetic: everything stays at least 1.
        s = ComputeTableShape(32, 0, -4525, 0);
        QCOMPARE(s.ColWidth, 1);
        QCOMPARE(s.RowHeight, 1);
        QCOMPARE(s.FontSize, 1);
        QVERIFY(!FontIsBold(10));
        QVERIFY(FontIsBold(11));
        QVERIFY(!FontIsBold(6));
    }
};

QTEST_MAIN(GridWidgetTest)
#include "test_grid_widget.moc"
