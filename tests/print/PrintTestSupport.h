#pragma once

// Driving the window to the point of a printout, and what the results printout should say.

#include "Form1.h"

#include <QLineEdit>
#include <QTest>

// Answers the current exercise through the answer box after `ticks` seconds of the exercise
// clock; a wrong answer is one more than the right one. Returns the stored results line the
// answer is to leave: exercise, tab, mark and answer, tab, seconds, tab.
inline QString AnswerExercise(Form1& form, bool right, int ticks) {
    for (int i = 0; i < ticks; ++i)
        form.Timer1_Timer();
    const QString exercise = form.lbAufgabe->text();
    const QString typed = QString::number(form.State.ExpectedResult + (right ? 0 : 1));
    const int seconds = form.State.ExerciseSeconds;
    QTest::keyClicks(form.tbErgebnis, typed);
    QTest::keyClick(form.tbErgebnis, Qt::Key_Return);
    return exercise + QLatin1Char('\t') +
           (right ? QStringLiteral("    ") : QStringLiteral("!   ")) + typed + QLatin1Char('\t') +
           QString::number(seconds) + QStringLiteral(" Sek.\t");
}

// The lines of a results printout of the window as it stands, with the minutes given.
inline QStringList ExpectedResultsPrintout(const Form1& form, int minutes) {
    QStringList lines{form.windowTitle(), QString()};
    lines += form.State.ResultLines;
    lines += form.lbStatistik->text().split(QStringLiteral("\r\n"));
    lines << QStringLiteral("Konzentriertes Üben : %1 Minuten").arg(minutes);
    return lines;
}
