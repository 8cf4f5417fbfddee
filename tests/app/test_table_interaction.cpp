#include "Fakes.h"

#include <QTest>

namespace {

// Clicks the grid cell (row, col) with a button; the grid reacts to the release.
void ClickCell(Form1& w, int row, int col, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w.MSFlexGrid1, button, {}, w.MSFlexGrid1->CellRect(row, col).center());
}

// The column of cells below the header is amber, and no other body cell is.
bool OnlyColumnsAmber(const GridWidget& g, QList<int> columns) {
    for (int r = 1; r < g.Rows(); ++r)
        for (int c = 1; c < g.Cols(); ++c)
            if ((g.CellBackColorAt(r, c) == 0x0000CCFFu) != columns.contains(c))
                return false;
    for (int c = 0; c < g.Cols(); ++c)
        if (g.CellBackColorAt(0, c) != 0)
            return false;
    return true;
}

int ColumnOf(const GridWidget& g, const QString& header) {
    for (int c = 1; c < g.Cols(); ++c)
        if (g.TextMatrix(0, c) == header)
            return c;
    return -1;
}

} // namespace

class TableInteractionTest : public QObject {
    Q_OBJECT
private slots:
    void headerClicksToggleASeries() {
        FormFixture f;
        Form1& w = f.Create();
        GridWidget& g = *w.MSFlexGrid1;
        w.FillTable(2); // columns descending
        const int posed = w.State.PosedCount;
        ClickCell(w, 0, ColumnOf(g, QStringLiteral("7")));
        QCOMPARE(g.TextMatrix(0, 7), QStringLiteral("7")); // back in arrangement 0
        QCOMPARE(g.TextMatrix(1, 0), QStringLiteral("1"));
        QVERIFY(OnlyColumnsAmber(g, {7}));
        QVERIFY(w.State.SelectedRows[7]);
        QVERIFY(w.State.RowSelected);
        QCOMPARE(w.State.PosedCount, posed + 1);
        QVERIFY(w.lbAufgabe->text().contains(QLatin1Char('7')));
        QCOMPARE(w.focusWidget(), w.tbErgebnis);

        // The same number in the header column takes the series away again.
        ClickCell(w, 7, 0, Qt::RightButton);
        QVERIFY(OnlyColumnsAmber(g, {}));
        QVERIFY(!w.State.RowSelected);
        QCOMPARE(w.State.PosedCount, posed + 2);

        // Three series, then the corner cell clears them all and poses nothing.
        ClickCell(w, 0, 2, Qt::MiddleButton);
        ClickCell(w, 0, 5);
        ClickCell(w, 9, 0);
        QVERIFY(OnlyColumnsAmber(g, {2, 5, 9}));
        const int before = w.State.PosedCount;
        ClickCell(w, 0, 0);
        QVERIFY(OnlyColumnsAmber(g, {}));
        QVERIFY(!w.State.RowSelected);
        QCOMPARE(w.State.SelectedRows, std::vector<bool>(11, false));
        QCOMPARE(w.State.PosedCount, before);
    }

    void withoutOneTheSeriesSitsOneColumnLeft() {
        FormFixture f;
        Form1& w = f.Create();
        w.chkOhne1->setChecked(true);
        QCOMPARE(w.focusWidget(), w.tbErgebnis);
        ClickCell(w, 0, 6);
        QCOMPARE(w.MSFlexGrid1->TextMatrix(0, 6), QStringLiteral("7"));
        QVERIFY(w.State.SelectedRows[7]);
        QVERIFY(OnlyColumnsAmber(*w.MSFlexGrid1, {6}));
        // Switching "ohne 1" keeps the selection and the colours at their cells.
        const int posed = w.State.PosedCount;
        w.chkOhne1->setChecked(false);
        QCOMPARE(w.State.PosedCount, posed);
        QVERIFY(w.State.SelectedRows[7]);
        const GridWidget& g = *w.MSFlexGrid1;
        QCOMPARE(g.Rows(), 11);
        for (int r = 1; r < 10; ++r) {
            QCOMPARE(g.CellBackColorAt(r, 6), 0x0000CCFFu);
            QCOMPARE(g.CellBackColorAt(r, 7), 0u);
        }
        QCOMPARE(g.CellBackColorAt(10, 6), 0u); // a new row comes in with default colours
    }

