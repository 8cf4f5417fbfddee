// SPDX-License-Identifier: GPL-3.0-or-later
#include "RandomSource.h"

#include <chrono>

double ClockSeededRandom::Next() {
    // 53 random bits give every double in [0, 1) the same chance and never 1 itself.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

void ClockSeededRandom::SeedFromClock() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{static_cast<std::uint64_t>(now), static_cast<std::uint64_t>(now >> 32)};
    engine_.seed(seq);
}
