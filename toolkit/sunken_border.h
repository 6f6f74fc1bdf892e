#pragma once

#include "toolkit/types.h"

namespace tk {

class TCanvas;

// The two-pixel sunken edge of text fields and lists: shadow over dark shadow at the top left,
// highlight over light grey at the bottom right. Shrinks r to the area inside.
void DrawSunkenBorder(TCanvas&, TRect& r);

}
