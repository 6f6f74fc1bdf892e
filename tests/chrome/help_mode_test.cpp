// SPDX-License-Identifier: MIT
#include "tests/chrome/chrome_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class HelpMode : public ChromeTest {
protected:
    // The topic a control shows when the pointer comes to it from the bare window.
    Lines topicOf(tk::TControl* control)
    {
        moveOverBackground();
        moveOver(control);
        auto queued = takeQueued();
        if (queued.size() < 10 || queued[0] != " ")
            return queued;
        return Lines(queued.begin() + 10, queued.end());
    }
};

TEST_F(HelpMode, SwitchingOnAndOffQueuesItsLinesAndBlinksTheMark)
{
    p.rom("d:\\roms\\", "a.v64");
    auto& f = p.startAndSettle();
    p.click(f.hcap);
    EXPECT_TRUE(f.HelpMode);
    EXPECT_EQ(f.sysmem->Lines().Lines(),
        (Lines { " ", "active helpmode enabled", " ", "move your mouse over the", "the interface for infos.", " " }));
    EXPECT_FALSE(f.hcap2->Visible());
    p.advance(500);
    EXPECT_TRUE(f.hcap2->Visible()) << "the yellow mark after 500 ms";
    p.advance(500);
    EXPECT_FALSE(f.hcap2->Visible());
    p.advance(500);
    ASSERT_TRUE(f.hcap2->Visible());
    p.drain();

    p.click(f.hcap); // the yellow mark lies on top and switches too
    EXPECT_FALSE(f.HelpMode);
    EXPECT_EQ(f.sysmem->Lines().Lines(), (Lines { " ", "active helpmode disabled", " " }));
    EXPECT_FALSE(f.hcap2->Visible());
    p.advance(2000);
    EXPECT_FALSE(f.hcap2->Visible()) << "the mark stays blue";
    EXPECT_FALSE(f.Timer4->Enabled());
}

TEST_F(HelpMode, SwitchingOnFollowsWhatIsStillQueued)
{
    p.rom("d:\\roms\\", "a.v64");
    auto& f = p.startAndSettle();
    p.clickRow(f.disk, 0);
    auto details = f.sysmem->Lines().Lines();
    ASSERT_FALSE(details.empty());
    p.click(f.hcap);
    auto queued = f.sysmem->Lines().Lines();
    ASSERT_EQ(queued.size(), details.size() + 6);
    EXPECT_TRUE(std::equal(details.begin(), details.end(), queued.begin()));
    EXPECT_EQ(queued[details.size() + 1], "active helpmode enabled");
}

TEST_F(HelpMode, EachVisitShowsATopicOnce)
{
    p.rom("d:\\roms\\", "a.v64");
    auto& f = startInHelpMode();
    f.b3->Show(); // b1 and b3 are not offered together; both are shown here so the pointer can pass
    ASSERT_TRUE(f.b1->Visible());
    moveOver(f.b1);
    EXPECT_EQ(topicShown(), "Copy selected game");
    EXPECT_EQ(f.CurrentHelpTopic, 6);
    moveOver(f.b1);
    EXPECT_EQ(topicShown(), "") << "moving within the control";
    moveOver(f.b3);
    EXPECT_EQ(topicShown(), "Update EEP,RAM & ZCC-");
    moveOver(f.b1);
    EXPECT_EQ(topicShown(), "Copy selected game");

    for (tk::TLabel* header : { f.c1, f.c2, f.c3, f.c4, f.c5, f.c6, f.c7 })
        moveOver(header);
    EXPECT_EQ(takeQueued().size(), 19u) << "one topic for all seven headers";
    EXPECT_EQ(f.CurrentHelpTopic, 12);
}

TEST_F(HelpMode, TheBareWindowForgetsTheTopic)
{
    p.rom("d:\\roms\\", "a.v64");
    auto& f = startInHelpMode();
    moveOver(f.cls);
    EXPECT_EQ(topicShown(), "Click here to close ");
    moveOverBackground();
    EXPECT_EQ(f.CurrentHelpTopic, 0);
    EXPECT_EQ(takeQueued(), Lines {}) << "the background queues nothing";
    moveOver(f.cls);
    EXPECT_EQ(topicShown(), "Click here to close ");
}

