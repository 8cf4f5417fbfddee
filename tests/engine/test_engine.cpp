// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnswerChecker.h"
#include "Doubles.h"
#include "ExerciseGenerator.h"
#include "ExerciseText.h"
#include "TestData.h"

using Kinds = std::array<bool, KindCount>;

namespace {

double For(int n, int maxNum) {
    return ScriptedRandom::For(n, std::min(maxNum, LargestOperand));
}

PracticeState Posed(int seconds) { // 7 · 8 =
    return {.MaxNum = 10,
            .Operand1 = 7,
            .Operand2 = 8,
            .ExpectedResult = 56,
            .ExerciseSeconds = seconds};
}

} // namespace

class EngineTest : public QObject {
    Q_OBJECT
    using KindsRow = std::tuple<Text, Text, QString>;
    using DrawRow = std::tuple<Text, int, bool, bool, int, int, QList<double>, int>;
    using SlowRow = std::tuple<Text, QList<int>, int>;
    using BookingRow = std::tuple<Text, int, Text, int, Text, int, int>;
    using StatisticsRow = std::tuple<Text, int, int, int, Text>;

private slots:
    // Round-robin over the checked kinds, none checked counting as all; the text and result
    // of each kind with its words, subtraction putting the larger operand first (operands
    // drawn: 7, 8).
    void kindsTakeTurns_data() {
        const QString mul = "7 \u00B7 8 = 56 (7 mal 8 gleich)|",
                      div = "56 \u00F7 8 = 7 (56 geteilt durch 8 gleich)|",
                      add = "7 + 8 = 15 (7 plus 8 gleich)|", sub = "8 - 7 = 1 (8 minus 7 gleich)|",
                      all = div + add + sub + mul + div;
        AddRows<KindsRow>({{"all", "0123", all},
                           {"none", "", all},
                           {"division, subtraction", "13", div + sub + div}});
    }
    void kindsTakeTurns() {
        auto [name, checkedKinds, expected] = CurrentRow<KindsRow>();
        Kinds checked{};
        for (QChar kind : QString(checkedKinds))
            checked[kind.digitValue()] = true;
        ScriptedRandom random;
        PracticeState st{.MaxNum = 10};
        QStringList seen;
        while (seen.size() < expected.count('|')) {
            random.script = {For(7, 10), For(8, 10)};
            ChooseNextExercise(st, random, checked, false);
            seen << ExerciseCaption(st.CalcKind, st.Operand1, st.Operand2) + ' ' +
                        QString::number(st.ExpectedResult) + " (" +
                        SpokenExercise(st.CalcKind, st.Operand1, st.Operand2) + ")|";
        }
        QCOMPARE(seen.join(""), expected);
    }

    // One draw: the ends of the range, "ohne 1", a selected series, and the draw limit
    // (misses: draws of 2 before the listed ones).
    void drawsKeepToRangeAndSeries_data() {
        AddRows<DrawRow>({{"lowest", 12, false, false, 0, 0, {0.0}, 1},
                          {"highest", 12, false, false, 0, 0, {0.99999}, 12},
                          {"ohne 1, lowest", 12, false, true, 0, 0, {0.0}, 2},
                          {"16-bit operands", 100000, false, false, 0, 0, {0.99999999}, 32767},
                          {"series skips the others", 10, true, false, 7, 0, {0.25, 0.65}, 7},
                          {"series 1 despite ohne 1", 10, true, true, 1, 0, {0.05}, 1},
                          {"beyond a short selection", 1000, true, false, 5, 0, {0.999, 0.0045}, 5},
                          {"hit at the last allowed draw", 10, true, false, 9, 10000, {0.85}, 9},
                          {"draw limit reached", 10, true, false, 9, 10001, {0.85}, 2}});
    }
    void drawsKeepToRangeAndSeries() {
        auto [name, maxNum, series, without1, selected, misses, draws, expected] =
            CurrentRow<DrawRow>();
        ScriptedRandom random;
        random.script.assign(misses, For(2, 10));
        random.script.insert(random.script.end(), draws.begin(), draws.end());
        PracticeState st{.MaxNum = maxNum, .SelectedRows = std::vector<bool>(11)}; // bound 10
        st.SelectedRows[selected] = selected != 0;
        QCOMPARE(RandomNumber(st, random, series, without1), expected);
    }

