// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

#include <cstdint>

namespace tk {

// Red in the lowest byte, then green, then blue. System colours carry the top bit and the
// system colour index in the lowest byte; they are resolved only when painting.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000,
                        clOlive = 0x008080, clNavy = 0x800000, clPurple = 0x800080,
                        clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0,
                        clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                        clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                        clWhite = 0xFFFFFF, clNone = 0x1FFFFFFF;

inline constexpr TColor clSystemColor = 0x80000000;
inline constexpr TColor clScrollBar = 0x80000000, clBackground = 0x80000001,
                        clActiveCaption = 0x80000002, clMenu = 0x80000004,
                        clWindow = 0x80000005, clMenuText = 0x80000007,
                        clWindowText = 0x80000008, clCaptionText = 0x80000009,
                        clHighlight = 0x8000000D, clHighlightText = 0x8000000E,
                        clBtnFace = 0x8000000F, clBtnShadow = 0x80000010,
                        clGrayText = 0x80000011, clBtnText = 0x80000012,
                        clBtnHighlight = 0x80000014, cl3DDkShadow = 0x80000015,
                        cl3DLight = 0x80000016, clInfoText = 0x80000017, clInfoBk = 0x80000018;

// What pixel reads return outside the surface.
inline constexpr TColor clInvalid = 0xFFFFFFFF;

constexpr TColor RGB(int r, int g, int b)
{
    return TColor(r & 0xFF) | TColor(g & 0xFF) << 8 | TColor(b & 0xFF) << 16;
}

constexpr int GetRValue(TColor c) { return int(c & 0xFF); }
constexpr int GetGValue(TColor c) { return int(c >> 8 & 0xFF); }
constexpr int GetBValue(TColor c) { return int(c >> 16 & 0xFF); }

// System colours become their value in the fixed classic palette; others are returned as they are.
TColor ColorToRGB(TColor);

// clNone becomes fully transparent; every other colour is opaque.
QColor toQColor(TColor);
TColor fromQColor(const QColor&);

}