TEST_F(HelpMode, OffShowsNothingAndTheLastTopicSurvivesTheSwitch)
{
    p.rom("d:\\roms\\", "a.v64");
    auto& f = startInHelpMode();
    moveOver(f.b5);
    EXPECT_EQ(topicShown(), "Open the gameinfo for");
    p.click(f.hcap);
    p.drain();
    moveOver(f.b4);
    moveOverBackground();
    EXPECT_EQ(takeQueued(), Lines {});
    EXPECT_EQ(f.CurrentHelpTopic, 8) << "neither a control nor the background changes it while off";

    p.click(f.hcap);
    p.drain();
    moveOver(f.b5);
    EXPECT_EQ(topicShown(), "") << "the topic shown last stays quiet";
    moveOver(f.b4);
    EXPECT_EQ(topicShown(), "rename all files of ");
    moveOver(f.b5);
    EXPECT_EQ(topicShown(), "Open the gameinfo for");
}

TEST_F(HelpMode, ArchiveTopicShowsTheDoubleClickModeOfTheMoment)
{
    p.rom("d:\\roms\\", "a.v64");
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "2" });
    auto& f = startInHelpMode();
    EXPECT_EQ(topicOf(f.disk), (Lines { "Archive table", " ", "Click on a title to select", "a Game.", " ",
                                   "Doubleclick sets category", " ", "Rightclick for popupmenu", " " }));
    EXPECT_EQ(f.CurrentHelpTopic, 1);
    p.click(f.ddmode);
    p.drain();
    EXPECT_EQ(topicOf(f.disk)[5], "Doubleclick opens fileinfo");
}

TEST_F(HelpMode, EveryTopicIsNineLines)
{
    p.rom("d:\\roms\\", "a.v64");
    p.rom("d:\\roms\\", "b.v64");
    p.rom("z:\\", "b.v64");
    p.drives.write("z:\\b.eep", "x");
    auto& f = startInHelpMode();
    auto lines = [](Lines text) {
        text.resize(9, " ");
        return text;
    };
    struct Topic {
        tk::TControl* control;
        int number;
        Lines text;
    };
    const Topic topics[] = {
        { f.zip, 2, lines({ "Zipdisc table", " ", "Click on a title to select", "a Game.", " ", "Rightclick for popupmenu" }) },
        { f.pic, 5, lines({ "Boxart", " ", "Click here to copy", "the required picname", "to the clipboard." }) },
        { f.b1, 6, lines({ "Copy selected game", "and all required files", "to zipdisc." }) },
        { f.b5, 8, lines({ "Open the gameinfo for", "the selected game." }) },
        { f.b4, 9, lines({ "rename all files of ", "the selected game. " }) },
        { f.c4, 12, lines({ "Click on a Col-title", "to sort the archive." }) },
        { f.cls, 13, lines({ "Click here to close ", "Tavisco V2.41." }) },
        { f.button2, 14, lines({ "Click here to select", "ROM-Drive letter,", "ZIP-Drive letter and", "RAM-Drive & Dir." }) },
        { f.Panel1, 16, lines({ "Move N64-Logo to scroll", "the archive." }) },
        { f.ddmode, 17, { "Change doubleclickmode", "for archivetable.", " ", "Choose between: ", " ", "1. Copy to zipdisc",
                            "2. Set category", "3. Show filwinfo", " " } },
        { f.Image5, 18, lines({ "Screenshot", " ", "Click here to copy", "the required picname", "to the clipboard." }) },
    };
    for (const auto& topic : topics) {
        EXPECT_EQ(topicOf(topic.control), topic.text) << topic.control->Name();
        EXPECT_EQ(f.CurrentHelpTopic, topic.number) << topic.control->Name();
    }

    p.clickRow(f.zip, 0);
    p.drain();
    const Topic zipButtons[] = {
        { f.b3, 7, lines({ "Update EEP,RAM & ZCC-", "Files from Zipdisc to HD" }) },
        { f.b6, 11, lines({ "delete the selected", "Game from Zipdisc.", " ", "Rightclick to clear", "the entire Zipdisc." }) },
    };
    for (const auto& topic : zipButtons) {
        ASSERT_TRUE(topic.control->Visible()) << topic.control->Name();
        EXPECT_EQ(topicOf(topic.control), topic.text) << topic.control->Name();
        EXPECT_EQ(f.CurrentHelpTopic, topic.number);
    }
    // b2 is offered only for a game the archive lacks, which hides b3.
    f.b2->Show();
    EXPECT_EQ(topicOf(f.b2), lines({ "Copy selected game", "and all required files", "to archive on hd." }));

    p.click(f.button2);
    ASSERT_TRUE(f.zipram->Visible());
    EXPECT_EQ(topicOf(f.romdir), lines({ "Romdir browser", " ", "Select the directory", "where your ROM-files", "normaly are." }));
    EXPECT_EQ(f.CurrentHelpTopic, 3);
}

}
