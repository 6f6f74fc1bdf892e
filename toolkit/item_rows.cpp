// SPDX-License-Identifier: MIT
#include "toolkit/item_rows.h"

#include "toolkit/canvas.h"
#include "toolkit/object.h"

#include <algorithm>

namespace tk {

int VisibleRows(int areaHeight, int pitch)
{
    return std::max(1, areaHeight / pitch);
}

int TopKeepingInView(int index, int top, int visible)
{
    if (index < top)
        return index;
    if (index >= top + visible)
        return index - visible + 1;
    return top;
}

int RowAtPoint(TPoint p, TRect area, int top, int pitch, int count)
{
    if (!area.Contains(p))
        return -1;
    int index = top + (p.Y - area.Top) / pitch;
    return index < count ? index : -1;
}

std::optional<int> RowAfterKey(unsigned short key, int current, int page, int count)
{
    if (count <= 0)
        return std::nullopt;
    int to = current;
    switch (key) {
    case VK_UP: to = current - 1; break;
    case VK_DOWN: to = current + 1; break;
    case VK_PRIOR: to = current - page; break;
    case VK_NEXT: to = current + page; break;
    case VK_HOME: to = 0; break;
    case VK_END: to = count - 1; break;
    default: return std::nullopt;
    }
    return std::clamp(to, 0, count - 1);
}

void FillItem(TCanvas& canvas, TRect r, bool selected, TColor background, TColor text)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(selected ? clHighlight : background);
    canvas.FillRect(r);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(selected ? clHighlightText : text);
}

}
