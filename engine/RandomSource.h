// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <random>

// A uniform pseudo-random source giving values r with 0 <= r < 1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double Next() = 0;
    virtual void SeedFromClock() = 0;
};

// The program's generator: a Mersenne twister seeded from the clock at start-up.
class ClockSeededRandom : public RandomSource {
public:
    double Next() override;
    void SeedFromClock() override;

private:
    std::mt19937_64 engine_{0};
};
