// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// What the one-second clock asks to hear when an exercise has been shown this long
// (only while sound is on): the cuckoo at 15 s, a waiting clip every 30 s up to 4 minutes.
enum class ClockSound { None, Cuckoo, Waiting };

constexpr ClockSound ClockSoundAt(std::int32_t seconds) {
    if (seconds == 15)
        return ClockSound::Cuckoo;
    if (seconds >= 30 && seconds <= 240 && seconds % 30 == 0)
        return ClockSound::Waiting;
    return ClockSound::None;
}
