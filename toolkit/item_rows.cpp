#include "toolkit/item_rows.h"

#include <algorithm>

namespace tk {

int VisibleRows(int height, int itemHeight)
{
    return std::max(1, (height - 2 * listBorder) / itemHeight);
}

int TopKeepingInView(int index, int top, int visible)
{
    if (index < top)
        return index;
    if (index >= top + visible)
        return index - visible + 1;
    return top;
}

int RowAtPoint(int x, int y, int width, int height, int top, int itemHeight, int count)
{
    if (x < listBorder || x >= width - listBorder || y < listBorder || y >= height - listBorder)
        return -1;
    int index = top + (y - listBorder) / itemHeight;
    return index < count ? index : -1;
}

}
