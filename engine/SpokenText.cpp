// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpokenText.h"

#include <array>
#include <utility>

QString SpokenExercise(const QString& exerciseText) {
    const std::array<std::pair<QString, QString>, 6> words = {{
        {QStringLiteral(" \u00B7 "), QStringLiteral(" mal ")},
        {QStringLiteral(" \u00F7 "), QStringLiteral(" geteilt durch ")},
        {QStringLiteral(" + "), QStringLiteral(" plus ")},
        {QStringLiteral(" - "), QStringLiteral(" minus ")},
        {QStringLiteral(" ="), QStringLiteral(" gleich")},
        {QStringLiteral("\r\n"), QStringLiteral(" ")},
    }};
    QString spoken = exerciseText;
    for (const auto& [symbol, word] : words)
        spoken.replace(symbol, word);
    return spoken.trimmed();
}

QString SpokenResultLine(const QString& exerciseText, const QString& answer, bool right,
                         const QString& secondsText) {
    return SpokenExercise(exerciseText) + QLatin1Char(' ') + answer +
           (right ? QStringLiteral(", richtig, ") : QStringLiteral(", falsch, ")) + secondsText;
}
