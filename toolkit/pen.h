// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/color.h"

namespace tk {

enum TPenStyle { psSolid, psClear };

// Draws lines and outlines.
class TPen {
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }
    int Width() const { return m_width; }
    void SetWidth(int width) { m_width = width < 1 ? 1 : width; }
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle style) { m_style = style; }

private:
    TColor m_color { clBlack };
    int m_width { 1 };
    TPenStyle m_style { psSolid };
};

}
