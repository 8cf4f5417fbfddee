// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundFeedback.h"

#include <QFile>

namespace {

// The next clip of a series; its counter moves on, from the last clip back to the first.
QString NextClip(const ClipSeries& series, int& counter) {
    const QString name = ClipName(series, counter + 1);
    counter = (counter + 1) % series.Size;
    return name;
}

} // namespace

QByteArray LoadWaveResource(const QString& name) {
    QFile f(QStringLiteral(":/WAVE/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void SoundFeedback::PlayWaveRes(const QString& resourceName) {
    player_.PlayWave(resourceName, LoadWaveResource(resourceName));
}

void SoundFeedback::PlayFeedbackSound(int kind) {
    if (kind == FeedbackPraise)
        PlayWaveRes(NextClip(PraiseClips, YesCounter));
    else if (kind == FeedbackWrong)
        PlayWaveRes(NextClip(WrongAnswerClips, NoCounter));
    else
        PlayWaveRes(NextClip(WaitingClips, WaitCounter));
}
