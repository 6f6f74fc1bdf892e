// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/color.h"
#include "toolkit/types.h"

#include <optional>

namespace tk {

class TCanvas;

// Rows of one pitch stacked down an area from its top, the way the list controls and the string
// grid show them; `top` is the first row in view.

// Whole rows that fit in an area this high, at least one.
int VisibleRows(int areaHeight, int pitch);
// The top row that brings row `index` into view, moving `top` as little as possible.
int TopKeepingInView(int index, int top, int visible);
// The row under p, or -1 outside the area or below the last of `count` rows.
int RowAtPoint(TPoint p, TRect area, int top, int pitch, int count);
// Where an arrow, Home/End or PgUp/PgDn takes the current row, `page` rows being in view; always
// one of the `count` rows. Nothing for any other key, or when there are no rows.
std::optional<int> RowAfterKey(unsigned short key, int current, int page, int count);
// Fills a row or cell in the highlight colour when selected, its background otherwise, and sets
// the font colour to match; the brush is left clear for the text.
void FillItem(TCanvas&, TRect, bool selected, TColor background, TColor text);

}
