// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/color.h"
#include "toolkit/types.h"

namespace tk {

class TCanvas;

// One pixel of frame inside r, lit from the top left; r shrinks by that pixel.
void DrawEdge(TCanvas&, TRect& r, TColor topLeft, TColor bottomRight);

// The two-pixel sunken edge of text fields and lists: shadow over dark shadow at the top left,
// highlight over light grey at the bottom right. Shrinks r to the area inside.
void DrawSunkenBorder(TCanvas&, TRect& r);

}
