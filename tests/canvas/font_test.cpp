// SPDX-License-Identifier: MIT
#include "tests/canvas/ink.h"
#include "tests/support/qt_app.h"
#include "toolkit/canvas.h"
#include "toolkit/font.h"
#include "toolkit/font_substitutes.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

using namespace tk;

class FontTest : public ::testing::Test {
protected:
    void SetUp() override { ensureGuiApp(); }
};

TEST(FontSubstitutes, ClassicFacesMapToInstalledOnesIgnoringCase)
{
    EXPECT_EQ(substituteFace("Arial"), "Liberation Sans");
    EXPECT_EQ(substituteFace("arial"), "Liberation Sans");
    EXPECT_EQ(substituteFace("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(substituteFace("COURIER NEW"), "Liberation Mono");
    EXPECT_EQ(substituteFace("MS Sans Serif"), "Liberation Sans");
    EXPECT_EQ(substituteFace("Tahoma"), "DejaVu Sans");
    EXPECT_EQ(substituteFace("Wingdings of Mars"), "Liberation Sans");
    EXPECT_EQ(substituteFace(""), "Liberation Sans");
}

TEST_F(FontTest, SubstitutedFacesAreReallyInstalled)
{
    for (const char* face : { "Arial", "Times New Roman", "Courier New", "Tahoma" }) {
        TFont font;
        font.SetName(face);
        EXPECT_EQ(QFontInfo(font.toQFont()).family().toStdString(), substituteFace(face)) << face;
    }
}

TEST_F(FontTest, NegativeHeightIsTheEmSizeAndPositiveTheCellHeight)
{
    TFont font;
    EXPECT_EQ(font.toQFont().pixelSize(), 11);

    font.SetHeight(24);
    QFont cell = font.toQFont();
    EXPECT_LT(cell.pixelSize(), 24);
    EXPECT_NEAR(QFontMetrics(cell).height(), 24, 1);
}

TEST_F(FontTest, ElevenPixelArialCapitalIsAboutEightPixelsTall)
{
    QImage image = blankImage(40, 30, clWhite);
    TCanvas canvas(image);
    canvas.Font().SetName("Arial");
    canvas.Font().SetHeight(-11);
    canvas.TextOut(5, 5, "H");
    TRect ink = inkBounds(image, clWhite);
    EXPECT_GE(ink.Height(), 7);
    EXPECT_LE(ink.Height(), 9);
    EXPECT_GE(ink.Top, 5 + 1); // internal leading above the capital
}

TEST(Font, SizeInPointsIsHeightAtNinetySixDpi)
{
    TFont font;
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(20);
    EXPECT_EQ(font.Height(), -27);
    EXPECT_EQ(font.Size(), 20);
}

TEST(Font, OnChangeFiresOnlyForRealChanges)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetColor(clRed);
    font.SetColor(clRed);
    font.SetHeight(-11);
    font.SetEscapement(2700);
    EXPECT_EQ(changes, 2);

    TFont other;
    other.SetName("Tahoma");
    other.SetHeight(-9);
    font.Assign(other);
    EXPECT_EQ(changes, 3); // once for the whole assignment
    font.Assign(other);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(font.Escapement(), 0);
}

TEST(Font, CopyTakesValuesButNotTheHandler)
{
    TFont font;
    int changes = 0;
    font.OnChange = [&] { ++changes; };
    font.SetName("Courier New");
    TFont copy(font);
    EXPECT_EQ(copy.Name(), "Courier New");
    copy.SetName("Arial");
    EXPECT_EQ(changes, 1);
    copy = font; // assignment keeps the target's own handler and fires it
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.Name(), "Courier New");
}

TEST(Color, ComponentsAndSystemColours)
{
    EXPECT_EQ(RGB(0, 255, 64), 4259584u);
    EXPECT_EQ(fromQColor(QColor(241, 9, 254)), 16648689u);
    EXPECT_EQ(toQColor(clBtnFace), QColor(192, 192, 192));
    EXPECT_EQ(toQColor(cl3DLight), QColor(223, 223, 223));
    EXPECT_EQ(toQColor(clNavy), QColor(0, 0, 128));
    EXPECT_EQ(toQColor(clNone).alpha(), 0);
    EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
    EXPECT_EQ(ColorToRGB(clOlive), clOlive);
}
