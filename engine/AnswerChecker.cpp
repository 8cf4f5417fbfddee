// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnswerChecker.h"

#include <algorithm>
#include <cmath>

namespace {

inline constexpr int ListCapacity = 21;
inline constexpr std::int32_t CountedSecondsCap = 60;

SlowExercise* FindCurrentRecord(PracticeState& st) {
    for (std::size_t i = 1; i < st.SlowList.size(); ++i) {
        SlowExercise& r = st.SlowList[i];
        if (r.Operand1 == st.Operand1 && r.Operand2 == st.Operand2 && r.CalcKind == st.CalcKind)
            return &r;
    }
    return nullptr;
}

bool MatchesExpected(const QString& answerText, std::int32_t expected) {
    bool ok = false;
    const qlonglong value = answerText.trimmed().toLongLong(&ok);
    return ok && value == expected;
}

} // namespace

QString CleanNumberString(const QString& number) {
    QString kept;
    kept.reserve(number.size());
    for (QChar c : number) {
        if (c.unicode() >= u'0' && c.unicode() <= u'9')
            kept.append(c);
    }
    return kept;
}

bool IsEmptyAnswer(const QString& answerText) {
    return std::all_of(answerText.begin(), answerText.end(), [](QChar c) { return c == u' '; });
}

void AddSlowExercise(PracticeState& st) {
    if (SlowExercise* record = FindCurrentRecord(st)) {
        record->Seconds += st.ExerciseSeconds;
    } else {
        st.SlowList.push_back(
            SlowExercise{st.Operand1, st.Operand2, st.CalcKind, st.ExerciseSeconds});
    }
    st.AllowSlowRepeat = false;
}

void UpdateSlowExercise(PracticeState& st) {
    if (SlowExercise* record = FindCurrentRecord(st))
        record->Seconds = st.ExerciseSeconds;
}

QString StatisticsText(const PracticeState& st) {
    const std::int64_t average =
        st.RightCount != 0 ? st.TotalSeconds / st.RightCount : st.ExerciseSeconds;
    // Floating point on purpose: the percentage is the floor of the double quotient × 100.
    const double percent = std::floor(static_cast<double>(st.RightCount) / st.AnswerCount * 100);
    return QString::number(st.PosedCount) + QStringLiteral(" gestellte Aufgaben\r\n") +
           QStringLiteral("\u00D8 Bedenkzeit : ") + QString::number(average) +
           QStringLiteral(" Sekunden\r\n") + QString::number(static_cast<qint64>(percent)) +
           QStringLiteral("% richtige Antworten");
}

AnswerBooking BookAnswer(PracticeState& st, const QString& exerciseCaption,
                         const QString& answerText) {
    AnswerBooking b;
    ++st.AnswerCount;
    if (st.ListLines >= ListCapacity) {
        b.ClearList = true;
        st.ListLines = 0;
    }
    ++st.ListLines;

    b.ExerciseText = exerciseCaption;
    b.AnswerText = answerText;
    b.Right = MatchesExpected(answerText, st.ExpectedResult);

    QString line = exerciseCaption + QLatin1Char('\t');
    if (b.Right) {
        line += QStringLiteral("    ");
        if (st.ExerciseSeconds <= SlowExerciseSeconds)
            UpdateSlowExercise(st);
        else
            AddSlowExercise(st);
    } else {
        line += QStringLiteral("!   ");
        AddSlowExercise(st);
    }
    line += answerText + QLatin1Char('\t');
    b.SecondsText = QString::number(st.ExerciseSeconds) + QStringLiteral(" Sekunden");
    line += QString::number(st.ExerciseSeconds) + QStringLiteral(" Sek.\t");

    if (b.Right) {
        ++st.RightCount;
        st.TotalSeconds += std::min(st.ExerciseSeconds, CountedSecondsCap);
    }
    b.StatisticsText = StatisticsText(st);

    st.ResultLines.back() = line;
    st.ResultLines.append(QString());
    return b;
}
