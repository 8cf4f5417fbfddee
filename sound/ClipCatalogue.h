// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The recorded clips, compiled in as resources ":/WAVE/<name>": the three series, named by
// their prefix and a two-digit number from 01 up to their size, and the cuckoo.
struct ClipSeries {
    const char* Prefix;
    int Size;
};

inline constexpr ClipSeries PraiseClips{"YES_", 24};
inline constexpr ClipSeries WrongAnswerClips{"NO_", 12};
inline constexpr ClipSeries WaitingClips{"WAIT_", 5};
inline constexpr const char* CuckooClip = "KUCKUCK";

// The name of clip number (from 1) of a series, e.g. "YES_01".
inline QString ClipName(const ClipSeries& series, int number) {
    return QString::fromLatin1(series.Prefix) +
           QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}
