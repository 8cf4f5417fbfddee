// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the settings reader. Besides surviving any bytes (the sanitizers
// catch memory errors, leaks and undefined behaviour), the reader must give the same effects
// however the bytes are cut into chunks, and keep every effect in range.

#include "SettingsRecorder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* text = reinterpret_cast<const char*>(data);
    SettingsRecorder whole, chunked;
    ReadSettingsText(std::string_view(text, size), whole);
    // Chunk sizes from 1 to 8 bytes, cycling, taken from the input itself.
    SettingsReader reader(chunked);
    for (std::size_t at = 0, step = 0; at < size; ++step) {
        const std::size_t n = std::min<std::size_t>(1 + (data[step % size] & 7), size - at);
        reader.Feed(text + at, n);
        at += n;
    }
    reader.Finish();
    if (!whole.inRange || whole.log != chunked.log)
        std::abort();
    return 0;
}
