// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/color.h"
#include "toolkit/types.h"

#include <QImage>

// Where something was drawn: the bounding box of the pixels that differ from the background
// (Right and Bottom exclusive; all zero when nothing was drawn).
inline tk::TRect inkBounds(const QImage& image, tk::TColor background)
{
    const QRgb bg = tk::toQColor(background).rgb();
    tk::TRect box { image.width(), image.height(), 0, 0 };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != bg) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return box.Right > 0 ? box : tk::TRect {};
}

inline int countColor(const QImage& image, tk::TColor color)
{
    const QRgb rgb = tk::toQColor(color).rgb();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == rgb;
    return n;
}

inline QImage blankImage(int w, int h, tk::TColor color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(tk::toQColor(color));
    return image;
}
