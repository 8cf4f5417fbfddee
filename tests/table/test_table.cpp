#include "Fakes.h"
#include "Twips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

namespace {

QStringList HeaderRow(const GridWidget& g) {
    QStringList out;
    for (int c = 1; c < g.Cols(); ++c)
        out << g.TextMatrix(0, c);
    return out;
}

QStringList HeaderColumn(const GridWidget& g) {
    QStringList out;
    for (int r = 1; r < g.Rows(); ++r)
        out << g.TextMatrix(r, 0);
    return out;
}

QStringList Numbers(int from, int to) {
    QStringList out;
    for (int i = from; from <= to ? i <= to : i >= to; i += from <= to ? 1 : -1)
        out << QString::number(i);
    return out;
}

// Every body cell is the product of its two headers.
bool ProductsMatchHeaders(const GridWidget& g) {
    for (int r = 1; r < g.Rows(); ++r)
        for (int c = 1; c < g.Cols(); ++c)
            if (g.TextMatrix(r, c).toInt() !=
                g.TextMatrix(r, 0).toInt() * g.TextMatrix(0, c).toInt())
                return false;
    return true;
}

void ClickArrow(Form1& w, int index, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w.imgMaxNum[index], button);
}

} // namespace

class TableTest : public QObject {
    Q_OBJECT
private slots:
    void fourArrangements() {
        FormFixture f;
        Form1& w = f.Create();
        const GridWidget& g = *w.MSFlexGrid1;
        QCOMPARE(g.Rows(), 11);
        QCOMPARE(g.TextMatrix(3, 4), QStringLiteral("12"));
        QVERIFY(g.TextMatrix(0, 0).isEmpty());
        QCOMPARE(w.TableArrangement, 1);
        const QStringList up = Numbers(1, 10), down = Numbers(10, 1);
        const QList<QPair<QStringList, QStringList>> expected = {
            {down, up}, {up, down}, {down, down}, {up, up}};
        for (int a = 0; a < 4; ++a) {
            w.FillTable(-1);
            QCOMPARE(HeaderColumn(g), expected[a].first);
            QCOMPARE(HeaderRow(g), expected[a].second);
            QVERIFY(ProductsMatchHeaders(g));
            if (a == 0)
                QCOMPARE(g.TextMatrix(1, 3), QStringLiteral("30"));
        }
        w.FillTable(0);
        w.FillTable(0);
        QCOMPARE(HeaderColumn(g), up);
        QCOMPARE(w.TableArrangement, 1);

        w.chkOhne1->setChecked(true); // rebuilds and refills in arrangement 0
        QCOMPARE(g.Rows(), 10);
        QCOMPARE(HeaderRow(g), Numbers(2, 10));
        QCOMPARE(g.TextMatrix(1, 1), QStringLiteral("4"));
        QCOMPARE(g.TextMatrix(9, 9), QStringLiteral("100"));
        w.FillTable(3);
        QCOMPARE(HeaderColumn(g), Numbers(10, 2));
        QVERIFY(ProductsMatchHeaders(g));

        w.chkOhne1->setChecked(false);
        w.State.MaxNum = 32;
        w.BuildTable();
        w.FillTable(0);
        QCOMPARE(g.Rows(), 33);
        QCOMPARE(g.TextMatrix(32, 32), QStringLiteral("1024"));
    }

    void aboveTheLimitTheTableIsLeftAlone() {
        FormFixture f;
        Form1& w = f.Create();
        w.State.MaxNum = 33;
        const auto rowsBefore = w.State.SelectedRows.size();
        const int arrangement = w.TableArrangement;
        w.BuildTable();
        w.FillTable(2);
        QVERIFY(!w.MSFlexGrid1->isVisible());
        QCOMPARE(w.State.SelectedRows.size(), rowsBefore);
        QCOMPARE(w.TableArrangement, arrangement);
        QCOMPARE(w.MSFlexGrid1->Rows(), 11);
    }

    void workedExamplesToTheTwip() {
        FormFixture f;
        Form1& w = f.Create();
        w.resize(852, 538);
        GridWidget& g = *w.MSFlexGrid1;
        // The design window after the layout: 8135 × 6485, bound 10.
        QCOMPARE(g.Width(), 8135.0);
        QCOMPARE(g.Height(), 6485.0);
        QCOMPARE(g.ColWidth(0), 724);
        QCOMPARE(g.ColWidth(10), 724);
        QCOMPARE(g.RowHeight(5), 574);
        QCOMPARE(g.FontSize(), 14.0);
        QVERIFY(g.FontBold());
        QCOMPARE(TwipsGeometry(w.cmdPrintTable), QRectF(120 + 724 * 11 - 210, 510, 210, 180));
        // The grid at its design size, bound 12.
        g.Move(120, 720, 4455, 3255);
        w.State.MaxNum = 12;
        w.BuildTable();
        QCOMPARE(g.Rows(), 13);
        QCOMPARE(g.ColWidth(12), 327);
        QCOMPARE(g.RowHeight(12), 235);
        QCOMPARE(g.FontSize(), 6.0);
        QVERIFY(!g.FontBold());
    }

