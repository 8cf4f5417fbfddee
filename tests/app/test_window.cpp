// SPDX-License-Identifier: GPL-3.0-or-later
// The real window on fakes, driven with keys and the mouse through whole cycles and checked
// by what a user sees: texts and colours, the table's cells, the results list, the clips
// played, the message boxes shown, what the screen reader is told, labels that never take a
// control's click and a close that ends every handler.

#include "Accessibility.h"
#include "Fakes.h"
#include "GermanTexts.h"
#include "TestData.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QScreen>

// How long a printout may take at most: the print system's patience, twice, and some more.
constexpr int PrintoutBound = 3000 * PrintRunner::Patience.count();

// A printout is on its way while the busy pointer shows.
bool PrintoutOnItsWay() {
    return QGuiApplication::overrideCursor() &&
           QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        InstallGermanTexts(*QCoreApplication::instance());
        InstallAccessibility();
    }

    // Right, wrong, slow and empty answers; the slow exercise comes back in amber. (The engine's
    // test holds the rules of the slow exercises.)
    void answersAreJudgedAndBooked() {
        Window v;
        QCOMPARE(v.random.seedCalls, 1);
        v.Click("chkRechenart(0)");
        using R = ScriptedRandom;
        v.random.script = {R::For(7, 10), R::For(8, 10), R::For(6, 10), R::For(7, 10)};
        v.Click("btnNeu");
        v.Tick(6);
        QTest::keyClicks(v.answer, "56");
        QCOMPARE(v.Get<QLabel>("lbAufgabeBig")->text(), "7 \u00B7 8 =\r\n56");
        QTest::keyClick(v.answer, Qt::Key_Return);
        QCOMPARE(v.Line(0),
                 (QStringList{"7 \u00B7 8 =@0 0", "56@100 c000", "6 Sekunden@145 808080"}));
        QCOMPARE(v.stats->text(), "2 gestellte Aufgaben\r\n\u00D8 Bedenkzeit : 6 Sekunden\r\n"
                                  "100% richtige Antworten");
        QCOMPARE(v.exercise->text() + v.answer->text() + v.time->text(), "6 \u00B7 7 =");

        v.Tick(12);
        v.Answer("41");
        QCOMPARE(v.Line(1).at(1), "41@100 ff");
        v.Answer("42"); // the same exercise, right but slow: remembered
        QVERIFY(!v.AmberShown());
        v.Answer(v.Right());
        QCOMPARE(v.exercise->text(), "6 \u00B7 7 =");
        QVERIFY(v.AmberShown());
        QCOMPARE(v.sound.names, (QStringList{"YES_01", "NO_01", "YES_02", "YES_03"}));
        v.Click("chkSoundEnabled");
        const QString stats = v.stats->text();
        QTest::keyClick(v.answer, Qt::Key_Return); // empty: the cuckoo, even without sound
        QCOMPARE(v.sound.names.last(), "KUCKUCK");
        QCOMPARE(v.stats->text(), stats);
        v.Answer(v.Right());
        QCOMPARE(v.sound.names.size(), 5);
    }

    // Digits only, wherever they come from; keypad Enter confirms; "OK ?" confirms on any
    // mouse button, after the Enter hint the first time. (The end-to-end run presses it by keys.)
    void onlyDigitsAreEntered() {
        Window v;
        QTest::keyClicks(v.answer, "1a-2 ,");
        QCOMPARE(v.answer->text(), "12");
        v.answer->setText(v.Right());
        QTest::keyClick(v.answer, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(v.ListLines(), 1);

        QTest::keyClicks(v.answer, "5");
        QTest::mousePress(v.Get("btnOK"), Qt::RightButton);
        QCOMPARE(v.ListLines(), 2);
        QCOMPARE(v.messages.shown.size(), 1); // the Enter hint, heard in the end-to-end run
    }

    // The list holds 21 lines; Neu starten clears it and the slow memory, not the statistics.
    void neuStartenClearsTheList() {
        Window v;
        for (int i = 0; i < 22; ++i)
            v.Answer(v.Right());
        QCOMPARE(v.ListLines(), 1);
        v.Tick(20);
        v.Answer("99999"); // wrong and slow: remembered
        const QString stats = v.stats->text();
        v.Click("btnNeu");
        QVERIFY(v.Line(0).isEmpty() && v.list->SpokenLines().isEmpty());
        QCOMPARE(v.stats->text(), stats);
        for (int i = 0; i < 4; ++i) {
            QVERIFY(!v.AmberShown());
            v.Answer(v.Right());
        }
        QCOMPARE(v.stats->text(), "27 gestellte Aufgaben\r\n\u00D8 Bedenkzeit : 0 Sekunden\r\n"
                                  "96% richtige Antworten");
    }

    // Every second counts; with sound on the cuckoo calls at 15 s and a waiting clip every
    // 30 s up to four minutes, each series going on where it stopped.
    void clockCallsWhileWaiting() {
        Window v;
        QCOMPARE(v.Tick(300),
                 (QStringList{"KUCKUCK@15", "WAIT_01@30", "WAIT_02@60", "WAIT_03@90", "WAIT_04@120",
                              "WAIT_05@150", "WAIT_01@180", "WAIT_02@210", "WAIT_03@240"}));
        QCOMPARE(v.time->text(), "300");
        v.Click("chkSoundEnabled");
        v.Click("btnNeu");
        QCOMPARE(v.Tick(20), QStringList());
        v.Click("chkSoundEnabled");
        QCOMPARE(v.Tick(10), QStringList{"WAIT_04@30"});
    }

    // Series: chosen and cleared from either header, kept through right answers, shifted by
    // "ohne 1", cleared by the corner, dropped when the bound falls below them.
    void seriesAreChosenFromTheHeaders() {
        Window v;
        const QPointF cell = v.grid->CellRect(3, 4).center();
        QMouseEvent move(QEvent::MouseMove, cell, v.grid->mapToGlobal(cell), {}, {}, {});
        QApplication::sendEvent(v.grid, &move);
        QCOMPARE(v.grid->toolTip(), "12"); // the number under the pointer
        v.Click("chkRechenart(0)");
        v.Answer(v.Right());
        v.Answer(v.Right());
        QCOMPARE(v.grid->TextMatrix(0, 4), "7"); // columns descending
        using R = ScriptedRandom;
        v.random.script = {R::For(3, 10), R::For(7, 10), R::For(4, 10), R::For(7, 10)};
        v.ClickCell(0, 4);
        QCOMPARE(v.AmberColumns(), QList<int>{7});
        v.Answer("21");                               // 3 · 7
        QCOMPARE(v.exercise->text(), "7 \u00B7 4 ="); // the series' number now first
        QCOMPARE(v.grid->TextMatrix(1, 0) + v.grid->TextMatrix(0, 1), "11"); // arrangement 0 kept
        v.ClickCell(7, 4);                                                   // the product answers
        QCOMPARE(v.Line(3).at(1), "28@100 c000");
        QCOMPARE(v.AmberColumns(), QList<int>{7});
        v.ClickCell(7, 0, Qt::RightButton);
        QCOMPARE(v.AmberColumns(), QList<int>{});

        v.Click("chkOhne1");
        v.ClickCell(0, 6, Qt::MiddleButton);
        v.ClickCell(0, 2);
        QCOMPARE(v.grid->TextMatrix(0, 6), "7");
        QCOMPARE(v.AmberColumns(), (QList<int>{2, 6}));
        v.Tick(1);
        const QString posed = v.exercise->text();
        v.ClickCell(0, 0);
        QCOMPARE(v.AmberColumns(), QList<int>{});
        QCOMPARE(v.exercise->text() + v.time->text(), posed + "1"); // no new exercise
        QCOMPARE(v.w.focusWidget(), v.answer);

        v.Click("chkOhne1");
        v.ClickCell(0, 9);
        v.ClickCell(0, 5);
        v.Click("imgMaxNum(1)");
        v.Click("imgMaxNum(1)");
        QCOMPARE(v.AmberColumns(), QList<int>{5});
        v.Click("imgMaxNum(0)");
        QCOMPARE(v.AmberColumns(), QList<int>{-5});
        v.ClickCell(0, 9); // selected anew, not cleared
        QCOMPARE(v.AmberColumns(), (QList<int>{-5, 9}));
    }

    // The bound: arrows and the label step it; the table follows up to 32 and hides above, and
    // its box, clicked or by Space.
    void tableFollowsTheBound() {
        Window v;
        v.Click("imgMaxNum(0)");
        v.Click("imgMaxNum(0)");
        QCOMPARE(v.maxNum->text(), "12");
        v.Click("lbMaxNum", Qt::RightButton);
        v.Click("imgMaxNum(1)", Qt::RightButton);
        v.Click("lbMaxNum", Qt::MiddleButton);
        QCOMPARE(v.maxNum->text(), "5");
        QTest::mouseClick(v.Get("imgMaxNum(0)"), Qt::LeftButton); // as a double click comes
        QTest::mouseDClick(v.Get("imgMaxNum(0)"), Qt::LeftButton);
        QTest::mouseRelease(v.Get("imgMaxNum(0)"), Qt::LeftButton);
        QCOMPARE(v.maxNum->text(), "7");
        while (v.maxNum->text() != "32")
            v.Click("lbMaxNum");
        v.Click("imgMaxNum(0)");
        QCOMPARE(v.maxNum->text(), "100");
        QVERIFY(!v.grid->isVisible() && v.Get<QCheckBox>("chkTableVisible")->isChecked());
        v.Click("imgMaxNum(1)");
        QCOMPARE(v.grid->Rows(), 33);
        QVERIFY(v.grid->isVisible() && v.messages.shown.isEmpty());

        // The large exercise label, read by a screen reader only while the table is hidden.
        QAccessibleInterface* big = QAccessible::queryAccessibleInterface(v.Get("lbAufgabeBig"));
        QVERIFY(big->state().invisible);
        QTest::keyClick(v.Get("chkTableVisible"), Qt::Key_Space); // as a click does
        QVERIFY(!v.grid->isVisible() && !v.Get("lbBedienungshinweis")->isVisible());
        QVERIFY(!big->state().invisible);
        v.Click("imgMaxNum(0)");
        v.Click("chkTableVisible");
        QVERIFY(!v.Get<QCheckBox>("chkTableVisible")->isChecked() && !v.grid->isVisible());
        QCOMPARE(
            v.messages.shown,
            QStringList{"64 Zahlwerk Trainer: Die Tabelle kann für den Wertebereich \"bis 100\" "
                        "nicht dargestellt werden.\r\nWählen Sie einen kleineren "
                        "Wertebereich bis maximal 32."});
        QCOMPARE(v.w.focusWidget(), v.answer);
    }

    // The first size fits the screen; the exercise bar keeps to the bottom, the results to the
    // right, the table takes the rest.
    void layoutFollowsTheWindow() {
        Window v;
        QVERIFY(v.w.width() <= v.w.screen()->availableGeometry().width()); // the first size
        v.w.resize(1000, 700);                                             // 15000 × 10500 twips
        QCOMPARE(v.Get("frameAufgabe")->y(), 651);
        QCOMPARE(v.Get("frameResults")->x(), 697);
        QCOMPARE(v.grid->size(), QSize(690, 594));
        QCOMPARE(v.Get("lbAufgabeBig")->geometry(), v.grid->geometry());
        v.w.resize(1, 1);
        v.w.resize(852, 538);
        QCOMPARE(v.grid->size(), QSize(542, 432));
        // No label or image covers a control, whatever the size, not even the table's printer
        // symbol, which the table's widest build leaves far right over "Neu starten".
        while (v.maxNum->text() != "32")
            v.Click("lbMaxNum");
        v.Click("imgMaxNum(0)");
        for (const QSize size : {QSize(852, 538), QSize(800, 538), QSize(640, 420)}) {
            v.w.resize(size);
            for (QWidget* control : v.w.findChildren<QWidget*>(
                     QRegularExpression("^(btn|chk|tbErgebnis|MSFlexGrid1)"))) {
                if (!control->isVisibleTo(&v.w))
                    continue;
                const QRect r = control->rect();
                for (int x = r.left(); x <= r.right(); x += 3)
                    for (int y = r.top(); y <= r.bottom(); y += 3) {
                        const QPoint p = control->mapTo(&v.w, QPoint(x, y));
                        QWidget* hit = v.w.childAt(p);
                        QVERIFY2(!v.w.rect().contains(p) || (hit && !qobject_cast<QLabel*>(hit)),
                                 qPrintable(control->objectName() + " covered by " +
                                            (hit ? hit->objectName() : "nothing")));
                    }
            }
        }
    }

    // Each printout asks first: Cancel prints nothing, and a missing printer is silent. While a
    // printout waits for a stopped spooler the window carries on under the busy pointer: clicks
    // on the printer symbols start nothing, then or later (a screen reader's press is a click);
    // the close box writes the settings at once and gives the printout up; a spooler that
    // never answers ends the printout after its patience. The printout's thread may end after
    // the window has gone. (The end-to-end run prints on paper.)
    void printoutsAskAndNeverHoldTheWindow_data() {
        AddRows<std::tuple<Text, Text>>({{"cancel", "cmdPrintTable"},
                                         {"no printer", "cmdPrintTable"},
                                         {"clicks", "cmdPrintResults"},
                                         {"close box", "cmdPrintResults"},
                                         {"no answer", "cmdPrintResults"}});
    }
    void printoutsAskAndNeverHoldTheWindow() {
        const auto [row, symbol] = CurrentRow<std::tuple<Text, Text>>();
        const QString during = row;
        Window v;
        v.messages.onShow = [&] {
            return during == "cancel" ? MessageBoxes::Cancel : MessageBoxes::Ok;
        };
        v.printers->stuck = symbol == QString("cmdPrintResults");
        v.printers->pdf = during == "no printer" ? "" : v.programFolder.filePath("out.pdf");
        v.Click(symbol);
        QVERIFY(PrintoutOnItsWay() || !v.printers->stuck);
        for (int i = 0; i < 10 && during == "clicks"; ++i)
            v.Click(i % 2 ? "cmdPrintTable" : "cmdPrintResults");
        if (during == "close box") {
            v.w.close();
            QCOMPARE(Contents(v.settings).left(13), "MaxNum = 10\r\n");
            QVERIFY(!PrintoutOnItsWay());
        }
        const bool answered = during == "clicks";
        if (answered)
            v.printers->answer.release();
        QTRY_VERIFY_WITH_TIMEOUT(!PrintoutOnItsWay(), PrintoutBound);
        QVERIFY(!QGuiApplication::overrideCursor());
        v.form.reset();
        v.printers->answer.release();
        QTRY_COMPARE(v.printers.use_count(), 1);
        QCOMPARE(QFile::exists(v.printers->pdf), answered);
        QCOMPARE(
            v.messages.shown,
            QStringList{v.printers->stuck
                            ? "33 Ergebnisliste drucken: Wollen Sie die Ergebnisliste ausdrucken?"
                            : "33 1x1-Tabelle drucken: Wollen Sie die angezeigte 1x1-Tabelle "
                              "ausdrucken?"});
        QCOMPARE(v.printers->requests, int(during != "cancel"));
    }

    void closingDuringTheEnterHintEndsEveryHandler() {
        Window v;
        v.messages.onShow = [&] {
            v.w.close();
            return MessageBoxes::Ok;
        };
        v.answer->setText(QStringLiteral("1"));
        QTest::mousePress(v.Get("btnOK"), Qt::LeftButton);
        QCOMPARE(v.messages.shown.size(), 1);
        QVERIFY(v.sound.names.isEmpty() && v.list->SpokenLines().isEmpty());
        QVERIFY(!v.Get<QTimer>("Timer1")->isActive());
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
