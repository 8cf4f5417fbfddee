// What a first real user met: German texts from Qt, labels that never take a control's click,
// a window that fits the screen, a screen reader that is not told the exercise twice, and a
// close that ends every handler.
#include "CoveredLabel.h"
#include "Fakes.h"
#include "GermanTexts.h"
#include "MessageBoxes.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>

class GermanAndStackingTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        InstallGermanTexts(*QCoreApplication::instance());
        InstallCoveredLabelAccessibility();
    }

    void qtsOwnTextsAreGerman() {
        Window v;
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                v.answer->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(v.answer, &click);
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(popup);
        QStringList menu;
        for (QAction* a : popup->actions())
            menu << a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
        popup->close();
        for (const char* text : {"Rückgängig", "Ausschneiden", "Kopieren", "Einfügen", "Löschen"})
            QVERIFY2(menu.contains(QString::fromUtf8(text)), qPrintable(menu.join(", ")));

        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            for (QAbstractButton* b : box ? box->buttons() : QList<QAbstractButton*>())
                buttons << b->text().remove(QLatin1Char('&'));
            if (box)
                box->reject();
        });
        QtMessageBoxes boxes;
        QCOMPARE(boxes.MsgBox(nullptr, QStringLiteral("Wollen Sie die Ergebnisliste ausdrucken?"),
                              MessageBoxes::OkCancel | MessageBoxes::Question,
                              QStringLiteral("Ergebnisliste drucken")),
                 int(MessageBoxes::Cancel));
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Abbrechen", "OK"}));
    }

    void noLabelOrImageCoversAControl() {
        Window v;
        Form1& form = v.w;
        QVERIFY(form.width() <= form.screen()->availableGeometry().width());
        form.resize(852, 538); // the table's widest build leaves its printer symbol far right
        while (v.maxNum->text() != "32")
            v.Click("lbMaxNum");
        v.Click("imgMaxNum(0)");
        for (const QSize size : {QSize(852, 538), QSize(800, 538), QSize(640, 420)}) {
            form.resize(size);
            const QList<QWidget*> controls = form.findChildren<QWidget*>(
                QRegularExpression("^(btn|chk|tbErgebnis|MSFlexGrid1)"));
            for (QWidget* control : controls) {
                if (!control->isVisibleTo(&form))
                    continue;
                const QRect r = control->rect();
                for (int x = r.left(); x <= r.right(); x += 3)
                    for (int y = r.top(); y <= r.bottom(); y += 3) {
                        const QPoint p = control->mapTo(&form, QPoint(x, y));
                        if (!form.rect().contains(p))
                            continue; // cut off at the window's edge
                        QWidget* hit = form.childAt(p);
                        QVERIFY2(hit && !qobject_cast<QLabel*>(hit),
                                 qPrintable(control->objectName() + " covered by " +
                                            (hit ? hit->objectName() : "nothing")));
                    }
            }
        }
        // A click where the table's printer symbol was left lands on "Neu starten".
        form.resize(800, 538);
        v.Answer("99999");
        auto* symbol = v.Get("cmdPrintTable");
        const QPoint where = symbol->mapTo(&form, symbol->rect().center());
        QWidget* hit = form.childAt(where);
        QCOMPARE(hit, v.Get("btnNeu"));
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&form, where));
        QVERIFY(v.messages.shown.empty() && v.list->accessibleDescription().isEmpty());
    }

    void largeLabelIsReadOnlyWhileItShows() {
        Window v;
        QAccessibleInterface* big = QAccessible::queryAccessibleInterface(v.Get("lbAufgabeBig"));
        QVERIFY(big->state().invisible);
        v.Click("chkTableVisible");
        QVERIFY(!big->state().invisible);
    }

    void closingDuringTheEnterHintEndsEveryHandler() {
        Window v;
        v.messages.onShow = [&](const ShownMessage&) { v.w.close(); };
        v.answer->setText(QStringLiteral("1"));
        QTest::mousePress(v.Get("btnOK"), Qt::LeftButton);
        QCOMPARE(v.messages.shown.size(), std::size_t(1));
        QVERIFY(v.sound.names.isEmpty() && v.list->accessibleDescription().isEmpty());
        QVERIFY(!v.Get<QTimer>("Timer1")->isActive());
    }
};

QTEST_MAIN(GermanAndStackingTest)
#include "test_german_and_stacking.moc"
