#include "Fakes.h"

#include <QTest>

// A whole school year in one sitting: 100 000 answers through the real window. The
// counters run past 32 767 without wrapping, the lists stay consistent and every stored
// line is still there.
class LongSessionTest : public QObject {
    Q_OBJECT
private slots:
    void hundredThousandAnswers() {
        FormFixture f;
        Form1& w = f.Create();
        w.chkSoundEnabled->setChecked(false);
        constexpr int Answers = 100000;
        int right = 0;
        for (int i = 0; i < Answers; ++i) {
            // Every seventh answer is wrong; the exercise then stays for the next try.
            const bool wrong = i % 7 == 3;
            w.tbErgebnis->setText(QString::number(w.State.ExpectedResult + (wrong ? 1 : 0)));
            QTest::keyClick(w.tbErgebnis, Qt::Key_Return);
            right += wrong ? 0 : 1;
            if (i % 997 == 0)
                w.Timer1_Timer(); // now and then a second passes
        }
        QCOMPARE(w.State.AnswerCount, Answers);
        QCOMPARE(w.State.RightCount, right);
        QCOMPARE(w.State.PosedCount, right + 1);
        QCOMPARE(w.State.ResultLines.size(), Answers + 1);
        QVERIFY(w.State.ResultLines.last().isEmpty());
        QVERIFY(w.State.ResultLines.at(Answers - 1).endsWith(QStringLiteral(" Sek.\t")));
        const int percent = int(double(right) / Answers * 100);
        QCOMPARE(w.lbStatistik->text(),
                 QStringLiteral("%1 gestellte Aufgaben\r\n\u00D8 Bedenkzeit : 0 "
                                "Sekunden\r\n%2% richtige Antworten")
                     .arg(right)
                     .arg(percent));
        QVERIFY(w.State.ListLines >= 1 && w.State.ListLines <= 21);
        QCOMPARE(int(w.Picture1->Runs().size()), 3 * w.State.ListLines);
        // The remembered exercises are unique and sit from index 1.
        QSet<QString> keys;
        for (std::size_t i = 1; i < w.State.SlowList.size(); ++i) {
            const SlowExercise& s = w.State.SlowList[i];
            keys << QStringLiteral("%1/%2/%3").arg(s.Operand1).arg(s.Operand2).arg(s.CalcKind);
            QVERIFY(s.Seconds >= 0);
        }
        QCOMPARE(keys.size(), int(w.State.SlowList.size()) - 1);

        // Still a working trainer.
        w.tbErgebnis->setText(QString::number(w.State.ExpectedResult));
        QTest::keyClick(w.tbErgebnis, Qt::Key_Return);
        QCOMPARE(w.State.RightCount, right + 1);
    }
};

QTEST_MAIN(LongSessionTest)
#include "test_long_session.moc"
