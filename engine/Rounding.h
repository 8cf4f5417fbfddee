// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

// Rounds to the nearest whole number, halves to the even neighbour (7.5 gives 8, 6.5 gives
// 6), as the table's and the printouts' arithmetic and the numbers of the settings file
// ask. Nothing when the value is not finite or the result does not fit Int.
template <typename Int = std::int64_t> std::optional<Int> RoundHalfEven(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < static_cast<double>(std::numeric_limits<Int>::min()) ||
        whole > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(whole);
}
