#include "ExerciseGenerator.h"
#include "Fakes.h"

#include <QTest>

namespace {

std::array<bool, 4> Kinds(std::initializer_list<int> checked) {
    std::array<bool, 4> k{};
    for (int i : checked)
        k[static_cast<std::size_t>(i)] = true;
    return k;
}

PracticeState Fresh(int maxNum) {
    PracticeState st;
    st.MaxNum = maxNum;
    return st;
}

} // namespace

class ExerciseGenerationTest : public QObject {
    Q_OBJECT
private slots:
    void kindsRotateOverTheCheckedBoxes() {
        ScriptedRandom rnd;
        // All four or none checked: the first exercise of a run is a division, then 2, 3, 0.
        for (auto kinds : {Kinds({0, 1, 2, 3}), Kinds({})}) {
            PracticeState st = Fresh(10);
            QList<int> seen;
            for (int i = 0; i < 5; ++i) {
                ChooseNextExercise(st, rnd, kinds, false);
                seen << st.CalcKind;
            }
            QCOMPARE(seen, (QList<int>{1, 2, 3, 0, 1}));
        }
        PracticeState st = Fresh(10);
        ChooseNextExercise(st, rnd, Kinds({0}), false);
        QCOMPARE(st.CalcKind, 0);
        QList<int> some;
        for (int i = 0; i < 4; ++i) {
            ChooseNextExercise(st, rnd, Kinds({1, 3}), false);
            some << st.CalcKind;
        }
        QCOMPARE(some, (QList<int>{1, 3, 1, 3}));
        QCOMPARE(st.PosedCount, 5);
    }

    void textsAndResultsOfEachKind() {
        QCOMPARE(ExerciseCaption(0, 7, 8), QStringLiteral("7 \u00B7 8 ="));
        QCOMPARE(ExerciseCaption(1, 7, 8), QStringLiteral("56 \u00F7 8 ="));
        QCOMPARE(ExerciseCaption(2, 7, 8), QStringLiteral("7 + 8 ="));
        QCOMPARE(ExerciseCaption(3, 8, 7), QStringLiteral("8 - 7 ="));

        ScriptedRandom rnd;
        for (int kind = 0; kind < 4; ++kind) {
            PracticeState st = Fresh(10);
            rnd.script = {ScriptedRandom::For(7, 10, 1), ScriptedRandom::For(8, 10, 1)};
            ChooseNextExercise(st, rnd, Kinds({kind}), false);
            const int expected[] = {56, 7, 15, 1};
            QCOMPARE(st.ExpectedResult, expected[kind]);
            if (kind == 3) { // the larger operand comes first and stays first
                QCOMPARE(st.Operand1, 8);
                QCOMPARE(st.Operand2, 7);
            }
        }
    }

    void freshOperandsStayInRange() {
        ScriptedRandom rnd;
        PracticeState st = Fresh(12);
        QSet<int> seen;
        for (int i = 0; i < 3000; ++i) {
            ChooseNextExercise(st, rnd, Kinds({0, 1, 2, 3}), true);
            if (st.CalcKind == KindSubtraction) {
                QVERIFY(st.ExpectedResult >= 0);
                QVERIFY(st.Operand1 >= st.Operand2);
            }
            if (st.CalcKind == KindDivision)
                QCOMPARE(st.Operand1 * st.Operand2 / st.Operand2, st.ExpectedResult);
            QVERIFY(st.Operand1 >= 2 && st.Operand1 <= 12);
            QVERIFY(st.Operand2 >= 2 && st.Operand2 <= 12);
            seen << st.Operand1 << st.Operand2;
        }
        QCOMPARE(seen.size(), 11); // "ohne 1": every number 2 to 12 occurs, 1 never
        // Extreme draws reach both ends exactly.
        rnd.script = {0.0, 0.999999999};
        QCOMPARE(RandomNumber(st, rnd, false, false), 1);
        QCOMPARE(RandomNumber(st, rnd, false, false), 12);
    }

