#include "Fakes.h"
#include "GridAccessible.h"

#include <QAccessible>
#include <QTest>

class GridAccessibleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallGridAccessibility(); }

    void screenReadersSeeATableOfNumbers()
    {
        FormFixture f;
        Form1& w = f.Create();
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(w.MSFlexGrid1);
        QVERIFY(grid);
        QCOMPARE(grid->role(), QAccessible::Table);
        QCOMPARE(grid->text(QAccessible::Name), QStringLiteral("1x1-Tabelle"));
        QAccessibleTableInterface* table = grid->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 11);
        QCOMPARE(table->columnCount(), 11);
        QCOMPARE(grid->childCount(), 121);

        QAccessibleInterface* cell = table->cellAt(3, 4);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("12"));
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(grid->indexOfChild(cell), 3 * 11 + 4);
        QCOMPARE(grid->child(3 * 11 + 4), cell);
        QAccessibleTableCellInterface* ci = cell->tableCellInterface();
        QCOMPARE(ci->rowHeaderCells().at(0)->text(QAccessible::Name), QStringLiteral("3"));
        QCOMPARE(ci->columnHeaderCells().at(0)->text(QAccessible::Name), QStringLiteral("4"));
        QCOMPARE(table->cellAt(0, 7)->role(), QAccessible::ColumnHeader);
        QCOMPARE(table->cellAt(7, 0)->role(), QAccessible::RowHeader);
        QVERIFY(table->cellAt(11, 0) == nullptr);

        // The cells follow the table: a refill changes their text, a smaller table
        // invalidates the cells that are gone.
        w.FillTable(1);
        QCOMPARE(table->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("10"));
        QAccessibleInterface* corner = table->cellAt(10, 10);
        w.chkOhne1->setChecked(true);
        QCOMPARE(table->rowCount(), 10);
        QVERIFY(!corner->isValid());

        // Labels read as what they show now.
        QAccessibleInterface* exercise = QAccessible::queryAccessibleInterface(w.lbAufgabe);
        QCOMPARE(exercise->text(QAccessible::Name), w.lbAufgabe->text());
        w.NewExercise();
        QCOMPARE(exercise->text(QAccessible::Name), w.lbAufgabe->text());
    }
};

QTEST_MAIN(GridAccessibleTest)
#include "test_grid_accessible.moc"
