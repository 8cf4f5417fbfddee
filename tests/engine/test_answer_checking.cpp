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

    void rightAnswerIsBookedEverywhere() {
        PracticeState st = Posed(7, 8, 0, 56, 6);
        const AnswerBooking b =
            BookAnswer(st, QStringLiteral("7 \u00B7 8 ="), QStringLiteral("56"));
        QVERIFY(b.Right);
        QVERIFY(!b.ClearList);
        QCOMPARE(b.SecondsText, QStringLiteral("6 Sekunden"));
        QCOMPARE(st.ResultLines,
                 (QStringList{QStringLiteral("7 \u00B7 8 =\t    56\t6 Sek.\t"), QString()}));
        QCOMPARE(b.StatisticsText, QStringLiteral("1 gestellte Aufgaben\r\n\u00D8 Bedenkzeit : 6 "
                                                  "Sekunden\r\n100% richtige Antworten"));
        QCOMPARE(st.SlowList.size(), std::size_t{1}); // a quick answer creates no record
        QCOMPARE(st.ListLines, 1);
    }

    void wrongTriesAccumulateTheFullCount() {
        PracticeState st = Posed(6, 7, 0, 42, 7);
        st.AllowSlowRepeat = true;
        AnswerBooking b = BookAnswer(st, QStringLiteral("6 \u00B7 7 ="), QStringLiteral("41"));
        QVERIFY(!b.Right);
        QCOMPARE(b.StatisticsText, QStringLiteral("1 gestellte Aufgaben\r\n\u00D8 Bedenkzeit : 7 "
                                                  "Sekunden\r\n0% richtige Antworten"));
        QCOMPARE(st.SlowList.size(), std::size_t{2});
        QCOMPARE(st.SlowList[1].Seconds, 7);
        QVERIFY(!st.AllowSlowRepeat);
        st.ExerciseSeconds = 12; // the second try, five seconds later
        b = BookAnswer(st, QStringLiteral("6 \u00B7 7 ="), QStringLiteral("43"));
        QCOMPARE(st.SlowList.size(), std::size_t{2});
        QCOMPARE(st.SlowList[1].Seconds, 19);
        QCOMPARE(st.ResultLines.at(1), QStringLiteral("6 \u00B7 7 =\t!   43\t12 Sek.\t"));
        // 7 · 6 is another exercise.
        st.Operand1 = 7;
        st.Operand2 = 6;
        BookAnswer(st, QStringLiteral("7 \u00B7 6 ="), QStringLiteral("1"));
        QCOMPARE(st.SlowList.size(), std::size_t{3});
    }

    void slowAndQuickRightAnswersAdjustTheRecord() {
        PracticeState st = Posed(3, 9, 0, 27, 75);
        BookAnswer(st, QStringLiteral("3 \u00B7 9 ="), QStringLiteral("027"));
        QCOMPARE(st.TotalSeconds, 60); // capped, while the line shows all 75
        QCOMPARE(st.ResultLines.at(0), QStringLiteral("3 \u00B7 9 =\t    027\t75 Sek.\t"));
        QCOMPARE(st.SlowList[1].Seconds, 75);
        st.ExerciseSeconds = 10; // exactly 10 replaces the time and keeps it in the choice
        BookAnswer(st, QString(), QStringLiteral("27"));
        QCOMPARE(st.SlowList[1].Seconds, 10);
        st.ExerciseSeconds = 9;
        st.AllowSlowRepeat = true;
        BookAnswer(st, QString(), QStringLiteral("27"));
        QCOMPARE(st.SlowList[1].Seconds, 9);
        QVERIFY(st.AllowSlowRepeat); // a quick answer leaves the alternation alone
        QCOMPARE(st.TotalSeconds, 60 + 10 + 9);
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
