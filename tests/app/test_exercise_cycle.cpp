#include "Fakes.h"
#include "VbColor.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace {

// Poses a [kind] b through the real NewExercise, with only that kind checked.
void Pose(FormFixture& f, int kind, int a, int b) {
    Form1& w = *f.form;
    for (int i = 0; i < 4; ++i)
        w.chkRechenart[i]->setChecked(i == kind);
    f.random.script = {ScriptedRandom::For(a, w.State.MaxNum, 1),
                       ScriptedRandom::For(b, w.State.MaxNum, 1)};
    w.NewExercise();
}

void Tick(Form1& w, int seconds) {
    for (int i = 0; i < seconds; ++i)
        w.Timer1_Timer();
}

void Answer(Form1& w, const QString& digits) {
    QTest::keyClicks(w.tbErgebnis, digits);
    QTest::keyClick(w.tbErgebnis, Qt::Key_Return);
}

} // namespace

class ExerciseCycleTest : public QObject {
    Q_OBJECT
private slots:
    void aRightAnswerStepByStep() {
        FormFixture f;
        Form1& w = f.Create();
        Pose(f, 0, 7, 8);
        QCOMPARE(w.lbAufgabe->text(), QStringLiteral("7 \u00B7 8 ="));
        Tick(w, 6);
        QCOMPARE(w.lbTime->text(), QStringLiteral("6"));
        QTest::keyClicks(w.tbErgebnis, QStringLiteral("56"));
        QCOMPARE(w.lbAufgabeBig->text(), QStringLiteral("7 \u00B7 8 =\r\n56"));
        const QString firstRowHeader = w.MSFlexGrid1->TextMatrix(1, 0);
        QTest::keyClick(w.tbErgebnis, Qt::Key_Return);

        QCOMPARE(w.State.AnswerCount, 1);
        const auto runs = w.Picture1->LineRuns(0);
        QCOMPARE(runs.size(), std::size_t{3});
        QCOMPARE(runs[0].Text, QStringLiteral("7 \u00B7 8 ="));
        QCOMPARE(runs[0].X, 0);
        QCOMPARE(runs[0].Color, VbColors::Black);
        QCOMPARE(runs[1].Text, QStringLiteral("56"));
        QCOMPARE(runs[1].X, 100);
        QCOMPARE(runs[1].Color, VbColors::AnswerGreen);
        QCOMPARE(runs[2].Text, QStringLiteral("6 Sekunden"));
        QCOMPARE(runs[2].X, 145);
        QCOMPARE(runs[2].Color, VbColors::Grey);
        QCOMPARE(w.Picture1->ForeColor(), VbColors::Black);
        QCOMPARE(w.State.ResultLines,
                 (QStringList{QStringLiteral("7 \u00B7 8 =\t    56\t6 Sek.\t"), QString()}));
        QCOMPARE(w.lbStatistik->text(),
                 QStringLiteral("2 gestellte Aufgaben\r\n\u00D8 Bedenkzeit : "
                                "6 Sekunden\r\n100% richtige Antworten"));
        // The table moved on to its next arrangement (rows descending) …
        QCOMPARE(firstRowHeader, QStringLiteral("1"));
        QCOMPARE(w.MSFlexGrid1->TextMatrix(1, 0), QStringLiteral("10"));
        // … the next exercise is posed, and the praise comes after it.
        QCOMPARE(w.State.PosedCount, 3);
        QVERIFY(w.tbErgebnis->text().isEmpty());
        QVERIFY(w.lbTime->text().isEmpty());
        QCOMPARE(f.sound.Names(), QStringList{QStringLiteral("YES_01")});
        QCOMPARE(f.sound.played.back().Flags, SND_ASYNC | SND_MEMORY);
    }

    void wrongTriesKeepTheExercise() {
        FormFixture f;
        Form1& w = f.Create();
        Pose(f, 0, 6, 7);
        Tick(w, 7);
        Answer(w, QStringLiteral("41"));
        QCOMPARE(w.lbStatistik->text(),
                 QStringLiteral("2 gestellte Aufgaben\r\n\u00D8 Bedenkzeit : "
                                "7 Sekunden\r\n0% richtige Antworten"));
        QCOMPARE(w.Picture1->LineRuns(0)[1].Color, VbColors::AnswerRed);
        QCOMPARE(w.lbAufgabe->text(), QStringLiteral("6 \u00B7 7 ="));
        QCOMPARE(w.lbAufgabeBig->text(), QStringLiteral("6 \u00B7 7 =\r\n"));
        QVERIFY(w.tbErgebnis->text().isEmpty());
        QCOMPARE(w.State.SlowList.size(), std::size_t{2});
        QCOMPARE(w.State.SlowList[1].Seconds, 7);
        Tick(w, 5);
        Answer(w, QStringLiteral("43"));
        QCOMPARE(w.State.SlowList[1].Seconds, 19);
        QCOMPARE(w.State.ResultLines.at(1), QStringLiteral("6 \u00B7 7 =\t!   43\t12 Sek.\t"));
        QCOMPARE(w.State.PosedCount, 2);
        QCOMPARE(f.sound.Names(), (QStringList{"NO_01", "NO_02"}));
        Answer(w, QStringLiteral("42")); // right, but after 12 s: the 12 are added again
        QCOMPARE(w.State.SlowList[1].Seconds, 31);
    }

