// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Test doubles for the engine and the sound feedback: no window needed.

#include "RandomSource.h"
#include "WavePlayer.h"

#include <QStringList>

#include <deque>
#include <vector>

// Returns the scripted values first, then a fixed seed's sequence, so a run is repeatable.
class ScriptedRandom : public RandomSource {
public:
    double Next() override {
        if (script.empty())
            return fallback.Next();
        const double v = script.front();
        script.pop_front();
        return v;
    }
    void SeedFromClock() override { ++seedCalls; }
    // The value that makes a draw over `count` numbers from `lowest` give n.
    static double For(int n, int count, int lowest = 1) { return (n - lowest + 0.5) / count; }

    std::deque<double> script;
    ClockSeededRandom fallback;
    int seedCalls = 0;
};

// Records the clips it is asked to play.
class RecordingWavePlayer : public WavePlayer {
public:
    void PlayWave(const QString& name, const QByteArray& image) override {
        names << name;
        images.push_back(image);
    }
    QStringList names;
    std::vector<QByteArray> images;
};
