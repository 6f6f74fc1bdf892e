// SPDX-License-Identifier: MIT
#include "tests/canvas/ink.h"
#include "tests/support/qt_app.h"
#include "toolkit/canvas.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace tk;

class Text : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApp();
        canvas.Font().SetColor(clWhite);
        canvas.Brush().SetStyle(bsClear);
    }

    // The same text drawn by TextOut on a fresh image of this size.
    QImage textOut(const std::string& text, int x, int y)
    {
        QImage other = blankImage(image.width(), image.height(), clBlack);
        TCanvas c(other);
        c.Font().Assign(canvas.Font());
        c.Brush().SetStyle(bsClear);
        c.TextOut(x, y, text);
        return other;
    }

    QImage image { blankImage(200, 120, clBlack) };
    TCanvas canvas { image };
};

TEST_F(Text, ClearBrushLeavesTheBackgroundSolidBrushFillsTheCell)
{
    canvas.TextOut(10, 10, "Mario");
    TRect ink = inkBounds(image, clBlack);
    EXPECT_GT(ink.Width(), 0);
    EXPECT_EQ(countColor(image, clRed), 0);
    EXPECT_EQ(countColor(image, clBlack) + countColor(image, clWhite), 200 * 120); // one-bit glyphs

    image.fill(Qt::black);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clRed);
    canvas.TextOut(10, 10, "Mario");
    TPoint extent = canvas.TextExtent("Mario");
    EXPECT_EQ(inkBounds(image, clBlack), Bounds(10, 10, extent.X, extent.Y));
    EXPECT_GT(countColor(image, clRed), 0);
    EXPECT_GT(countColor(image, clWhite), 0);
    EXPECT_EQ(canvas.PenPos, Point(10 + extent.X, 10));
}

TEST_F(Text, ExtentIsThatOfTheUprightText)
{
    canvas.Font().SetEscapement(2700);
    EXPECT_GT(canvas.TextWidth("Mbit"), canvas.TextHeight("Mbit"));
}

TEST_F(Text, WindowsCharactersAreDrawn)
{
    canvas.TextOut(10, 10, "\xE9"); // e acute in Windows-1252
    EXPECT_GT(inkBounds(image, clBlack).Width(), 0);
    EXPECT_EQ(canvas.TextWidth("\xE9"), canvas.TextWidth("e"));
}

TEST_F(Text, EscapementTurnsTheTextCounterClockwise)
{
    canvas.Font().SetEscapement(2700); // top to bottom
    canvas.TextOut(100, 10, "256 Mbit");
    TRect down = inkBounds(image, clBlack);
    EXPECT_GT(down.Height(), down.Width());
    EXPECT_LE(down.Right, 100 + 1);         // the cell's top edge now faces right
    EXPECT_GE(down.Top, 10 - 1);
    EXPECT_NEAR(down.Height(), canvas.TextWidth("256 Mbit"), 3);

    image.fill(Qt::black);
    canvas.Font().SetEscapement(900); // bottom to top
    canvas.TextOut(100, 100, "256 Mbit");
    TRect up = inkBounds(image, clBlack);
    EXPECT_GT(up.Height(), up.Width());
    EXPECT_GE(up.Left, 100 - 1);
    EXPECT_LE(up.Bottom, 100 + 1);
}

TEST_F(Text, RotatedCellIsFilledBySolidBrush)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clNavy);
    canvas.Font().SetEscapement(2700);
    canvas.TextOut(50, 10, "Zip");
    TPoint extent = canvas.TextExtent("Zip");
    EXPECT_EQ(inkBounds(image, clBlack), Rect(50 - extent.Y, 10, 50, 10 + extent.X));
}

