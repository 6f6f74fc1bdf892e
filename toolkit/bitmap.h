// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/color.h"

#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tk {

class TCanvas;

// One pixel of a scan line, in the byte order of a classic 32-bit bitmap.
struct TRGBQuad {
    std::uint8_t rgbBlue;
    std::uint8_t rgbGreen;
    std::uint8_t rgbRed;
    std::uint8_t rgbReserved;
};

// An off-screen true-colour image with a canvas over it. Loaded files keep their pixels as
// 32-bit RGB; the file's own bit depth is remembered.
class TBitmap {
public:
    TBitmap();
    // A copy takes the picture and transparency, not the change handler nor the canvas state.
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap();

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    // A new size gives an all-black image; the same size keeps the pixels.
    void SetSize(int width, int height);
    bool Empty() const { return m_image.isNull(); }
    // Drawing on the canvas does not fire OnChange.
    TCanvas& Canvas();

    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool);
    // Unless one was set, the colour of the bottom-left pixel.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor);

    // 1, 4, 8, 16, 24 or 32: the depth the pixels had in their file; 32 for a made bitmap.
    int PixelFormatBits() const { return m_bits; }

    // Windows bitmap file through the platform's file system. Throws EInvalidGraphic naming the
    // file when it can't be read or decoded, and then keeps the old picture.
    void LoadFromFile(const std::string& winPath);
    // A picture built into the program (":/pictures/<name>", ".bmp" or ".png" may be left off).
    void LoadFromResource(const std::string& name);
    void LoadFromImage(const QImage&);
    void Assign(const TBitmap&);

    const QImage& Image() const { return m_image; }
    // Row y of the pixels, left to right (null outside the picture): for work on every pixel,
    // which costs a call each through the canvas. Writing to it does not fire OnChange.
    TRGBQuad* ScanLine(int y);

    std::function<void()> OnChange;

private:
    void Take(const QImage&, int bits);
    void Changed();

    QImage m_image;
    std::unique_ptr<TCanvas> m_canvas;
    bool m_transparent { false };
    std::optional<TColor> m_transparentColor;
    int m_bits { 32 };
};

}
