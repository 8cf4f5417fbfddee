// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsReader.h"

#include "Rounding.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsExponentLetter(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

int HexDigit(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The file is single-byte Windows-1252 text. The five keys are ASCII, and no other
// character of that code page lowers to an ASCII letter, so lowering A to Z is enough.
char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Keeps sums of a huge exponent and a long digit run far away from overflow.
constexpr std::int64_t ExponentCap = 1'000'000'000;
// Beyond this power of ten a double is infinite or zero.
constexpr std::int64_t DoubleRangeExponent = 400;

} // namespace

void ValueNumberScanner::AddDigit(char digit, bool afterPoint) {
    if (digitCount_ == 0 && digit == '0') {
        if (afterPoint)
            --scale_;
        return;
    }
    if (digitCount_ < MaxDigits) {
        digits_[digitCount_++] = digit;
        if (afterPoint)
            --scale_;
    } else if (!afterPoint) {
        // Digits past the first 40 cannot change a double, but they do move the point.
        ++scale_;
    }
}

void ValueNumberScanner::Feed(char c) {
    if (state_ == State::Stopped || c == ' ' || c == '\t')
        return;
    switch (state_) {
    case State::Start:
        if (c == '+' || c == '-') {
            negative_ = c == '-';
            state_ = State::Sign;
            return;
        }
        if (c == '&') {
            state_ = State::Ampersand;
            return;
        }
        [[fallthrough]];
    case State::Sign:
        if (IsDigit(c)) {
            AddDigit(c, false);
            state_ = State::Whole;
            return;
        }
        if (c == '.') {
            state_ = State::Fraction;
            return;
        }
        break;
    case State::Ampersand:
        if (c == 'H' || c == 'h') {
            state_ = State::Hex;
            return;
        }
        if (c == 'O' || c == 'o') {
            state_ = State::Octal;
            return;
        }
        break;
    case State::Hex:
        if (const int d = HexDigit(c); d >= 0) {
            radixValue_ = radixValue_ * 16 + d;
            return;
        }
        break;
    case State::Octal:
        if (c >= '0' && c <= '7') {
            radixValue_ = radixValue_ * 8 + (c - '0');
            return;
        }
        break;
    case State::Whole:
    case State::Fraction:
        if (IsDigit(c)) {
            AddDigit(c, state_ == State::Fraction);
            return;
        }
        if (c == '.' && state_ == State::Whole) {
            state_ = State::Fraction;
            return;
        }
        if (IsExponentLetter(c)) {
            state_ = State::ExpStart;
            return;
        }
        break;
    case State::ExpStart:
        if (c == '+' || c == '-') {
            exponentNegative_ = c == '-';
            state_ = State::ExpSign;
            return;
        }
        [[fallthrough]];
    case State::ExpSign:
    case State::Exponent:
        if (IsDigit(c)) {
            exponent_ = std::min(exponent_ * 10 + (c - '0'), ExponentCap);
            state_ = State::Exponent;
            return;
        }
        break;
    case State::Stopped:
        return;
    }
    state_ = State::Stopped;
}

double ValueNumberScanner::Result() const {
    // Only "&H" and "&O" set the radix value. It is a plain magnitude: "&HFFFF" is 65535,
    // not a 16-bit -1.
    if (radixValue_ != 0)
        return radixValue_;
    if (digitCount_ == 0)
        return 0.0;
    // The number is the digits, read as a whole number, times ten to the power e.
    const std::int64_t e = scale_ + (exponentNegative_ ? -exponent_ : exponent_);
    const std::int64_t magnitude = e + static_cast<std::int64_t>(digitCount_);
    const double infinity = std::numeric_limits<double>::infinity();
    if (magnitude > DoubleRangeExponent)
        return negative_ ? -infinity : infinity;
    if (magnitude < -DoubleRangeExponent)
        return 0.0;
    // "ddd…e-12": locale-independent and correctly rounded.
    char text[MaxDigits + 16];
    std::memcpy(text, digits_.data(), digitCount_);
    char* end = text + digitCount_;
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text, e).ptr;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text, end, value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range)
        value = magnitude > 0 ? infinity : 0.0;
    return negative_ ? -value : value;
}

std::int32_t MaxNumFromNumber(double value) {
    constexpr std::int32_t Lowest = 3;
    constexpr std::int32_t Highest = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value) || value < Lowest)
        return Lowest;
    if (value >= Highest)
        return Highest;
    return RoundHalfEven<std::int32_t>(value).value_or(Highest);
}

