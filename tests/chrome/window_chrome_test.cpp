// SPDX-License-Identifier: MIT
#include "tests/chrome/chrome_fixture.h"

#include "toolkit/application.h"

namespace {

using Lines = std::vector<std::string>;

class LogoDrag : public ChromeTest {
protected:
    TForm1& startWithGames(int count)
    {
        for (int i = 0; i < count; ++i) {
            std::string n = std::to_string(1000 + i).substr(1);
            p.rom("d:\\roms\\", "g" + n + ".v64", { .title = "GAME " + n });
        }
        auto& f = p.startAndSettle();
        p.clickRow(f.disk, 0);
        p.drain();
        return f;
    }
    // Presses the logo at (8, grabY) of the logo and moves the pointer to logoY, both in the
    // logo's coordinates at the moment of pressing.
    void press(int grabY)
    {
        origin = p.form->nlogo->ClientToForm({ 0, 0 });
        p.form->DispatchMouseDown(tk::mbLeft, 0, origin.X + 8, origin.Y + grabY);
    }
    void moveTo(int logoY) { p.form->DispatchMouseMove(0, origin.X + 8, origin.Y + logoY); }
    void release(int logoY) { p.form->DispatchMouseUp(tk::mbLeft, 0, origin.X + 8, origin.Y + logoY); }

