// libFuzzer target for the settings reader. Besides surviving any bytes (the sanitizers
// catch memory errors, leaks and undefined behaviour), the reader must give the same effects
// however the bytes are cut into chunks, keep every effect in range, and read back whatever
// the writer writes.

#include "SettingsReader.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Effect {
    char kind;
    std::int64_t value;
    bool operator==(const Effect&) const = default;
};

class Recorder : public SettingsTarget {
public:
    void SetMaxNum(std::int32_t v) override {
        Check(v >= 3);
        effects.push_back({'M', v});
    }
    void CheckCalcKind(int i) override {
        Check(i >= 0 && i <= 3);
        effects.push_back({'K', i});
    }
    void SetSound(bool on) override { effects.push_back({'S', on}); }
    void SetShowTable(bool on) override { effects.push_back({'T', on}); }
    void SetWithout1(bool on) override { effects.push_back({'W', on}); }

    static void Check(bool ok) {
        if (!ok)
            std::abort();
    }
    std::vector<Effect> effects;
};

class Applier : public SettingsTarget {
public:
    void SetMaxNum(std::int32_t v) override { values.MaxNum = v; }
    void CheckCalcKind(int i) override { values.CalcMode[static_cast<std::size_t>(i)] = true; }
    void SetSound(bool on) override { values.Sound = on; }
    void SetShowTable(bool on) override { values.ShowTable = on; }
    void SetWithout1(bool on) override { values.Without1 = on; }
    SettingsValues values;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto* text = reinterpret_cast<const char*>(data);

    Recorder whole;
    ReadSettingsText(std::string_view(text, size), whole);

    // Chunk sizes from 1 to 8 bytes, cycling, taken from the input itself.
    Recorder chunked;
    SettingsReader reader(chunked);
    std::size_t at = 0;
    for (std::size_t step = 0; at < size; ++step) {
        const std::size_t n = std::min<std::size_t>(1 + (data[step % size] & 7), size - at);
        reader.Feed(text + at, n);
        at += n;
    }
    reader.Finish();
    Recorder::Check(whole.effects == chunked.effects);

    // Values made of the first bytes survive a write and a read.
    if (size >= 5) {
        SettingsValues v;
        v.MaxNum = 3 + static_cast<std::int32_t>(
                           (data[0] | data[1] << 8 | data[2] << 16 | (data[3] & 0x7f) << 24) %
                           2147483645u);
        for (std::size_t i = 0; i < 4; ++i)
            v.CalcMode[i] = data[4] & (1u << i);
        v.Sound = data[4] & 16;
        v.ShowTable = data[4] & 32;
        v.Without1 = data[4] & 64;
        Applier read;
        ReadSettingsText(SettingsText(v), read);
        Recorder::Check(read.values == v);
    }
    return 0;
}
