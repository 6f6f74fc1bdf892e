// SPDX-License-Identifier: MIT
#pragma once

namespace tk {

struct TPoint {
    int X = 0, Y = 0;

    bool operator==(const TPoint&) const = default;
};

// Right and Bottom lie just outside the rectangle, as everywhere in the toolkit.
struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    bool operator==(const TRect&) const = default;
};

inline TPoint Point(int x, int y) { return TPoint { x, y }; }
inline TRect Rect(int l, int t, int r, int b) { return TRect { l, t, r, b }; }
inline TRect Bounds(int l, int t, int w, int h) { return TRect { l, t, l + w, t + h }; }

}
