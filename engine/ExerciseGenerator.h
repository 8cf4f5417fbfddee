// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PracticeState.h"
#include "RandomSource.h"

#include <array>

// Operands are 16-bit numbers: a bound above this (only a hand-edited settings file can
// give one) draws operands up to this value, so products and sums always fit 32 bits.
inline constexpr std::int32_t LargestOperand = 32767;

// Draws one operand: from the selected table rows when restrictToRows is set, otherwise
// uniformly from 1 (2 with "ohne 1") up to MaxNum.
std::int32_t RandomNumber(const PracticeState& st, RandomSource& random, bool restrictToRows,
                          bool without1);

// Loads the remembered exercise with the largest Seconds (the first on ties) into the
// practice state when that is 10 or more.
bool PickSlowExercise(PracticeState& st);

// Chooses the next exercise and sets CalcKind, the operands and ExpectedResult, zeroes
// ExerciseSeconds and counts PosedCount. Returns true when a remembered exercise is
// re-posed. kindChecked holds the states of the four chkRechenart boxes.
bool ChooseNextExercise(PracticeState& st, RandomSource& random,
                        const std::array<bool, KindCount>& kindChecked, bool without1);