    void rememberedExerciseComesBackAndLeavesWhenQuick() {
        FormFixture f;
        Form1& w = f.Create();
        Pose(f, 0, 6, 7);
        Tick(w, 12);
        Answer(w, QStringLiteral("42")); // right but slow: remembered with 12 s
        QCOMPARE(w.State.SlowList[1].Seconds, 12);
        // The exercise after a slow answer is fresh, the one after that the remembered one.
        QCOMPARE(w.lbAufgabe->palette().color(QPalette::Window),
                 ColorFromVb(VbColors::ButtonFace, w.lbAufgabe->palette()));
        Answer(w, QString::number(w.State.ExpectedResult));
        QCOMPARE(w.lbAufgabe->text(), QStringLiteral("6 \u00B7 7 ="));
        QCOMPARE(w.lbAufgabe->palette().color(QPalette::Window), QColor(255, 204, 0));
        Tick(w, 10);
        Answer(w, QStringLiteral("42")); // exactly 10: still in the choice
        QCOMPARE(w.State.SlowList[1].Seconds, 10);
        Answer(w, QString::number(w.State.ExpectedResult));
        QCOMPARE(w.lbAufgabe->text(), QStringLiteral("6 \u00B7 7 ="));
        Tick(w, 9);
        Answer(w, QStringLiteral("42")); // 9 seconds: out of the choice
        QCOMPARE(w.State.SlowList[1].Seconds, 9);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(w.lbAufgabe->palette().color(QPalette::Window) != QColor(255, 204, 0));
            Answer(w, QString::number(w.State.ExpectedResult));
        }
    }

    void slowRightAnswerCountsAtMostSixtySeconds() {
        FormFixture f;
        Form1& w = f.Create();
        Pose(f, 2, 3, 4);
        Tick(w, 75);
        Answer(w, QStringLiteral("007"));
        QCOMPARE(w.State.TotalSeconds, 60);
        QCOMPARE(w.Picture1->LineRuns(0)[1].Text, QStringLiteral("007"));
        QCOMPARE(w.Picture1->LineRuns(0)[2].Text, QStringLiteral("75 Sekunden"));
        QVERIFY(w.lbStatistik->text().contains(QStringLiteral(": 60 Sekunden")));
    }

    void theScreenListHoldsTwentyOneLines() {
        FormFixture f;
        Form1& w = f.Create();
        for (int i = 0; i < 21; ++i)
            Answer(w, QString::number(w.State.ExpectedResult));
        QCOMPARE(w.Picture1->Runs().size(), std::size_t{63});
        Answer(w, QString::number(w.State.ExpectedResult));
        QCOMPARE(w.Picture1->Runs().size(), std::size_t{3});
        QCOMPARE(w.Picture1->LineRuns(0).size(), std::size_t{3});
        QCOMPARE(w.State.ResultLines.size(), 23);
        QVERIFY(w.State.ResultLines.last().isEmpty());
    }

    void emptyAnswerCallsTheCuckooEvenWhenSilent() {
        FormFixture f;
        Form1& w = f.Create();
        w.chkSoundEnabled->setChecked(false);
        const QString stats = w.lbStatistik->text();
        QTest::keyClick(w.tbErgebnis, Qt::Key_Return);
        QCOMPARE(f.sound.Names(), QStringList{QStringLiteral("KUCKUCK")});
        QCOMPARE(f.sound.played.back().Flags, SND_ASYNC | SND_MEMORY);
        QCOMPARE(w.State.AnswerCount, 0);
        QCOMPARE(w.State.ResultLines.size(), 1);
        QCOMPARE(w.lbStatistik->text(), stats);
        // Silent answers do not move the series on.
        for (int i = 0; i < 3; ++i)
            Answer(w, QString::number(w.State.ExpectedResult));
        w.chkSoundEnabled->setChecked(true);
        Answer(w, QString::number(w.State.ExpectedResult));
        QCOMPARE(f.sound.Names().last(), QStringLiteral("YES_01"));
        Answer(w, QStringLiteral("9999999"));
        Answer(w, QString::number(w.State.ExpectedResult));
        QCOMPARE(f.sound.Names().mid(1), (QStringList{"YES_01", "NO_01", "YES_02"}));
    }

    void theAnswerBoxKeepsDigitsOnly() {
        FormFixture f;
        Form1& w = f.Create();
        QTest::keyClicks(w.tbErgebnis, QStringLiteral("12a3"));
        QCOMPARE(w.tbErgebnis->text(), QStringLiteral("123"));
        QTest::keyClicks(w.tbErgebnis, QStringLiteral("-, ."));
        QCOMPARE(w.tbErgebnis->text(), QStringLiteral("123"));
        QCOMPARE(w.tbErgebnis->cursorPosition(), 3);
        // A letter typed in the middle leaves the caret where the letter went in.
        w.tbErgebnis->setCursorPosition(1);
        QTest::keyClicks(w.tbErgebnis, QStringLiteral("x9"));
        QCOMPARE(w.tbErgebnis->text(), QStringLiteral("1923"));
        QCOMPARE(w.tbErgebnis->cursorPosition(), 2);
        w.tbErgebnis->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("12a3"));
        w.tbErgebnis->paste();
        QCOMPARE(w.tbErgebnis->text(), QStringLiteral("123"));
        QVERIFY(w.lbAufgabeBig->text().endsWith(QStringLiteral("\r\n123")));
        // Keypad Enter confirms too and inserts nothing.
        w.tbErgebnis->setText(QString::number(w.State.ExpectedResult));
        QTest::keyClick(w.tbErgebnis, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(w.State.RightCount, 1);
        QVERIFY(w.tbErgebnis->text().isEmpty());
    }

    void theEnterHintComesOnceOnTheFirstMousePress() {
        FormFixture f;
        Form1& w = f.Create();
        Answer(w, QStringLiteral("1")); // Enter never shows it
        QVERIFY(f.messages.shown.empty());
        int answersWhenShown = -1;
        f.messages.onShow = [&](const ShownMessage&) { answersWhenShown = w.State.AnswerCount; };
        QTest::keyClicks(w.tbErgebnis, QString::number(w.State.ExpectedResult));
        QTest::mousePress(w.btnOK, Qt::LeftButton);
        QTest::mouseRelease(w.btnOK, Qt::LeftButton);
        QCOMPARE(f.messages.shown.size(), std::size_t{1});
        QCOMPARE(f.messages.shown[0].Prompt,
                 QStringLiteral("Die Eingabe lässt sich besser mit der [Enter] Taste bestätigen."));
        QCOMPARE(f.messages.shown[0].Style, 64);
        QCOMPARE(f.messages.shown[0].Title, QStringLiteral("Zahlwerk Trainer"));
        QCOMPARE(answersWhenShown, 1); // judged after the hint was closed
        QCOMPARE(w.State.AnswerCount, 2);
        QCOMPARE(w.State.RightCount, 1);
        QTest::keyClicks(w.tbErgebnis, QStringLiteral("5"));
        QTest::mousePress(w.btnOK, Qt::RightButton);
        QCOMPARE(f.messages.shown.size(), std::size_t{1});
        QCOMPARE(w.State.AnswerCount, 3);
    }

    void restartKeepsTheStatisticsRunning() {
        FormFixture f;
        Form1& w = f.Create();
        Answer(w, QStringLiteral("9999"));
        Answer(w, QString::number(w.State.ExpectedResult));
        const QString stats = w.lbStatistik->text();
        QTest::mouseClick(w.btnNeu, Qt::LeftButton);
        QVERIFY(w.Picture1->Runs().empty());
        QCOMPARE(w.State.ListLines, 0);
        QCOMPARE(w.State.ResultLines, QStringList{QString()});
        QCOMPARE(w.State.SlowList.size(), std::size_t{1});
        QCOMPARE(w.lbStatistik->text(), stats);
        QCOMPARE(w.State.PosedCount, 3);
        Answer(w, QString::number(w.State.ExpectedResult));
        QVERIFY(w.lbStatistik->text().startsWith(QStringLiteral("3 gestellte Aufgaben")));
        QVERIFY(w.lbStatistik->text().endsWith(QStringLiteral("66% richtige Antworten")));
    }

    void theClockCallsWhileSoundIsOn() {
        FormFixture f;
        Form1& w = f.Create();
        Tick(w, 300);
        QCOMPARE(w.lbTime->text(), QStringLiteral("300"));
        QCOMPARE(f.sound.Names(),
                 (QStringList{"KUCKUCK", "WAIT_01", "WAIT_02", "WAIT_03", "WAIT_04", "WAIT_05",
                              "WAIT_01", "WAIT_02", "WAIT_03"}));
        f.sound.played.clear();
        w.chkSoundEnabled->setChecked(false);
        w.NewExercise();
        Tick(w, 20);
        QCOMPARE(w.lbTime->text(), QStringLiteral("20"));
        QVERIFY(f.sound.played.empty());
        w.chkSoundEnabled->setChecked(true);
        Tick(w, 10);
        QCOMPARE(f.sound.Names(), QStringList{QStringLiteral("WAIT_04")});
    }
};

QTEST_MAIN(ExerciseCycleTest)
#include "test_exercise_cycle.moc"
