// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

// An exercise as it stands on screen and as a screen reader says it, both from the same
// kind and operands. Speech synthesis reads "7 · 8 =" as "sieben acht gleich", so the words
// are made here rather than read back from the screen.

// The exercise text for a kind and its operands, e.g. "7 · 8 =" or "56 ÷ 8 =".
QString ExerciseCaption(int calcKind, std::int32_t operand1, std::int32_t operand2);
// The same exercise in words: "7 mal 8 gleich", "56 geteilt durch 8 gleich".
QString SpokenExercise(int calcKind, std::int32_t operand1, std::int32_t operand2);

// One line of the results list: "7 mal 8 gleich 56, richtig, 6 Sekunden".
QString SpokenResultLine(const QString& spokenExercise, const QString& answer, bool right,
                         const QString& secondsText);
