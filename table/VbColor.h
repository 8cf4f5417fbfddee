// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

// A fixed colour, written &H00BBGGRR.
inline QColor RgbFromVb(quint32 value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

// Colours are written &H00BBGGRR; &H800000nn names a system colour.
inline QColor ColorFromVb(quint32 value, const QPalette& palette) {
    if (value & 0x80000000u) {
        switch (value & 0xFFu) {
        case 0x05:
            return palette.color(QPalette::Base);
        case 0x08:
            return palette.color(QPalette::WindowText);
        case 0x0D:
            return palette.color(QPalette::Highlight);
        case 0x0E:
            return palette.color(QPalette::HighlightedText);
        default:
            return palette.color(QPalette::Button);
        }
    }
    return RgbFromVb(value);
}

namespace VbColors {
inline constexpr quint32 White = 0x00FFFFFF;
inline constexpr quint32 Black = 0x00000000;
inline constexpr quint32 HeaderGreen = 0x0000B000;
inline constexpr quint32 GridLineGrey = 0x00C0C0C0;
inline constexpr quint32 Amber = 0x0000CCFF;
inline constexpr quint32 AnswerGreen = 0x0000C000;
inline constexpr quint32 AnswerRed = 0x000000FF;
inline constexpr quint32 Grey = 0x00808080;
inline constexpr quint32 Orange = 0x000080FF;
inline constexpr quint32 DarkGrey = 0x00404040;
inline constexpr quint32 WindowBackground = 0x80000005;
inline constexpr quint32 WindowText = 0x80000008;
inline constexpr quint32 Highlight = 0x8000000D;
inline constexpr quint32 HighlightText = 0x8000000E;
inline constexpr quint32 ButtonFace = 0x8000000F;
} // namespace VbColors
