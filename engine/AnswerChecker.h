// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PracticeState.h"

#include <QString>

// Keeps only the digits 0 to 9 of a text, in their order.
QString CleanNumberString(const QString& number);

// An answer that is empty or blanks only is not judged.
bool IsEmptyAnswer(const QString& answerText);

// What one judged answer puts on the screen.
struct AnswerBooking {
    bool Right = false;
    bool ClearList = false; // the on-screen list is full and starts again at the top
    QString ExerciseText;
    QString AnswerText;
    QString SecondsText; // "7 Sekunden"
    QString StatisticsText;
};

// Judges answerText against the current exercise and books it in the practice state:
// counters, the slow-exercise memory, the stored results line and the statistics.
AnswerBooking BookAnswer(PracticeState& st, const QString& exerciseCaption,
                         const QString& answerText);

// Adds the current exercise's seconds to its record, creating it when needed.
void AddSlowExercise(PracticeState& st);
// Replaces the seconds of the current exercise's record, if there is one.
void UpdateSlowExercise(PracticeState& st);

QString StatisticsText(const PracticeState& st);
