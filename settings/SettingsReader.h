// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The settings file's text: reading its liberal grammar and writing its canonical lines.
// Plain C++ without Qt, so that it can be tested and fuzzed on its own.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Receives the effect of each line, in file order, one line at a time.
class SettingsTarget {
public:
    virtual ~SettingsTarget() = default;
    // Already rounded and raised to at least 3.
    virtual void SetMaxNum(std::int32_t maxNum) = 0;
    // Index 0 to 3 of chkRechenart; a calcmode line only ever checks boxes.
    virtual void CheckCalcKind(int index) = 0;
    virtual void SetSound(bool checked) = 0;
    virtual void SetShowTable(bool checked) = 0;
    virtual void SetWithout1(bool checked) = 0;
};

// The number of a settings value, read from its start as liberally as a hand-edited file
// needs: optional sign, digits with optional point, fraction and exponent (E or D), blanks
// and tabs anywhere inside skipped, "&H" and "&O" for hexadecimal and octal. Reading stops
// at the first character that does not fit; no number gives 0. Fed one character at a
// time, so a value of any length needs no buffer.
class ValueNumberScanner {
public:
    void Feed(char c);
    // False once a character ended the number; later characters change nothing.
    bool Reading() const { return state_ != State::Stopped; }
    // The value read so far; +-infinity when it is beyond the range of a double.
    double Result() const;

private:
    enum class State {
        Start,
        Sign,
        Ampersand,
        Hex,
        Octal,
        Whole,
        Fraction,
        ExpStart,
        ExpSign,
        Exponent,
        Stopped
    };
    void AddDigit(char digit, bool afterPoint);

    State state_ = State::Start;
    bool negative_ = false;
    // Decimal: the first significant digits and the power of ten that goes with them.
    static constexpr std::size_t MaxDigits = 40;
    std::array<char, MaxDigits> digits_{};
    std::size_t digitCount_ = 0;
    std::int64_t scale_ = 0;
    bool exponentNegative_ = false;
    std::int64_t exponent_ = 0;
    // Hexadecimal and octal.
    double radixValue_ = 0;
};

// MaxNum from a number: halves to the even neighbour, at least 3, and clamped to the largest
// 32-bit value so that an absurd bound still is a bound and not a wrapped negative one.
std::int32_t MaxNumFromNumber(double value);

// Reads the file's bytes as they come, in chunks of any size, and passes each finished line
// to the target. Memory stays constant whatever the length of the lines or the file.
// Lines end at CR LF or a lone LF; a lone CR is an ordinary character.
class SettingsReader {
public:
    explicit SettingsReader(SettingsTarget& target) : target_(target) {}
    void Feed(const char* data, std::size_t size);
    // The end of the text: a last line without line end counts as well.
    void Finish();

private:
    enum class Part { LineStart, Key, Value, Skip };
    enum class Key { None, MaxNum, CalcMode, Sound, ShowTable, Without1 };
    void Take(char c);
    void EndKey();
    void EndLine();

    SettingsTarget& target_;
    Part part_ = Part::LineStart;
    bool pendingCr_ = false;
    // The longest key, "showtable", has 9 characters; anything longer matches none.
    static constexpr std::size_t MaxKeyLength = 9;
    std::array<char, MaxKeyLength> key_{};
    std::size_t keyLength_ = 0;
    std::size_t pendingBlanks_ = 0;
    Key current_ = Key::None;
    ValueNumberScanner number_;
    unsigned calcModes_ = 0;
};

void ReadSettingsText(std::string_view text, SettingsTarget& target);

// The values that are written, as the controls hold them.
struct SettingsValues {
    std::int32_t MaxNum = 10;
    std::array<bool, 4> CalcMode{};
    bool Sound = true;
    bool ShowTable = true;
    bool Without1 = false;

    friend bool operator==(const SettingsValues&, const SettingsValues&) = default;
};

// The canonical file: "MaxNum = 10", "CalcMode = 0,2" only when a kind is checked,
// "Sound = 1", "ShowTable = 1", "Without1 = 0", each ending in CR LF; plain ASCII.
std::string SettingsText(const SettingsValues& values);
