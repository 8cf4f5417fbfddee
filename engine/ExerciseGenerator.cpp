// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExerciseGenerator.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

std::int32_t DrawingBound(const PracticeState& st) {
    return std::clamp<std::int32_t>(st.MaxNum, 1, LargestOperand);
}

std::int32_t Draw(RandomSource& random, std::int32_t count, std::int32_t lowest) {
    return static_cast<std::int32_t>(std::floor(random.Next() * count)) + lowest;
}

} // namespace

std::int32_t RandomNumber(const PracticeState& st, RandomSource& random, bool restrictToRows,
                          bool without1) {
    const std::int32_t bound = DrawingBound(st);
    if (restrictToRows) {
        // "ohne 1" does not apply here: a selected series 1 may be drawn.
        std::int32_t n = 1;
        for (int draws = 0; draws < 10001; ++draws) {
            n = Draw(random, bound, 1);
            if (st.IsRowSelected(n))
                break;
        }
        return n;
    }
    const std::int32_t lowest = without1 ? 2 : 1;
    if (bound < lowest)
        return lowest;
    return Draw(random, bound - lowest + 1, lowest);
}

bool PickSlowExercise(PracticeState& st) {
    if (st.SlowList.size() <= 1)
        return false;
    std::size_t best = 1;
    for (std::size_t i = 2; i < st.SlowList.size(); ++i) {
        if (st.SlowList[i].Seconds > st.SlowList[best].Seconds)
            best = i;
    }
    const SlowExercise& record = st.SlowList[best];
    if (record.Seconds < SlowExerciseSeconds)
        return false;
    st.CalcKind = record.CalcKind;
    st.Operand1 = record.Operand1;
    st.Operand2 = record.Operand2;
    return true;
}

bool ChooseNextExercise(PracticeState& st, RandomSource& random,
                        const std::array<bool, KindCount>& kindChecked, bool without1) {
    const bool anyKind =
        std::any_of(kindChecked.begin(), kindChecked.end(), [](bool b) { return b; });

    // The pick is made every time: a found record sets the kind from which the rotation
    // continues even when a fresh exercise is drawn instead.
    const bool found = PickSlowExercise(st);
    const bool repose = found && st.AllowSlowRepeat;
    if (repose) {
        st.AllowSlowRepeat = false;
    } else {
        st.AllowSlowRepeat = true;
        st.CalcKind = (st.CalcKind + 1) % KindCount;
        if (anyKind) {
            while (!kindChecked[static_cast<std::size_t>(st.CalcKind)])
                st.CalcKind = (st.CalcKind + 1) % KindCount;
        }
        st.Operand1 = RandomNumber(st, random, false, without1);
        st.Operand2 = RandomNumber(st, random, st.RowSelected, without1);
        if (st.RowSelected) {
            if (st.SwapOperands)
                std::swap(st.Operand1, st.Operand2);
            st.SwapOperands = !st.SwapOperands;
        }
    }

    switch (st.CalcKind) {
    case KindMultiplication:
        st.ExpectedResult = st.Operand1 * st.Operand2;
        break;
    case KindDivision:
        st.ExpectedResult = st.Operand1;
        break;
    case KindAddition:
        st.ExpectedResult = st.Operand1 + st.Operand2;
        break;
    default:
        if (st.Operand2 > st.Operand1)
            std::swap(st.Operand1, st.Operand2);
        st.ExpectedResult = st.Operand1 - st.Operand2;
        break;
    }
    st.ExerciseSeconds = 0;
    ++st.PosedCount;
    return repose;
}
