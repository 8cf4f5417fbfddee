// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ClipCatalogue.h"
#include "WavePlayer.h"

#include <QByteArray>
#include <QString>

// Feedback kinds of PlayFeedbackSound.
inline constexpr int FeedbackPraise = -1;
inline constexpr int FeedbackWrong = 0;
inline constexpr int FeedbackWaiting = 1;

// The bytes of a clip resource of type "WAVE" by name; empty when there is none.
QByteArray LoadWaveResource(const QString& name);

// The spoken feedback: plays clips by name and the three series (praise, wrong answer,
// waiting) in rotation, each starting with its clip 01 at every program start. The player
// keeps its own reference to the image of the clip it plays, for as long as it plays.
class SoundFeedback {
public:
    explicit SoundFeedback(WavePlayer& player) : player_(player) {}

    // Plays the "WAVE" resource of that name.
    void PlayWaveRes(const QString& resourceName);
    // kind -1 praise, 0 wrong answer, 1 waiting: plays the next clip of that series.
    void PlayFeedbackSound(int kind);

private:
    WavePlayer& player_;
    // Clips of each series started so far, modulo the series' size.
    int YesCounter = 0;
    int NoCounter = 0;
    int WaitCounter = 0;
};
