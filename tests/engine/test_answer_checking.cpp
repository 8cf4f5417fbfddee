#include "AnswerChecker.h"
#include "ExerciseClock.h"

#include <QTest>

namespace {

PracticeState Posed(int a, int b, int kind, int expected, int seconds) {
    PracticeState st;
    st.MaxNum = 10;
    st.Operand1 = a;
    st.Operand2 = b;
    st.CalcKind = kind;
    st.ExpectedResult = expected;
    st.ExerciseSeconds = seconds;
    st.PosedCount = 1;
    return st;
}

} // namespace

class AnswerCheckingTest : public QObject {
    Q_OBJECT
private slots:
    void cleaningKeepsDigitsOnly() {
        QCOMPARE(CleanNumberString(QStringLiteral("12a3")), QStringLiteral("123"));
        QCOMPARE(CleanNumberString(QStringLiteral("-1,5 .\u0663x")), QStringLiteral("15"));
        QCOMPARE(CleanNumberString(QString()), QString());
        QVERIFY(IsEmptyAnswer(QStringLiteral("   ")));
        QVERIFY(!IsEmptyAnswer(QStringLiteral(" 0 ")));
    }

    void statisticsUseFloorsAndRunOn() {
        PracticeState st = Posed(1, 1, 2, 2, 5);
        BookAnswer(st, QString(), QStringLiteral("2"));
        st.ExerciseSeconds = 8;
        BookAnswer(st, QString(), QStringLiteral("3"));
        const AnswerBooking b = BookAnswer(st, QString(), QStringLiteral("4"));
        // 1 right of 3: 33 %; average over right answers only: 5.
        QVERIFY(b.StatisticsText.endsWith(QStringLiteral("5 Sekunden\r\n33% richtige Antworten")));
        st.ExerciseSeconds = 6;
        const AnswerBooking c = BookAnswer(st, QString(), QStringLiteral("2"));
        QVERIFY(c.StatisticsText.contains(QStringLiteral(": 5 Sekunden"))); // (5 + 6) / 2 → 5
        QVERIFY(c.StatisticsText.endsWith(QStringLiteral("50% richtige Antworten")));
        // 29 of 100 in floating point is 28.999…, and the floor keeps it at 28.
        st.AnswerCount = 100;
        st.RightCount = 29;
        QVERIFY(StatisticsText(st).endsWith(QStringLiteral("28% richtige Antworten")));
    }

    void theListStartsAgainAfterTwentyOneLines() {
        PracticeState st = Posed(2, 2, 2, 4, 1);
        for (int i = 1; i <= 22; ++i) {
            const AnswerBooking b = BookAnswer(st, QString(), QStringLiteral("4"));
            QCOMPARE(b.ClearList, i == 22);
        }
        QCOMPARE(st.ListLines, 1);
        QCOMPARE(st.ResultLines.size(), 23);
        QVERIFY(st.ResultLines.last().isEmpty());
    }

    void theClockCallsAtItsTimes() {
        QList<int> cuckoo, waiting;
        for (int s = 0; s <= 400; ++s) {
            if (ClockSoundAt(s) == ClockSound::Cuckoo)
                cuckoo << s;
            if (ClockSoundAt(s) == ClockSound::Waiting)
                waiting << s;
        }
        QCOMPARE(cuckoo, QList<int>{15});
        QCOMPARE(waiting, (QList<int>{30, 60, 90, 120, 150, 180, 210, 240}));
    }
};

QTEST_APPLESS_MAIN(AnswerCheckingTest)
#include "test_answer_checking.moc"
