#pragma once

#include <QByteArray>
#include <QString>

// Playing flags of the classic sound call.
inline constexpr unsigned SND_ASYNC = 1;     // return at once, play in the background
inline constexpr unsigned SND_NODEFAULT = 2; // no default sound when the clip cannot play
inline constexpr unsigned SND_MEMORY = 4;    // the argument is a WAVE image in memory

// Plays a complete RIFF WAVE image from memory. A new clip cuts off the one still playing.
// Failures (no sound server, no device) are silent. The name is the clip's resource name,
// for recording and diagnostics only.
class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    virtual void PlayWave(const QString& name, const QByteArray& waveImage, unsigned flags) = 0;
};
