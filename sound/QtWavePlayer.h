// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WavePlayer.h"

#include <QAudioFormat>
#include <QByteArray>

#include <optional>

class QThread;
class SinkPlayer;

// Where the sample frames of a RIFF WAVE image are and how to play them.
struct WaveFrames {
    QAudioFormat Format;
    qsizetype Offset = 0; // first byte of the frames in the image
    qsizetype Size = 0;   // whole frames only, cut to what the image really holds
};

// Reads the "fmt " and "data" chunks of a RIFF WAVE image, stepping over any other chunk.
// Uncompressed PCM with 8 (unsigned), 16 or 32 bits and IEEE float with 32 bits are
// understood; anything else, or a damaged image, gives nothing.
std::optional<WaveFrames> ParseWaveImage(const QByteArray& image);

// Plays WAVE images through the default audio output of Qt Multimedia. PlayWave returns at
// once and the clip plays on a thread of its own: a sound server that does not answer (stopped,
// or switching its sink) holds that thread, never the window's. A clip asked for while the
// thread is still held is dropped, not saved up. A new clip stops the one still playing. When
// there is no sound server or no output device, or the clip cannot be read, nothing is heard
// and nothing is printed.
class QtWavePlayer : public WavePlayer {
public:
    QtWavePlayer();
    ~QtWavePlayer() override;

    void PlayWave(const QString& name, const QByteArray& waveImage) override;

    // Ends the audio thread. False when it has not ended within the time given: a sound server
    // holds it, and it is left as it is; the process must then end without waiting for it
    // (the player's destructor does not, and nothing of the process may be taken down under
    // it).
    bool Stop(int waitMs = 250);

private:
    QThread* thread_;
    SinkPlayer* player_; // lives on thread_
    bool stopped_ = false;
};
