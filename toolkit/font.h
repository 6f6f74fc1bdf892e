// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/color.h"

#include <QFont>

#include <functional>
#include <string>

namespace tk {

using TFontStyles = unsigned;
inline constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

inline constexpr int ANSI_CHARSET = 0, DEFAULT_CHARSET = 1;

// A logical font: face, height, style, colour, escapement. Height follows the classic rule:
// negative is the character (em) height in pixels, positive the cell height including the
// internal leading.
class TFont {
public:
    TFont() = default;
    // A copy takes the values but not the change handler, which belongs to the original's owner.
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);

    const std::string& Name() const { return m_name; }
    void SetName(const std::string&);
    int Height() const { return m_height; }
    void SetHeight(int);
    // Size in points at 96 pixels per inch; setting it stores the matching negative height.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles);
    TColor Color() const { return m_color; }
    void SetColor(TColor);
    // Tenths of a degree, counter-clockwise.
    int Escapement() const { return m_escapement; }
    void SetEscapement(int);
    int Charset() const { return m_charset; }
    void SetCharset(int);

    // Takes every value of the other font and fires OnChange once if anything differed.
    void Assign(const TFont&);

    // The face substituted, pixel-sized, without antialiasing; escapement is the canvas's business.
    QFont toQFont() const;

    std::function<void()> OnChange;

private:
    void Changed();
    bool SameValues(const TFont&) const;
    void CopyValues(const TFont&);

    std::string m_name { "Arial" };
    int m_height { -11 };
    TFontStyles m_style { 0 };
    TColor m_color { clWindowText };
    int m_escapement { 0 };
    int m_charset { ANSI_CHARSET };
};

}