    void layoutFollowsTheClientSize() {
        FormFixture f;
        Form1& w = f.Create();
        w.resize(852, 538);
        QCOMPARE(TwipsGeometry(w.frameAufgabe), QRectF(120, 7335, 12615, 735));
        QCOMPARE(TwipsGeometry(w.frameResults), QRectF(8235, 480, 4545, 6780));
        QCOMPARE(w.Line1[0]->X2(), 12780.0);
        QCOMPARE(w.Line1[1]->X2(), 12780.0);
        QCOMPARE(TwipsGeometry(w.lbAufgabeBig), QRectF(120, 720, 8135, 6485));

        w.SelectTableRow(3);
        w.MSFlexGrid1->setTextMatrix(2, 2, QStringLiteral("keep"));
        w.resize(1000, 700);
        const double W = 15000, H = 10500;
        QCOMPARE(TwipsGeometry(w.frameAufgabe).top(), H - 735);
        QCOMPARE(TwipsGeometry(w.frameResults).left(), W - 4545);
        QCOMPARE(w.MSFlexGrid1->Width(), W - 4545 - 100);
        QCOMPARE(w.MSFlexGrid1->Height(), H - 735 - 850);
        QCOMPARE(w.MSFlexGrid1->ColWidth(0), int(W - 4645) / 11 - 15);
        QVERIFY(w.MSFlexGrid1->FontSize() > 14);
        QCOMPARE(w.MSFlexGrid1->TextMatrix(2, 2), QStringLiteral("keep"));
        QCOMPARE(w.MSFlexGrid1->CellBackColorAt(2, 3), 0x0000CCFFu);
        // The option row and the hint never move.
        QCOMPARE(TwipsGeometry(w.chkRechenart[3]), QRectF(11205, 45, 1335, 255));
        QCOMPARE(TwipsGeometry(w.lbBedienungshinweis), QRectF(120, 480, 6735, 255));

        for (QSize s : {QSize(300, 100), QSize(0, 0), QSize(1, 1)}) {
            w.resize(s);
            QCOMPARE(w.MSFlexGrid1->size(), QSize(0, 0));
            QVERIFY(w.MSFlexGrid1->ColWidth(0) >= 1);
            QVERIFY(w.MSFlexGrid1->FontSize() >= 1);
        }
        w.resize(852, 538);
        QCOMPARE(w.MSFlexGrid1->Width(), 8135.0);
        QCOMPARE(w.MSFlexGrid1->ColWidth(0), 724);
        QCOMPARE(TwipsGeometry(w.frameAufgabe).top(), 7335.0);
    }

    void arrowsAndLabelStepTheBound() {
        FormFixture f;
        Form1& w = f.Create();
        ClickArrow(w, 0);
        ClickArrow(w, 0);
        QCOMPARE(w.lbMaxNum->text(), QStringLiteral("12"));
        QCOMPARE(w.MSFlexGrid1->Rows(), 13);
        QCOMPARE(w.MSFlexGrid1->TextMatrix(0, 12), QStringLiteral("12"));
        // A double click arrives as press, release, double-click press, release.
        QTest::mouseClick(w.imgMaxNum[1], Qt::LeftButton);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5),
                        w.imgMaxNum[1]->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(w.imgMaxNum[1], &dbl);
        QTest::mouseRelease(w.imgMaxNum[1], Qt::LeftButton);
        QCOMPARE(w.State.MaxNum, 10); // a double click steps twice
        QTest::mouseClick(w.lbMaxNum, Qt::RightButton);
        QCOMPARE(w.State.MaxNum, 9);
        QTest::mouseClick(w.lbMaxNum, Qt::LeftButton);
        QTest::mouseClick(w.lbMaxNum, Qt::LeftButton);
        QCOMPARE(w.State.MaxNum, 11);
        QTest::mouseClick(w.lbMaxNum, Qt::MiddleButton);
        QCOMPARE(w.State.MaxNum, 6);
        QTest::mouseClick(w.imgMaxNum[1], Qt::RightButton); // any button of an arrow
        QCOMPARE(w.State.MaxNum, 5);

        w.State.MaxNum = 32;
        ClickArrow(w, 0);
        QCOMPARE(w.lbMaxNum->text(), QStringLiteral("100"));
        QVERIFY(!w.MSFlexGrid1->isVisible());
        QVERIFY(w.chkTableVisible->isChecked());
        QVERIFY(w.lbBedienungshinweis->isVisible());
        QVERIFY(f.messages.shown.empty());
        ClickArrow(w, 1);
        QCOMPARE(w.State.MaxNum, 32);
        QVERIFY(w.MSFlexGrid1->isVisible());
        QCOMPARE(w.MSFlexGrid1->Rows(), 33);
        QCOMPARE(w.MSFlexGrid1->TextMatrix(1, 0), QStringLiteral("1"));

        // With the table box cleared only the label follows.
        QTest::mouseClick(w.chkTableVisible, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(!w.MSFlexGrid1->isVisible());
        ClickArrow(w, 1);
        QCOMPARE(w.lbMaxNum->text(), QStringLiteral("31"));
        QCOMPARE(w.MSFlexGrid1->Rows(), 33);
        QVERIFY(!w.MSFlexGrid1->isVisible());
    }

    void loweringTheBoundDropsSeriesAboveIt() {
        FormFixture f;
        Form1& w = f.Create();
        w.State.MaxNum = 20;
        w.BuildTable();
        w.FillTable(0);
        w.SelectTableRow(15);
        w.SelectTableRow(20);
        ClickArrow(w, 1);
        QCOMPARE(w.State.MaxNum, 19);
        QCOMPARE(w.State.SelectedRows.size(), std::size_t{20});
        QVERIFY(w.State.SelectedRows[15]);
        QCOMPARE(w.MSFlexGrid1->CellBackColorAt(5, 15), 0x0000CCFFu);
        QVERIFY(w.State.RowSelected);
        QCOMPARE(w.MSFlexGrid1->Cols(), 20);
    }
};

QTEST_MAIN(TableTest)
#include "test_table.moc"
