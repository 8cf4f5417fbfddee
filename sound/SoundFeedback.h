#pragma once

#include "WavePlayer.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Feedback kinds of PlayFeedbackSound.
inline constexpr int FeedbackPraise = -1;
inline constexpr int FeedbackWrong = 0;
inline constexpr int FeedbackWaiting = 1;

// The bytes of a clip resource of type "WAVE" by name; empty when there is none.
QByteArray LoadWaveResource(const QString& name);

// The spoken feedback: plays clips by name and the three series (praise, wrong answer,
// waiting) in rotation, each starting with its clip 01 at every program start.
class SoundFeedback {
public:
    explicit SoundFeedback(WavePlayer& player) : player_(player) {}

    // Plays the "WAVE" resource of that name; without flags SND_NODEFAULT + SND_MEMORY.
    void PlayWaveRes(const QString& vntResourceID, std::optional<unsigned> vntFlags = std::nullopt);
    // kind -1 praise, 0 wrong answer, 1 waiting: plays the next clip of that series.
    void PlayFeedbackSound(int kind);

    // The image of the clip most recently started; it stays alive until the next clip
    // has replaced it and the player has stopped the old one.
    QByteArray WaveData;
    int YesCounter = 0;
    int NoCounter = 0;
    int WaitCounter = 0;

private:
    WavePlayer& player_;
};
