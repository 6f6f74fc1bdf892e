// SPDX-License-Identifier: MIT
// What a person sees of the window: pictures, colours and places, rendered offscreen.
#include "tests/support/program.h"

#include "toolkit/canvas.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

struct Window : ::testing::Test {
    Program p;
    void SetUp() override
    {
        p.drives.write("d:\\roms\\.keep", "");
        p.settings({ "z:\\", "d:\\roms\\", "d:\\roms\\", "-", "1" });
        p.rom("d:\\roms\\", "alpha.v64", { .title = "ALPHA ADVENTURE" });
        p.rom("d:\\roms\\", "beta.v64", { .title = "BETA RACER" });
    }
    QImage shot() { return p.form->Render().copy(0, 0, 731, 548); }
    static QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }
    static int count(const QImage& image, QRect area, QRgb colour)
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    }
};

TEST_F(Window, KeepsItsSizeAndEveryVisibleComponentInside)
{
    auto& f = p.startAndSettle();
    EXPECT_EQ(f.Width(), 731);
    EXPECT_EQ(f.Height(), 548);
    for (auto* c : f.Controls()) {
        if (!c->Visible())
            continue;
        EXPECT_GE(c->Left(), 0) << c->Name();
        EXPECT_GE(c->Top(), -1) << c->Name(); // the "?" mark starts one pixel above
        EXPECT_LE(c->Left() + c->Width(), 731) << c->Name();
        EXPECT_LE(c->Top() + c->Height(), 548) << c->Name();
    }
}

TEST_F(Window, OnDemandPanelsLieWholeInsideWhenShown)
{
    auto& f = p.startAndSettle();
    for (tk::TPanel* panel : { f.zipram, f.Panel2, f.infop, f.Panel3, f.Panel4 }) {
        panel->Show();
        EXPECT_GE(panel->Left(), 0) << panel->Name();
        EXPECT_GE(panel->Top(), 0) << panel->Name();
        EXPECT_LE(panel->Left() + panel->Width(), f.Width()) << panel->Name();
        EXPECT_LE(panel->Top() + panel->Height(), f.Height()) << panel->Name();
        panel->Hide();
    }
}

TEST_F(Window, ConsoleShowsGreenTextOnItsBlueBackdrop)
{
    p.startAndSettle();
    QImage image = shot();
    QRect console(13, 114, 142, 99);
    QColor backdrop = image.pixelColor(80, 110);
    EXPECT_GT(backdrop.blue(), 60) << "the dark blue backdrop shows around the text";
    EXPECT_LT(backdrop.red(), 40);
    EXPECT_GT(count(image, console, rgb(0, 255, 0)), 50) << "the detail lines are typed in lime";
}

TEST_F(Window, TableTextIsSilverAndTheSelectedRowHighlighted)
{
    auto& f = p.startAndSettle();
    p.clickRow(f.disk, 0);
    QImage image = shot();
    // Row 1 of the archive table: silver text on black.
    QRect row1(170, 64 + 17, 144, 16);
    EXPECT_GT(count(image, row1, rgb(192, 192, 192)), 20);
    // Row 0 is selected: navy behind white text.
    EXPECT_EQ(image.pixel(300, 64 + 1), rgb(0, 0, 128));
}

TEST_F(Window, GaugeFillsFromTheBottomInProportion)
{
    p.rom("z:\\", "big.v64", { .size = 368 * 131072 }); // half of 736
    auto& f = p.startAndSettle();
    ASSERT_EQ(f.full->Progress(), 368);
    QImage image = shot();
    // Inside the one-pixel border the bar is 110 pixels long: 55 filled from the bottom.
    const QRgb fill = rgb(0, 64, 128), back = rgb(128, 128, 128);
    EXPECT_EQ(image.pixel(722, 394 + 110), fill);
    EXPECT_EQ(image.pixel(722, 394 + 56), fill);
    EXPECT_EQ(image.pixel(722, 394 + 55), back);
    EXPECT_EQ(image.pixel(722, 394 + 2), back);
    EXPECT_EQ(image.pixel(716, 450), rgb(0, 0, 0)) << "black border";
}

TEST_F(Window, HiddenPanelsAreNotDrawn)
{
    auto& f = p.startAndSettle();
    QImage before = shot();
    // Button-face grey of the drive panel and the category panel appears only when they show.
    QRect left(0, 0, 164, 502), middle(312, 112, 281, 185);
    EXPECT_EQ(count(before, middle, rgb(192, 192, 192)) < 200, true);
    f.zipram->Show();
    f.Panel2->Show();
    QImage after = shot();
    EXPECT_GT(count(after, left, rgb(192, 192, 192)), 20000);
    EXPECT_GT(count(after, middle, rgb(192, 192, 192)), 20000);
    EXPECT_LT(count(before, left, rgb(192, 192, 192)), 2000);
}

TEST_F(Window, TheTvScreenShowsThroughTheFrame)
{
    auto& f = p.startAndSettle();
    // The screen of the frame is see-through: the test card (or screenshot) lies beneath it.
    f.box->Picture().Assign(f.testpic->Picture());
    QImage image = shot();
    QImage card = f.testpic->Picture().Bitmap().Image();
    int same = 0;
    for (int y = 10; y < 110; y += 10)
        for (int x = 10; x < 150; x += 10)
            same += image.pixel(20 + x, 369 + y) == card.pixel(x, y);
    EXPECT_GT(same, 120) << "the picture beneath is seen through the screen";
    // The frame itself is drawn around the screen.
    EXPECT_NE(image.pixel(5, 400), rgb(0, 0, 0));
}

TEST_F(Window, ConsoleShowsAnAmpersandAsItIs)
{
    auto& f = p.startAndSettle();
    f.sysdis("A&B");
    EXPECT_EQ(f.l9->Caption(), "A&B");
    EXPECT_FALSE(f.l9->ShowAccelChar());
    EXPECT_TRUE(f.button2->ShowAccelChar()) << "the drive label shows && as one ampersand";
}

// The addresses are ours to choose: each shows whole, in its link and in the console's about lines.
TEST_F(Window, TheAboutPanelsAddressesShowWhole)
{
    auto& f = p.startAndSettle();
    auto fits = [](const tk::TControl* c, const std::string& text) {
        QImage scratch(1, 1, QImage::Format_RGB32);
        tk::TCanvas canvas(scratch);
        canvas.Font().Assign(c->Font());
        return canvas.TextWidth(text.substr(0, text.find_last_not_of(' ') + 1)) <= c->Width();
    };
    for (auto* link : { f.CorvaneURLLabel1, f.CorvaneURLLabel2, f.CorvaneURLLabel3, f.CorvaneURLLabel4 })
        EXPECT_TRUE(fits(link, link->Caption())) << link->Caption();
    p.click(f.Label8);
    for (const auto& line : f.sysmem->Lines().Lines())
        EXPECT_TRUE(fits(f.l9, line)) << line;
}

}