    // The remembered exercise with the most seconds (the first on ties) comes back from 10 s;
    // it keeps its kind, and the rotation goes on from there.
    void slowestExerciseComesBack_data() {
        AddRows<SlowRow>({{"none", {}, 0},
                          {"below 10", {9}, 0},
                          {"exactly 10", {10}, 1},
                          {"the largest", {11, 30, 12}, 2},
                          {"tie: the first", {12, 12}, 1}});
    }
    void slowestExerciseComesBack() {
        auto [name, seconds, picked] = CurrentRow<SlowRow>();
        ScriptedRandom random;
        PracticeState st{.MaxNum = 10, .AllowSlowRepeat = true};
        for (int s : seconds)
            st.SlowList.push_back({int(st.SlowList.size()), 9, KindMultiplication, s});
        const Kinds addition{false, false, true, false};
        QCOMPARE(ChooseNextExercise(st, random, addition, false), picked != 0);
        QCOMPARE(st.ExpectedResult == picked * 9, picked != 0);
        ChooseNextExercise(st, random, addition, false);
        QCOMPARE(st.CalcKind, KindAddition);
    }

    // Judging and booking one answer of 7 · 8: the stored line, the memory of the exercise
    // (recorded: its seconds before, -1 for none), the total seconds.
    void answerIsBooked_data() {
        AddRows<BookingRow>({{"right with zeros", 6, "056", -1, "    056\t6", -1, 6},
                             {"right at 10 s lowers", 10, "56", 15, "    56\t10", 10, 10},
                             {"right at 11 s adds", 11, "56", 5, "    56\t11", 16, 11},
                             {"right after 75 s: 60", 75, "56", -1, "    56\t75", 75, 60},
                             {"wrong", 7, "57", -1, "!   57\t7", 7, 0},
                             {"wrong adds", 3, "57", 9, "!   57\t3", 12, 0}});
    }
    void answerIsBooked() {
        auto [name, seconds, answer, recorded, line, record, total] = CurrentRow<BookingRow>();
        PracticeState st = Posed(seconds);
        st.SlowList.push_back({8, 7, 0, 99}); // another exercise, untouched
        if (recorded >= 0)
            st.SlowList.push_back({7, 8, 0, recorded});
        BookAnswer(st, QStringLiteral("7 \u00B7 8 ="), answer);
        QCOMPARE(st.ResultLines,
                 (QStringList{QStringLiteral("7 \u00B7 8 =\t") + line + " Sek.\t", QString()}));
        QCOMPARE(st.SlowList.size(), std::size_t(record >= 0 ? 3 : 2));
        QCOMPARE(st.SlowList.back().Seconds, record >= 0 ? record : 99);
        QCOMPARE(st.TotalSeconds, total);
    }

    void statisticsAreFloored_data() {
        AddRows<StatisticsRow>({{"none right: this one's seconds", 1, 0, 0, "4 Sekunden\r\n0%"},
                                {"floors", 3, 2, 11, "5 Sekunden\r\n66%"},
                                {"past 16 bits", 100000, 29000, 29000, "1 Sekunden\r\n28%"}});
    }
    void statisticsAreFloored() {
        auto [name, answers, right, total, text] = CurrentRow<StatisticsRow>();
        const PracticeState st{.ExerciseSeconds = 4,
                               .PosedCount = 32768,
                               .TotalSeconds = total,
                               .AnswerCount = answers,
                               .RightCount = right};
        QCOMPARE(StatisticsText(st),
                 QStringLiteral("32768 gestellte Aufgaben\r\n\u00D8 Bedenkzeit : ") + text +
                     " richtige Antworten");
    }
};

QTEST_APPLESS_MAIN(EngineTest)
#include "test_engine.moc"
