// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WavePlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>

class QAudioSink;

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
// once and the clip plays on while the event loop runs; a new clip stops the one still
// playing. When there is no sound server or no output device, or the clip cannot be read,
// nothing is heard and nothing is printed.
class QtWavePlayer : public QObject, public WavePlayer {
    Q_OBJECT
public:
    explicit QtWavePlayer(QObject* parent = nullptr);
    ~QtWavePlayer() override;

    void PlayWave(const QString& name, const QByteArray& waveImage) override;

private:
    QAudioDevice DefaultOutput();
    void Release();
    void OnIdle();

    // The image of the clip that is playing: the player's own reference, so that the frames
    // stay valid whatever the caller does with its copy.
    QByteArray image_;
    QByteArray frames_; // a view into image_, without a copy
    QBuffer source_;
    std::unique_ptr<QAudioSink> sink_;
    // When the sink has read the last frame, the output still holds the end of the clip;
    // the sink is let go only after that has been heard.
    QTimer drain_;
    bool devicesSeen_ = false;
};
