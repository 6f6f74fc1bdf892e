#pragma once

namespace tk {

// Rows of equal height inside the two-pixel sunken border of the list controls.
constexpr int listBorder = 2;

// Whole rows that fit, at least one.
int VisibleRows(int height, int itemHeight);
// The top row that brings row `index` into view, moving `top` as little as possible.
int TopKeepingInView(int index, int top, int visible);
// The row under (x, y) in client coordinates, or -1.
int RowAtPoint(int x, int y, int width, int height, int top, int itemHeight, int count);

}