    tk::TPoint origin {};
};

TEST_F(LogoDrag, OneRowKeepsRowZeroAndLetsTheLogoFollow)
{
    auto& f = startWithGames(1);
    press(5);
    moveTo(5 + 50);
    EXPECT_EQ(f.nlogo->Top(), 50);
    EXPECT_EQ(f.disk->Row(), 0);
    EXPECT_EQ(f.sysmem->Lines().Count(), 0) << "no row change, no details";
    moveTo(5 + 400);
    EXPECT_EQ(f.nlogo->Top(), 237);
    release(5 + 400);
}

TEST_F(LogoDrag, HundredRowsStepFromRowToRow)
{
    auto& f = startWithGames(100);
    ASSERT_EQ(f.disk->RowCount(), 100);
    press(5);
    moveTo(5 + 118);
    EXPECT_EQ(f.disk->Row(), 49);
    EXPECT_EQ(f.nlogo->Top(), 117) << "the selection puts the logo at row 49's own place";
    EXPECT_EQ(f.SelectedGame, "g049");
    EXPECT_GT(f.sysmem->Lines().Count(), 0) << "the details of the game under the logo";

    moveTo(5 + 119);
    EXPECT_EQ(f.nlogo->Top(), 119) << "moves that keep the row let the logo follow the pointer";
    EXPECT_EQ(f.disk->Row(), 49);

    moveTo(5 + 1000);
    EXPECT_EQ(f.disk->Row(), 99);
    EXPECT_EQ(f.nlogo->Top(), 237);
    EXPECT_EQ(f.SelectedGame, "g099");

    moveTo(5 - 1000);
    EXPECT_EQ(f.disk->Row(), 0);
    EXPECT_EQ(f.nlogo->Top(), 0);
    release(5 - 1000);
}

TEST_F(LogoDrag, OnlyAHeldButtonDrags)
{
    auto& f = startWithGames(100);
    origin = f.nlogo->ClientToForm({ 0, 0 });
    p.form->DispatchMouseMove(0, origin.X + 8, origin.Y + 8);
    p.form->DispatchMouseMove(0, origin.X + 8, origin.Y + 16);
    EXPECT_EQ(f.nlogo->Top(), 0);

    press(5);
    moveTo(5 + 60);
    int top = f.nlogo->Top();
    int row = f.disk->Row();
    ASSERT_GT(row, 0);
    release(5 + 60);
    origin = f.nlogo->ClientToForm({ 0, 0 });
    moveTo(5 + 100);
    EXPECT_EQ(f.nlogo->Top(), top);
    EXPECT_EQ(f.disk->Row(), row);
}

TEST_F(LogoDrag, AnyButtonStartsTheDrag)
{
    auto& f = startWithGames(100);
    origin = f.nlogo->ClientToForm({ 0, 0 });
    p.form->DispatchMouseDown(tk::mbRight, 0, origin.X + 8, origin.Y + 5);
    moveTo(5 + 237);
    EXPECT_EQ(f.disk->Row(), 99);
    p.form->DispatchMouseUp(tk::mbRight, 0, origin.X + 8, origin.Y + 5 + 237);
}

class WindowChrome : public ChromeTest {
protected:
    std::string iniText() const { return p.drives.read(p.startDir() + "tavisco.ini"); }
};

TEST_F(WindowChrome, TitlePictureDragsTheWindow)
{
    auto& f = p.startAndSettle();
    int left = f.Left(), top = f.Top();
    tk::TPoint grab = f.Image4->ClientToForm({ 100, 20 });
    f.DispatchMouseDown(tk::mbLeft, 0, grab.X, grab.Y);
    f.DispatchMouseMove(0, grab.X + 30, grab.Y - 10);
    EXPECT_EQ(f.Left(), left + 30);
    EXPECT_EQ(f.Top(), top - 10);
    // The pointer stays on the screen while the window follows: the picture sees it at the grab point.
    f.DispatchMouseMove(0, grab.X, grab.Y);
    EXPECT_EQ(f.Left(), left + 30);
    f.DispatchMouseMove(0, grab.X - 5, grab.Y + 7);
    EXPECT_EQ(f.Left(), left + 25);
    EXPECT_EQ(f.Top(), top - 3);
    f.DispatchMouseUp(tk::mbLeft, 0, grab.X, grab.Y);

    f.DispatchMouseMove(0, grab.X + 40, grab.Y + 40);
    EXPECT_EQ(f.Left(), left + 25) << "no drag without the button";
    EXPECT_EQ(f.Top(), top - 3);
}

TEST_F(WindowChrome, AboutTogglesThePanelAndShowsItsLinesOnlyWhenOpened)
{
    auto& f = p.startAndSettle();
    EXPECT_FALSE(f.Panel4->Visible());
    EXPECT_EQ(f.Label7->Caption(), "Tavisco 64");
    p.click(f.Label8);
    EXPECT_TRUE(f.Panel4->Visible());
    EXPECT_EQ(f.Label7->Caption(), "Tavisco 64 V2.41");
    const Lines about { "Tavisco 64 V2.41", "written by the Tavisco team", "          hi@tavisco.example ", " ",
        "for latest version visit:", "        www.tavisco.example" };
    Lines queued = f.sysmem->Lines().Lines();
    ASSERT_EQ(queued.size(), 16u);
    EXPECT_EQ(Lines(queued.begin(), queued.begin() + 10), Lines(10, " "));
    EXPECT_EQ(Lines(queued.begin() + 10, queued.end()), about);
    p.drain();
    Lines shown = p.console();
    EXPECT_EQ(Lines(shown.begin() + 3, shown.end()), about);

    p.click(f.Label8);
    EXPECT_FALSE(f.Panel4->Visible());
    EXPECT_EQ(f.sysmem->Lines().Count(), 0) << "hiding queues nothing";
    shown = p.console();
    EXPECT_EQ(Lines(shown.begin() + 3, shown.end()), about);
}

TEST_F(WindowChrome, CloseInTheAboutPanelHidesIt)
{
    auto& f = p.startAndSettle();
    p.click(f.Label8);
    p.drain();
    p.click(f.Label14);
    EXPECT_FALSE(f.Panel4->Visible());
    EXPECT_EQ(f.sysmem->Lines().Count(), 0);
    p.click(f.Label8);
    EXPECT_TRUE(f.Panel4->Visible()) << "the next About opens it again";
}

TEST_F(WindowChrome, CloseButtonSavesTheSettingsAndEndsTheProgram)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    auto& f = p.startAndSettle();
    p.click(f.ddmode);
    ASSERT_EQ(iniText(), "z:\\\r\nd:\\roms\\\r\nd:\\ram\\\r\n-\r\n1\r\n");
    p.click(f.cls);
    EXPECT_EQ(iniText(), "z:\\\r\nd:\\roms\\\r\nd:\\ram\\\r\n\r\n2\r\n");
    EXPECT_TRUE(tk::Application().Terminated());
    EXPECT_TRUE(f.Visible()) << "the window's close handler does not run";
}

}