void SettingsReader::Feed(const char* data, std::size_t size) {
    const char* p = data;
    const char* const end = data + size;
    while (p < end) {
        if (part_ == Part::Skip) {
            // Nothing more in this line can change its effect: jump to its end.
            const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
            if (!lf)
                return;
            p = static_cast<const char*>(lf) + 1;
            pendingCr_ = false;
            EndLine();
            continue;
        }
        const char c = *p++;
        if (pendingCr_) {
            pendingCr_ = false;
            if (c == '\n') {
                EndLine();
                continue;
            }
            Take('\r');
        }
        if (c == '\r')
            pendingCr_ = true;
        else if (c == '\n')
            EndLine();
        else
            Take(c);
    }
}

void SettingsReader::Finish() {
    pendingCr_ = false;
    EndLine();
}

void SettingsReader::Take(char c) {
    switch (part_) {
    case Part::LineStart:
        // Only the very first column makes a comment.
        if (c == ';' || c == '\'') {
            part_ = Part::Skip;
            return;
        }
        part_ = Part::Key;
        [[fallthrough]];
    case Part::Key:
        if (c == '=') {
            EndKey();
            return;
        }
        // Blanks (spaces only) around the key do not count; inside it they do.
        if (c == ' ') {
            if (keyLength_ > 0)
                ++pendingBlanks_;
            return;
        }
        if (keyLength_ + pendingBlanks_ >= MaxKeyLength) {
            part_ = Part::Skip;
            return;
        }
        for (; pendingBlanks_ > 0; --pendingBlanks_)
            key_[keyLength_++] = ' ';
        key_[keyLength_++] = LowerAscii(c);
        return;
    case Part::Value:
        if (current_ == Key::CalcMode) {
            if (c >= '0' && c <= '3')
                calcModes_ |= 1u << (c - '0');
            return;
        }
        number_.Feed(c);
        if (!number_.Reading())
            part_ = Part::Skip;
        return;
    case Part::Skip:
        return;
    }
}

void SettingsReader::EndKey() {
    const std::string_view key(key_.data(), keyLength_);
    if (key == "maxnum")
        current_ = Key::MaxNum;
    else if (key == "calcmode")
        current_ = Key::CalcMode;
    else if (key == "sound")
        current_ = Key::Sound;
    else if (key == "showtable")
        current_ = Key::ShowTable;
    else if (key == "without1")
        current_ = Key::Without1;
    else
        current_ = Key::None;
    part_ = current_ == Key::None ? Part::Skip : Part::Value;
}

void SettingsReader::EndLine() {
    switch (current_) {
    case Key::MaxNum:
        target_.SetMaxNum(MaxNumFromNumber(number_.Result()));
        break;
    case Key::CalcMode:
        for (int i = 0; i < 4; ++i) {
            if (calcModes_ & (1u << i))
                target_.CheckCalcKind(i);
        }
        break;
    case Key::Sound:
        target_.SetSound(number_.Result() != 0);
        break;
    case Key::ShowTable:
        target_.SetShowTable(number_.Result() != 0);
        break;
    case Key::Without1:
        target_.SetWithout1(number_.Result() != 0);
        break;
    case Key::None:
        break;
    }
    part_ = Part::LineStart;
    keyLength_ = 0;
    pendingBlanks_ = 0;
    current_ = Key::None;
    number_ = ValueNumberScanner{};
    calcModes_ = 0;
}

void ReadSettingsText(std::string_view text, SettingsTarget& target) {
    SettingsReader reader(target);
    reader.Feed(text.data(), text.size());
    reader.Finish();
}

std::string SettingsText(const SettingsValues& values) {
    const auto flag = [](bool on) { return on ? "1" : "0"; };
    std::string text = "MaxNum = " + std::to_string(values.MaxNum) + "\r\n";
    std::string kinds;
    for (int i = 0; i < 4; ++i) {
        if (values.CalcMode[static_cast<std::size_t>(i)])
            kinds += std::to_string(i) + ",";
    }
    if (!kinds.empty()) {
        kinds.pop_back();
        text += "CalcMode = " + kinds + "\r\n";
    }
    text += std::string("Sound = ") + flag(values.Sound) + "\r\n";
    text += std::string("ShowTable = ") + flag(values.ShowTable) + "\r\n";
    text += std::string("Without1 = ") + flag(values.Without1) + "\r\n";
    return text;
}
