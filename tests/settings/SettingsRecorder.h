// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writes each effect of a settings text as a short token (M<n>, K<i>, S0/S1, T0/T1, W0/W1);
// shared by the grammar test and the fuzz harness.

#include "SettingsReader.h"

#include <string>

struct SettingsRecorder : SettingsTarget {
    void SetMaxNum(std::int32_t v) override { Add("M" + std::to_string(v), v >= 3); }
    void CheckCalcKind(int i) override { Add("K" + std::to_string(i), i >= 0 && i <= 3); }
    void SetSound(bool on) override { Add(on ? "S1" : "S0"); }
    void SetShowTable(bool on) override { Add(on ? "T1" : "T0"); }
    void SetWithout1(bool on) override { Add(on ? "W1" : "W0"); }
    std::string log;
    bool inRange = true; // every bound at least 3, every kind 0 to 3

    void Add(const std::string& token, bool ok = true) {
        log += (log.empty() ? "" : " ") + token;
        inRange = inRange && ok;
    }
};
