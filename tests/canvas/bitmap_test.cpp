// SPDX-License-Identifier: MIT
#include "tests/canvas/ink.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_drives.h"
#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/exceptions.h"
#include "toolkit/picture.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tk;

namespace {

// A Windows bitmap file as Qt writes it: 24-bit from true colour, 8-bit from an indexed image with
// more than 16 colours, 4-bit with up to 16, 1-bit from a mono image.
std::string bmpFile(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

QImage indexed(int width, int height, const std::vector<TColor>& palette, const std::vector<int>& pixels)
{
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorCount(int(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i)
        image.setColor(int(i), toQColor(palette[i]).rgb());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, uint(pixels[y * width + x]));
    return image;
}

QImage trueColour(int width, int height, const std::vector<TColor>& pixels)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, toQColor(pixels[y * width + x]).rgb());
    return image;
}

}

class Bitmaps : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApp();
        drives.map('t');
    }

    TempDrives drives;
};

TEST_F(Bitmaps, TrueColourFileLoadsWithItsPixels)
{
    drives.write("t:\\pic\\box.bmp", bmpFile(trueColour(3, 2, { clRed, clLime, clBlue, clWhite, clBlack, RGB(1, 2, 3) })));
    TBitmap bitmap;
    bitmap.LoadFromFile("T:\\PIC\\BOX.BMP");
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.PixelFormatBits(), 24);
    EXPECT_EQ(bitmap.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clRed);
    EXPECT_EQ(bitmap.Canvas().Pixel(2, 0), clBlue);
    EXPECT_EQ(bitmap.Canvas().Pixel(2, 1), RGB(1, 2, 3));
}

TEST_F(Bitmaps, PaletteFilesLoadAndKeepTheirDepth)
{
    std::vector<TColor> palette(256, clBlack);
    palette[7] = RGB(200, 100, 50);
    palette[255] = clAqua;
    drives.write("t:\\tv.bmp", bmpFile(indexed(2, 2, palette, { 7, 255, 0, 7 })));
    TBitmap eight;
    eight.LoadFromFile("t:\\tv.bmp");
    EXPECT_EQ(eight.PixelFormatBits(), 8);
    EXPECT_EQ(eight.Image().format(), QImage::Format_RGB32);
    EXPECT_EQ(eight.Canvas().Pixel(0, 0), RGB(200, 100, 50));
    EXPECT_EQ(eight.Canvas().Pixel(1, 0), clAqua);
    EXPECT_EQ(eight.Canvas().Pixel(0, 1), clBlack);

    std::vector<TColor> sixteen(16, clBlack);
    sixteen[3] = clYellow;
    drives.write("t:\\flag.bmp", bmpFile(indexed(3, 1, sixteen, { 3, 0, 3 })));
    TBitmap four;
    four.LoadFromFile("t:\\flag.bmp");
    EXPECT_EQ(four.PixelFormatBits(), 4);
    EXPECT_EQ(four.Canvas().Pixel(2, 0), clYellow);
}

TEST_F(Bitmaps, UnreadableFilesThrowNamingTheFile)
{
    drives.write("t:\\junk.bmp", "this is no picture at all, just some junk bytes to read");
    drives.write("t:\\empty.bmp", "");
    drives.write("t:\\cut.bmp", bmpFile(trueColour(2, 2, { clRed, clRed, clRed, clRed })).substr(0, 40));
    // Pixels cut short: the last row missing, and a header claiming 3000 rows of one.
    std::string whole = bmpFile(trueColour(2, 2, { clRed, clRed, clRed, clRed }));
    drives.write("t:\\short.bmp", whole.substr(0, whole.size() - 8));
    std::string tall = bmpFile(trueColour(3000, 1, std::vector<TColor>(3000, clRed)));
    tall.replace(22, 4, std::string("\xB8\x0B\0\0", 4));
    drives.write("t:\\tall.bmp", tall);
    TBitmap bitmap;
    for (const char* path : { "t:\\junk.bmp", "t:\\empty.bmp", "t:\\cut.bmp", "t:\\short.bmp", "t:\\tall.bmp", "t:\\missing.bmp",
             "q:\\nodrive.bmp" }) {
        try {
            bitmap.LoadFromFile(path);
            ADD_FAILURE() << path << " loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(bitmap.LoadFromFile("t:\\junk.bmp"), Exception);
    EXPECT_TRUE(bitmap.Empty());
}

TEST_F(Bitmaps, FailedLoadKeepsThePictureAndFiresNothing)
{
    drives.write("t:\\good.bmp", bmpFile(trueColour(2, 2, { clRed, clRed, clRed, clRed })));
    drives.write("t:\\bad.bmp", "BM but nothing after it");
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&] { ++changes; };
    picture.LoadFromFile("t:\\good.bmp");
    EXPECT_EQ(changes, 1);
    EXPECT_THROW(picture.LoadFromFile("t:\\bad.bmp"), EInvalidGraphic);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_EQ(picture.Bitmap().Canvas().Pixel(1, 1), clRed);
}

TEST_F(Bitmaps, PictureReportsEveryChange)
{
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&] { ++changes; };
    EXPECT_TRUE(picture.Empty());
    picture.Bitmap().SetSize(4, 3);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picture.Width(), 4);

    TPicture other;
    other.Bitmap().SetSize(7, 5);
    other.Bitmap().SetTransparent(true);
    picture.Assign(other);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(picture.Height(), 5);
    EXPECT_TRUE(picture.Bitmap().Transparent());
    other.Bitmap().SetSize(1, 1); // a copy, not a share
    EXPECT_EQ(picture.Width(), 7);

    picture.Clear();
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(picture.Empty());
}

