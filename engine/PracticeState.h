// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// Operation kinds; each code is also the index of its check box in chkRechenart.
enum CalcKindCode : int {
    KindMultiplication = 0,
    KindDivision = 1,
    KindAddition = 2,
    KindSubtraction = 3
};
inline constexpr int KindCount = 4;

// An exercise is slow when it takes more than this many seconds; a remembered exercise is
// posed again while its record holds this many seconds or more.
inline constexpr std::int32_t SlowExerciseSeconds = 10;

// One remembered exercise. Two records mean the same exercise when operands and kind are
// equal; the order of the operands counts.
struct SlowExercise {
    std::int32_t Operand1 = 0;
    std::int32_t Operand2 = 0;
    int CalcKind = 0;
    std::int32_t Seconds = 0;
};

// The values shared by the exercise engine, the number table, the printouts and the
// settings. Form1 owns exactly one. The counters are wider than 16 bits so that a very long
// session keeps counting instead of wrapping into negative numbers.
struct PracticeState {
    std::int32_t MaxNum = 0;
    int CalcKind = 0;
    std::int32_t Operand1 = 0;
    std::int32_t Operand2 = 0;
    std::int32_t ExpectedResult = 0;
    std::int32_t ExerciseSeconds = 0;
    std::int32_t PosedCount = 0;
    int ListLines = 0;
    std::int64_t TotalSeconds = 0;
    // One line per judged answer, always ending with the empty slot for the next line.
    QStringList ResultLines{QString()};
    // Records live at index 1 and up; element 0 is never used.
    std::vector<SlowExercise> SlowList{SlowExercise{}};
    bool AllowSlowRepeat = false;
    bool RowSelected = false;
    // Element n is true while the series of n is selected; index 0 is never set.
    std::vector<bool> SelectedRows{};

    // Program-lifetime values: never reset, not even by "Neu starten".
    std::int32_t AnswerCount = 0;
    std::int32_t RightCount = 0;
    bool SwapOperands = false;
    bool EnterHintShown = false;

    // Empties the results lines and the remembered exercises (start-up and "Neu starten").
    void ResetPracticeLists() {
        ResultLines = QStringList{QString()};
        SlowList.assign(1, SlowExercise{});
    }

    // A series beyond the end of SelectedRows counts as not selected.
    bool IsRowSelected(std::int64_t n) const {
        return n >= 0 && n < static_cast<std::int64_t>(SelectedRows.size()) &&
               SelectedRows[static_cast<std::size_t>(n)];
    }
};
