// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/color.h"

namespace tk {

enum TBrushStyle { bsSolid, bsClear };

// Fills areas and text backgrounds; a clear brush leaves what is beneath.
class TBrush {
public:
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle style) { m_style = style; }

private:
    TColor m_color { clWhite };
    TBrushStyle m_style { bsSolid };
};

}