    void selectedSeriesGiveOneOperandAlternatelyFirstAndSecond() {
        ScriptedRandom rnd;
        PracticeState st = Fresh(10);
        st.SelectedRows.assign(11, false);
        st.SelectedRows[7] = true;
        st.RowSelected = true;
        for (int i = 0; i < 200; ++i) {
            ChooseNextExercise(st, rnd, Kinds({0}), true);
            QVERIFY(st.Operand1 == 7 || st.Operand2 == 7);
            const int other = st.Operand1 == 7 ? st.Operand2 : st.Operand1;
            QVERIFY(other >= 2); // "ohne 1" still holds for the other operand
        }
        // Without a swap first, then swapped, and so on (unless both operands are 7).
        rnd.script = {ScriptedRandom::For(3, 9, 2), ScriptedRandom::For(7, 10, 1),
                      ScriptedRandom::For(3, 9, 2), ScriptedRandom::For(7, 10, 1)};
        st.SwapOperands = false;
        ChooseNextExercise(st, rnd, Kinds({0}), true);
        QCOMPARE(st.Operand1, 3);
        QCOMPARE(st.Operand2, 7);
        ChooseNextExercise(st, rnd, Kinds({0}), true);
        QCOMPARE(st.Operand1, 7);
        QCOMPARE(st.Operand2, 3);

        // A selected series 1 may be drawn although "ohne 1" is checked.
        st.SelectedRows.assign(11, false);
        st.SelectedRows[1] = true;
        QCOMPARE(RandomNumber(st, rnd, true, true), 1);
    }

    void selectionShorterThanTheBoundIsReadSafely() {
        ScriptedRandom rnd;
        PracticeState st = Fresh(1000);
        st.SelectedRows.assign(11, false); // sized for the old bound 10
        st.SelectedRows[5] = true;
        st.RowSelected = true;
        rnd.script = {0.999}; // 1000: beyond the array, counts as not selected
        rnd.script.push_back(ScriptedRandom::For(5, 1000, 1));
        QCOMPARE(RandomNumber(st, rnd, true, false), 5);
        // Nothing selected at all: the 10001st draw is returned as it is.
        st.SelectedRows.assign(11, false);
        const int n = RandomNumber(st, rnd, true, false);
        QVERIFY(n >= 1 && n <= 1000);
    }

    void boundsBeyondSixteenBitsDrawWithinSixteenBits() {
        ScriptedRandom rnd;
        PracticeState st = Fresh(2147483647);
        rnd.script = {0.9999999999, 0.9999999999};
        ChooseNextExercise(st, rnd, Kinds({0}), false);
        QCOMPARE(st.Operand1, LargestOperand);
        QCOMPARE(st.ExpectedResult, LargestOperand * LargestOperand);
        QCOMPARE(ExerciseCaption(1, LargestOperand, LargestOperand),
                 QStringLiteral("1073676289 \u00F7 32767 ="));
    }

    void rememberedExercisesAlternateWithFreshOnes() {
        ScriptedRandom rnd;
        PracticeState st = Fresh(10);
        QVERIFY(!PickSlowExercise(st));
        st.SlowList.push_back({3, 4, KindAddition, 9});
        QVERIFY(!PickSlowExercise(st)); // below 10 seconds it is not chosen
        st.SlowList.push_back({6, 7, KindMultiplication, 12});
        st.SlowList.push_back({2, 9, KindDivision, 12}); // tie: the first one wins
        st.AllowSlowRepeat = true;
        QVERIFY(ChooseNextExercise(st, rnd, Kinds({2, 3}), false));
        QCOMPARE(st.Operand1, 6);
        QCOMPARE(st.Operand2, 7);
        QCOMPARE(st.CalcKind, KindMultiplication); // posed as stored, whatever is checked
        QCOMPARE(st.ExpectedResult, 42);
        QVERIFY(!st.AllowSlowRepeat);
        // The next one is fresh, and the rotation continues from the loaded kind 0.
        QVERIFY(!ChooseNextExercise(st, rnd, Kinds({2, 3}), false));
        QCOMPARE(st.CalcKind, KindAddition);
        QVERIFY(ChooseNextExercise(st, rnd, Kinds({2, 3}), false));
        QCOMPARE(st.CalcKind, KindMultiplication);
        // With the repeat withheld the loaded kind still moves the rotation on: 0 → 2.
        st.AllowSlowRepeat = false;
        QVERIFY(!ChooseNextExercise(st, rnd, Kinds({2, 3}), false));
        QCOMPARE(st.CalcKind, KindAddition);
        QCOMPARE(st.SlowList.size(), std::size_t{4}); // records stay in the list
    }
};

QTEST_APPLESS_MAIN(ExerciseGenerationTest)
#include "test_exercise_generation.moc"