TEST_F(Bitmaps, MissingResourceThrows)
{
    TBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromResource("no_such_picture"), EInvalidGraphic);
}

TEST_F(Bitmaps, SizeCanvasAndCopies)
{
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    TCanvas& canvas = bitmap.Canvas(); // made before the image has a size
    bitmap.SetSize(5, 4);
    EXPECT_EQ(countColor(bitmap.Image(), clBlack), 20);
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(Rect(0, 0, 5, 4));
    EXPECT_EQ(countColor(bitmap.Image(), clWhite), 20);
    bitmap.SetSize(5, 4); // same size: pixels kept
    EXPECT_EQ(countColor(bitmap.Image(), clWhite), 20);

    TBitmap copy(bitmap);
    copy.Canvas().SetPixel(0, 0, clRed);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clWhite);
    EXPECT_EQ(copy.Canvas().Pixel(1, 0), clWhite);

    bitmap.SetSize(0, 3);
    EXPECT_TRUE(bitmap.Empty());
}

class Drawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApp();
        // 3 x 2: black corners on the left column, coloured elsewhere.
        sprite.SetSize(3, 2);
        TCanvas& c = sprite.Canvas();
        c.SetPixel(1, 0, clRed);
        c.SetPixel(2, 0, clLime);
        c.SetPixel(1, 1, clBlue);
        c.SetPixel(2, 1, clWhite);
    }

    TBitmap sprite;
    QImage image { blankImage(20, 20, clYellow) };
    TCanvas canvas { image };
};

TEST_F(Drawing, TransparentDrawSkipsTheBottomLeftColourByDefault)
{
    sprite.SetTransparent(true);
    EXPECT_EQ(sprite.TransparentColor(), clBlack);
    canvas.Draw(4, 5, sprite);
    EXPECT_EQ(canvas.Pixel(4, 5), clYellow);
    EXPECT_EQ(canvas.Pixel(4, 6), clYellow);
    EXPECT_EQ(canvas.Pixel(5, 5), clRed);

    sprite.SetTransparentColor(clRed);
    image.fill(Qt::yellow);
    canvas.Draw(4, 5, sprite);
    EXPECT_EQ(canvas.Pixel(4, 5), clBlack);
    EXPECT_EQ(canvas.Pixel(5, 5), clYellow);

    sprite.SetTransparent(false);
    image.fill(Qt::yellow);
    canvas.Draw(4, 5, sprite);
    EXPECT_EQ(canvas.Pixel(4, 6), clBlack);
    EXPECT_EQ(canvas.Pixel(5, 5), clRed);
    EXPECT_EQ(inkBounds(image, clYellow), Rect(4, 5, 7, 7));
}

TEST_F(Drawing, DrawIsClippedAndTranslated)
{
    canvas.Translate(10, 10);
    canvas.IntersectClip(Rect(0, 0, 2, 1));
    canvas.Draw(-1, 0, sprite);
    EXPECT_EQ(inkBounds(image, clYellow), Rect(10, 10, 12, 11));
    EXPECT_EQ(image.pixel(10, 10), toQColor(clRed).rgb());
}

TEST_F(Drawing, StretchDrawUsesNearestNeighbours)
{
    canvas.StretchDraw(Rect(2, 2, 8, 6), sprite); // each pixel becomes 2 x 2
    EXPECT_EQ(inkBounds(image, clYellow), Rect(2, 2, 8, 6));
    EXPECT_EQ(canvas.Pixel(2, 2), clBlack);
    EXPECT_EQ(canvas.Pixel(3, 3), clBlack);
    EXPECT_EQ(canvas.Pixel(4, 2), clRed);
    EXPECT_EQ(canvas.Pixel(5, 3), clRed);
    EXPECT_EQ(canvas.Pixel(7, 5), clWhite);
    EXPECT_EQ(countColor(image, clBlue), 4);

    sprite.SetTransparent(true);
    image.fill(Qt::yellow);
    canvas.StretchDraw(Rect(2, 2, 8, 6), sprite);
    EXPECT_EQ(canvas.Pixel(3, 3), clYellow);
    EXPECT_EQ(canvas.Pixel(5, 3), clRed);
}