TEST_F(Text, DrawTextCentresInTheRect)
{
    TRect box = Rect(20, 20, 180, 100);
    canvas.DrawText("Centre", box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    TRect ink = inkBounds(image, clBlack);
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 100, 2);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 60, 3);

    image.fill(Qt::black);
    canvas.DrawText("Right", box, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    ink = inkBounds(image, clBlack);
    EXPECT_NEAR(ink.Right, 180, 2);
    EXPECT_NEAR(ink.Bottom, 100, 4);
}

TEST_F(Text, CalcRectMeasuresWithoutDrawing)
{
    TRect box = Rect(5, 5, 500, 5);
    int height = canvas.DrawText("Two\r\nlines", box, DT_CALCRECT);
    EXPECT_EQ(countColor(image, clWhite), 0);
    EXPECT_EQ(height, 2 * canvas.TextHeight("x"));
    EXPECT_EQ(box, Rect(5, 5, 5 + canvas.TextWidth("lines"), 5 + height));

    TRect accel = Rect(0, 0, 500, 0);
    canvas.DrawText("&Save", accel, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(accel.Width(), canvas.TextWidth("Save"));
}

TEST_F(Text, AmpersandRules)
{
    for (unsigned lines : { DT_LEFT, DT_SINGLELINE }) {
        TRect box = Rect(10, 10, 190, 40);
        image.fill(Qt::black);
        canvas.DrawText("A&&B", box, lines);
        EXPECT_EQ(image, textOut("A&B", 10, 10));

        image.fill(Qt::black);
        canvas.DrawText("A&B", box, lines | DT_NOPREFIX);
        EXPECT_EQ(image, textOut("A&B", 10, 10));

        image.fill(Qt::black);
        canvas.DrawText("&Save", box, lines);
        QImage plain = textOut("Save", 10, 10);
        // Only the underline under the S differs, and it lies below the letters.
        TRect added {};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != plain.pixel(x, y))
                    added = added.Right ? Rect(std::min(added.Left, x), added.Top, std::max(added.Right, x + 1), y + 1)
                                        : Rect(x, y, x + 1, y + 1);
        EXPECT_EQ(added.Height(), 1) << "flags " << lines;
        EXPECT_GE(added.Left, 10);
        EXPECT_LE(added.Right, 10 + canvas.TextWidth("S"));
        EXPECT_GE(added.Top, inkBounds(plain, clBlack).Bottom);
    }
}

TEST_F(Text, WordBreakWrapsAndClipsToTheRect)
{
    int line = canvas.TextHeight("x");
    TRect narrow = Rect(10, 10, 10 + canvas.TextWidth("copied to"), 100);
    int height = canvas.DrawText("copied to clipboard", narrow, DT_WORDBREAK);
    EXPECT_EQ(height, 2 * line);
    EXPECT_GT(inkBounds(image, clBlack).Bottom, 10 + line);

    image.fill(Qt::black);
    TRect low = Rect(10, 10, 40, 10 + line / 2);
    canvas.DrawText("Clipped text", low, DT_LEFT);
    EXPECT_LE(inkBounds(image, clBlack).Bottom, low.Bottom);
    EXPECT_LE(inkBounds(image, clBlack).Right, low.Right);

    image.fill(Qt::black);
    canvas.DrawText("Clipped text", low, DT_LEFT | DT_NOCLIP);
    EXPECT_GT(inkBounds(image, clBlack).Right, low.Right);
}

TEST_F(Text, EndEllipsisFitsTheWidth)
{
    TRect box = Rect(10, 10, 60, 30);
    TRect measured = box;
    canvas.DrawText("A long game title here", measured, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(measured.Width(), box.Width());
    canvas.DrawText("A long game title here", box, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(inkBounds(image, clBlack).Right, 60);
}

TEST_F(Text, TabsExpandToEightAverageCharacters)
{
    TRect wide = Rect(0, 0, 500, 0);
    canvas.DrawText("a\tb", wide, DT_CALCRECT | DT_EXPANDTABS);
    EXPECT_GE(wide.Width(), 8 * QFontMetrics(canvas.Font().toQFont()).averageCharWidth());
}
