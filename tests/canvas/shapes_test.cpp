// SPDX-License-Identifier: MIT
#include "tests/canvas/ink.h"
#include "tests/support/qt_app.h"
#include "toolkit/canvas.h"

#include <gtest/gtest.h>

using namespace tk;

class Shapes : public ::testing::Test {
protected:
    void SetUp() override { ensureGuiApp(); }

    QImage image { blankImage(40, 30, clBlack) };
    TCanvas canvas { image };
};

TEST_F(Shapes, FillRectCoversLeftTopButNotRightBottom)
{
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(Rect(2, 3, 6, 8));
    EXPECT_EQ(inkBounds(image, clBlack), Rect(2, 3, 6, 8));
    EXPECT_EQ(countColor(image, clRed), 4 * 5);

    canvas.Brush().SetStyle(bsClear);
    canvas.Brush().SetColor(clLime);
    canvas.FillRect(Rect(0, 0, 40, 30));
    EXPECT_EQ(countColor(image, clLime), 0);
}

TEST_F(Shapes, RectangleOutlinesWithThePenAndFillsWithTheBrush)
{
    canvas.Pen().SetColor(clWhite);
    canvas.Brush().SetColor(clBlue);
    canvas.Rectangle(Rect(1, 1, 6, 5));
    EXPECT_EQ(inkBounds(image, clBlack), Rect(1, 1, 6, 5));
    EXPECT_EQ(canvas.Pixel(1, 1), clWhite);
    EXPECT_EQ(canvas.Pixel(5, 4), clWhite);
    EXPECT_EQ(canvas.Pixel(2, 2), clBlue);
    EXPECT_EQ(canvas.Pixel(4, 3), clBlue);
    EXPECT_EQ(countColor(image, clBlue), 3 * 2);

    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(Rect(10, 10, 14, 14));
    EXPECT_EQ(canvas.Pixel(11, 11), clBlack);
    EXPECT_EQ(canvas.Pixel(13, 13), clWhite);
}

TEST_F(Shapes, LineToLeavesItsEndPointAndMovesThePen)
{
    canvas.Pen().SetColor(clYellow);
    canvas.MoveTo(2, 2);
    canvas.LineTo(10, 2);
    EXPECT_EQ(countColor(image, clYellow), 8);
    EXPECT_EQ(canvas.Pixel(9, 2), clYellow);
    EXPECT_EQ(canvas.Pixel(10, 2), clBlack);
    EXPECT_EQ(canvas.PenPos, Point(10, 2));

    canvas.LineTo(10, 12); // continues from the pen position
    EXPECT_EQ(canvas.Pixel(10, 2), clYellow);
    EXPECT_EQ(canvas.Pixel(10, 11), clYellow);
    EXPECT_EQ(canvas.Pixel(10, 12), clBlack);

    canvas.MoveTo(20, 20);
    canvas.LineTo(25, 25);
    EXPECT_EQ(canvas.Pixel(22, 22), clYellow);
}

TEST_F(Shapes, PolygonFillsItsInteriorAndEdgesEvenWithoutAPen)
{
    canvas.Pen().SetStyle(psClear);
    canvas.Brush().SetColor(clRed);
    std::vector<TPoint> triangle { { 2, 2 }, { 20, 2 }, { 2, 20 } };
    canvas.Polygon(triangle);
    EXPECT_EQ(inkBounds(image, clBlack), Rect(2, 2, 21, 21));
    for (TPoint p : { Point(2, 2), Point(20, 2), Point(2, 20), Point(11, 11), Point(11, 2), Point(2, 11), Point(6, 6) })
        EXPECT_EQ(canvas.Pixel(p.X, p.Y), clRed) << p.X << "," << p.Y;
    EXPECT_EQ(canvas.Pixel(12, 12), clBlack);
    EXPECT_EQ(canvas.Pixel(20, 20), clBlack);
}

TEST_F(Shapes, PolygonOutlineIsThePenAroundTheBrush)
{
    canvas.Pen().SetColor(clWhite);
    canvas.Brush().SetColor(clGreen);
    canvas.Polygon({ { 5, 5 }, { 15, 5 }, { 15, 15 }, { 5, 15 } });
    EXPECT_EQ(inkBounds(image, clBlack), Rect(5, 5, 16, 16));
    EXPECT_EQ(canvas.Pixel(5, 10), clWhite);
    EXPECT_EQ(canvas.Pixel(15, 15), clWhite);
    EXPECT_EQ(canvas.Pixel(10, 10), clGreen);
    EXPECT_EQ(countColor(image, clGreen), 9 * 9);
}

TEST_F(Shapes, EllipseStaysInsideItsBox)
{
    canvas.Pen().SetColor(clWhite);
    canvas.Brush().SetColor(clRed);
    canvas.Ellipse(Rect(4, 4, 24, 20));
    EXPECT_EQ(inkBounds(image, clBlack), Rect(4, 4, 24, 20));
    EXPECT_EQ(canvas.Pixel(14, 12), clRed);
    EXPECT_EQ(canvas.Pixel(4, 4), clBlack);
}

TEST_F(Shapes, PixelsReadBackAndOutsideIsInvalid)
{
    canvas.SetPixel(3, 4, RGB(10, 20, 30));
    EXPECT_EQ(canvas.Pixel(3, 4), RGB(10, 20, 30));
    EXPECT_EQ(canvas.Pixel(-1, 0), clInvalid);
    EXPECT_EQ(canvas.Pixel(40, 0), clInvalid);
    canvas.SetPixel(100, 100, clWhite); // off the image: ignored
}

TEST_F(Shapes, TranslateAndClipNestAndRestore)
{
    canvas.Brush().SetColor(clWhite);
    canvas.Save();
    canvas.Translate(10, 5);
    canvas.IntersectClip(Rect(0, 0, 8, 6));
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 8, 6));
    canvas.Save();
    canvas.Translate(4, 4);
    canvas.IntersectClip(Rect(-100, -100, 100, 100));
    EXPECT_EQ(canvas.ClipRect(), Rect(-4, -4, 4, 2)); // the outer clip, seen from the new origin
    canvas.FillRect(Rect(-50, -50, 50, 50));
    EXPECT_EQ(inkBounds(image, clBlack), Rect(10, 5, 18, 11));
    canvas.Pen().SetColor(clRed);
    canvas.Restore();
    canvas.Restore();
    EXPECT_EQ(canvas.Pen().Color(), clBlack);
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 40, 30));
    canvas.SetPixel(0, 0, clLime);
    EXPECT_EQ(image.pixel(0, 0), QColor(0, 255, 0).rgb());
}

TEST_F(Shapes, CopyRectCopiesAndScales)
{
    QImage sourceImage = blankImage(10, 10, clBlack);
    TCanvas source(sourceImage);
    source.SetPixel(2, 3, clRed);
    source.SetPixel(3, 3, clLime);
    canvas.CopyRect(Rect(20, 20, 22, 21), source, Rect(2, 3, 4, 4));
    EXPECT_EQ(canvas.Pixel(20, 20), clRed);
    EXPECT_EQ(canvas.Pixel(21, 20), clLime);
    EXPECT_EQ(inkBounds(image, clBlack), Rect(20, 20, 22, 21));

    canvas.CopyRect(Rect(0, 0, 4, 2), source, Rect(2, 3, 4, 4)); // twice as wide, twice as tall
    EXPECT_EQ(canvas.Pixel(1, 1), clRed);
    EXPECT_EQ(canvas.Pixel(2, 0), clLime);
    EXPECT_EQ(canvas.Pixel(3, 1), clLime);
}
