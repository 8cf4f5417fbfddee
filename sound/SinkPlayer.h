// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioDevice>
#include <QBuffer>
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>

class QAudioSink;

// Plays one clip at a time through the default audio output of Qt Multimedia; a new clip
// stops the one still playing. It lives on a thread of its own (see QtWavePlayer), where a
// sound server that does not answer holds nothing but this player.
class SinkPlayer : public QObject {
    Q_OBJECT
public:
    SinkPlayer();
    ~SinkPlayer() override;

    // Set while a clip is on its way to this player or being started by it.
    std::atomic<bool> Busy{false};

    // Plays the image unless it comes too late: `posted` runs from the key that asked for it.
    void Play(const QByteArray& waveImage, const QElapsedTimer& posted);

private:
    QAudioDevice DefaultOutput();
    void Release();
    void OnIdle();

    // The image of the clip that is playing: the player's own reference, so that the frames
    // stay valid whatever the caller does with its copy.
    QByteArray image_;
    QByteArray frames_; // a view into image_, without a copy
    QBuffer source_{this};
    std::unique_ptr<QAudioSink> sink_;
    // When the sink has read the last frame, the output still holds the end of the clip;
    // the sink is let go only after that has been heard.
    QTimer drain_{this};
    bool devicesSeen_ = false;
};
