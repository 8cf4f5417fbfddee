// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Plays a complete RIFF WAVE image from memory in the background and returns at once. A new
// clip cuts off the one still playing. Failures (no sound server, no device) are silent.
// The name is the clip's resource name, for recording and diagnostics only.
class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    virtual void PlayWave(const QString& name, const QByteArray& waveImage) = 0;
};