    void everyFreshExerciseUsesTheSelectedSeries() {
        FormFixture f;
        Form1& w = f.Create();
        w.chkOhne1->setChecked(true);
        for (QCheckBox* k : w.chkRechenart)
            k->setChecked(true);
        ClickCell(w, 0, 6); // series 7
        for (int i = 0; i < 200; ++i) {
            const int a = w.State.Operand1, b = w.State.Operand2;
            QVERIFY2(a == 7 || b == 7, qPrintable(w.lbAufgabe->text()));
            QVERIFY((a == 7 ? b : a) >= 2);
            QTest::keyClicks(w.tbErgebnis, QString::number(w.State.ExpectedResult));
            QTest::keyClick(w.tbErgebnis, Qt::Key_Return);
        }
        // While a series is selected the table stays in its standard arrangement.
        QCOMPARE(w.MSFlexGrid1->TextMatrix(1, 0), QStringLiteral("2"));
        QCOMPARE(w.MSFlexGrid1->TextMatrix(0, 1), QStringLiteral("2"));
    }

    void productClicksAnswer() {
        FormFixture f;
        Form1& w = f.Create();
        w.chkRechenart[0]->setChecked(true);
        f.random.script = {ScriptedRandom::For(6, 10, 1), ScriptedRandom::For(7, 10, 1)};
        w.NewExercise();
        QCOMPARE(w.lbAufgabe->text(), QStringLiteral("6 \u00B7 7 ="));
        const int arrangement = w.TableArrangement;
        ClickCell(w, 6, 7);
        QCOMPARE(w.State.RightCount, 1);
        QCOMPARE(w.State.ResultLines.at(0), QStringLiteral("6 \u00B7 7 =\t    42\t0 Sek.\t"));
        QCOMPARE(w.TableArrangement, (arrangement + 1) % 4);
        QCOMPARE(w.focusWidget(), w.tbErgebnis);

        w.chkRechenart[0]->setChecked(false);
        w.chkRechenart[1]->setChecked(true);
        f.random.script = {ScriptedRandom::For(7, 10, 1), ScriptedRandom::For(6, 10, 1)};
        w.NewExercise();
        QCOMPARE(w.lbAufgabe->text(), QStringLiteral("42 \u00F7 6 ="));
        w.FillTable(0);
        ClickCell(w, 6, 7, Qt::RightButton);
        QCOMPARE(w.State.AnswerCount, 2);
        QCOMPARE(w.State.RightCount, 1);
        QCOMPARE(w.State.ResultLines.at(1), QStringLiteral("42 \u00F7 6 =\t!   42\t0 Sek.\t"));
    }

    void toolTipShowsTheCellUnderThePointer() {
        FormFixture f;
        Form1& w = f.Create();
        QTest::mouseMove(w.MSFlexGrid1, w.MSFlexGrid1->CellRect(3, 4).center());
        QCOMPARE(w.MSFlexGrid1->toolTip(), QStringLiteral("12"));
        QTest::mouseMove(w.MSFlexGrid1, w.MSFlexGrid1->CellRect(0, 0).center());
        QVERIFY(w.MSFlexGrid1->toolTip().isEmpty());
    }

    void tableBoxAboveTheLimitExplains() {
        FormFixture f;
        Form1& w = f.Create();
        w.State.MaxNum = 100;
        w.MSFlexGrid1->hide();
        for (bool checkedBefore : {true, false}) {
            w.chkTableVisible->setChecked(!checkedBefore);
            QTest::mouseClick(w.chkTableVisible, Qt::LeftButton, {}, QPoint(8, 8));
            QVERIFY(!w.chkTableVisible->isChecked());
            QVERIFY(!w.MSFlexGrid1->isVisible());
        }
        QCOMPARE(f.messages.shown.size(), std::size_t{2});
        QCOMPARE(
            f.messages.shown[0].Prompt,
            QStringLiteral("Die Tabelle kann für den Wertebereich \"bis 100\" nicht dargestellt "
                           "werden.\r\nWählen Sie einen kleineren Wertebereich bis maximal 32."));
        QCOMPARE(f.messages.shown[0].Style, 64);
        QCOMPARE(f.messages.shown[0].Title, QStringLiteral("Zahlwerk Trainer"));
        QCOMPARE(w.focusWidget(), w.tbErgebnis);
    }

    void hidingAndShowingTheTable() {
        FormFixture f;
        Form1& w = f.Create();
        w.FillTable(3);
        QTest::mouseClick(w.chkTableVisible, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(!w.MSFlexGrid1->isVisible());
        QVERIFY(!w.lbBedienungshinweis->isVisible());
        QVERIFY(w.lbAufgabeBig->isVisible());
        QTest::mouseClick(w.chkTableVisible, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(w.MSFlexGrid1->isVisible());
        QVERIFY(w.lbBedienungshinweis->isVisible());
        QCOMPARE(w.MSFlexGrid1->TextMatrix(1, 0), QStringLiteral("1"));
        QCOMPARE(w.MSFlexGrid1->TextMatrix(0, 1), QStringLiteral("1"));
    }
};

QTEST_MAIN(TableInteractionTest)
#include "test_table_interaction.moc"
