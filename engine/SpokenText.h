// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Texts for screen readers. Speech synthesis reads "7 · 8 =" as "sieben acht gleich", so the
// symbols become words; the texts on screen stay as they are.

// "7 · 8 =" becomes "7 mal 8 gleich", "56 ÷ 8 =" "56 geteilt durch 8 gleich"; a line break
// (the large label's typed answer) becomes a blank.
QString SpokenExercise(const QString& exerciseText);

// One line of the results list: "7 mal 8 gleich 56, richtig, 6 Sekunden".
QString SpokenResultLine(const QString& exerciseText, const QString& answer, bool right,
                         const QString& secondsText);
