#include "Printouts.h"

#include <QTest>

// Where the table's picture lands on paper: 95 % of the paper width, the picture's
// proportions, the squeeze of a tall picture, the rounding of every step.
class TablePlacementTest : public QObject {
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
};

void TablePlacementTest::placement_data() {
    QTest::addColumn<int>("PageW");
    QTest::addColumn<int>("PageH");
    QTest::addColumn<int>("h");
    QTest::addColumn<double>("PW");
    QTest::addColumn<double>("PH");
    QTest::addColumn<int>("pw");
    QTest::addColumn<int>("ph");

    QTest::newRow("A4, a wide table")
        << 11906 << 16838 << 230 << 14350.0 << 11440.0 << 11311 << 9017;
    QTest::newRow("A4, tall narrow table squeezed")
        << 11906 << 16838 << 230 << 3000.0 << 30000.0 << 11311 << 15766;
    QTest::newRow("picture and caption fill the page exactly")
        << 11906 << 9247 << 230 << 14350.0 << 11440.0 << 11311 << 9017;
    QTest::newRow("page one twip too short") // 9246 * 0.95 - 230 = 8553.7
        << 11906 << 9246 << 230 << 14350.0 << 11440.0 << 11311 << 8554;
    QTest::newRow("picture of width 0") << 11906 << 16838 << 230 << 0.0 << 11440.0 << 11311 << 0;
    QTest::newRow("no picture") << 11906 << 16838 << 230 << 0.0 << 0.0 << 11311 << 0;
    // 30 * 0.95 = 28.5 and 10 * 0.95 = 9.5: halves go to the even neighbour.
    QTest::newRow("width half rounded down") << 30 << 1000 << 0 << 28.0 << 10.0 << 28 << 10;
    QTest::newRow("width half rounded up") << 10 << 1000 << 0 << 10.0 << 10.0 << 10 << 10;
    // pw = 19, r = 9.5 exactly; 28.5 and 9.5 are halves.
    QTest::newRow("height half rounded down") << 20 << 1000 << 0 << 2.0 << 3.0 << 19 << 28;
    QTest::newRow("height half rounded up") << 20 << 1000 << 0 << 2.0 << 1.0 << 19 << 10;
    // 10 * 0.95 - 1 = 8.5
    QTest::newRow("squeezed height half rounded") << 100 << 10 << 1 << 1.0 << 1.0 << 95 << 8;
    // r = 11311 / 1021 in single precision is 11.0783548..., a little more than the exact
    // quotient: 35417.5004 rounds up where the exact 35417.4995 would round down.
    QTest::newRow("r in single precision")
        << 11906 << 1000000 << 0 << 1021.0 << 3197.0 << 11311 << 35418;
}

void TablePlacementTest::placement() {
    QFETCH(int, PageW);
    QFETCH(int, PageH);
    QFETCH(int, h);
    QFETCH(double, PW);
    QFETCH(double, PH);
    QFETCH(int, pw);
    QFETCH(int, ph);

    const TablePictureRect rect = TablePicturePlacement(PageW, PageH, h, PW, PH);
    QCOMPARE(rect.Left, 0);
    QCOMPARE(rect.Top, h);
    QCOMPARE(rect.Width, pw);
    QCOMPARE(rect.Height, ph);
}

QTEST_APPLESS_MAIN(TablePlacementTest)
#include "TablePlacementTest.moc"
