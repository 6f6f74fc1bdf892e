// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

#include "catalogue/text.h"
#include "platform/fault.h"
#include "toolkit/clipboard.h"

#include <QTextCursor>

namespace {

using platform::Fault;

class Editors : public GameFiles {
protected:
    void twoGames()
    {
        p.rom("d:\\roms\\", "luigi.v64", { .title = "LUIGI" });
        p.rom("d:\\roms\\", "mario.v64", { .title = "SUPER MARIO 64" });
    }
    void typeInto(tk::TControl* editor, const std::string& text)
    {
        p.click(editor);
        for (char c : text)
            p.type(c);
    }
    bool rtf(const std::string& winPath) const { return content(winPath).rfind("{\\rtf1", 0) == 0; }
};

TEST_F(Editors, InfoOpensTheGamesTextAndClosingSavesItAsRichText)
{
    twoGames();
    file("d:\\ram\\mario.nfo", "{\\rtf1\\ansi Jump {\\b high}.\\par}");
    auto& f = start();
    pickDisk(1);
    typed->clear();
    press(f.b5);
    EXPECT_TRUE(f.infop->Visible());
    EXPECT_EQ(f.Label3->Caption(), "SUPER MARIO 64");
    EXPECT_EQ(f.info->Lines()[0], "Jump high.");
    // The lines are queued, typed one after another by the console's timer.
    EXPECT_TRUE(typed->lines.empty());
    p.drain();
    EXPECT_EQ(typed->lines, (Lines { " ", "Opening mario.nfo", " " }));

    f.info->SetSelection(0, 0);
    typeInto(f.info, "");
    f.info->SetSelection(0, 0);
    for (char c : std::string("Very "))
        p.type(c);
    typed->clear();
    p.click(f.Button3);
    p.drain();
    EXPECT_EQ(typed->lines, (Lines { " ", "Closing mario.nfo", " " }));
    EXPECT_FALSE(f.infop->Visible());
    ASSERT_TRUE(rtf("d:\\ram\\mario.nfo"));
    tk::TRichEdit check(&f, "check");
    check.LoadFromFile("d:\\ram\\mario.nfo");
    EXPECT_EQ(check.Text(), "Very Jump high.\r\n");
}

TEST_F(Editors, NoFileOpensEmptyAndOnlyTextMakesOne)
{
    twoGames();
    auto& f = start();
    pickDisk(1);
    press(f.b5);
    EXPECT_EQ(f.info->Text(), "");
    p.click(f.Button3);
    EXPECT_FALSE(exists("d:\\ram\\mario.nfo"));
    press(f.b5);
    typeInto(f.info, "A platform game");
    p.click(f.Button3);
    EXPECT_TRUE(rtf("d:\\ram\\mario.nfo"));
}

TEST_F(Editors, PlainInfoIsRewrittenAsRichTextButAnEmptiedOneIsKept)
{
    twoGames();
    file("d:\\ram\\mario.nfo", "Plain words \xE9\r\n");
    file("d:\\ram\\luigi.nfo", "Keep me\r\n");
    auto& f = start();
    pickDisk(1);
    press(f.b5);
    EXPECT_EQ(f.info->Text(), "Plain words \xE9\r\n");
    p.click(f.Button3);
    EXPECT_TRUE(rtf("d:\\ram\\mario.nfo"));

    pickDisk(0);
    press(f.b5);
    f.info->SelectAll();
    f.info->ClearSelection();
    p.click(f.Button3);
    EXPECT_EQ(content("d:\\ram\\luigi.nfo"), "Keep me\r\n");
}

TEST_F(Editors, CopyToClipEmptiesTheEditorAndPasteInsertsAtTheCaret)
{
    twoGames();
    file("d:\\ram\\mario.nfo", "{\\rtf1\\ansi Old text\\par}");
    auto& f = start();
    pickDisk(1);
    press(f.b5);
    p.click(f.Button4);
    EXPECT_EQ(p.clipboard(), "Old text");
    EXPECT_EQ(trim(f.info->Text()), "");
    p.click(f.Button3);
    EXPECT_EQ(content("d:\\ram\\mario.nfo"), "{\\rtf1\\ansi Old text\\par}");

    press(f.b5);
    f.info->SetSelection(4, 0);
    tk::Application().Clipboard().SetAsText("pasted ");
    p.click(f.Button5);
    EXPECT_EQ(f.info->Lines()[0], "Old pasted text");
}

TEST_F(Editors, AZipGamesInfoComesFromRamPath)
{
    p.rom("z:\\", "wario.v64", { .title = "WARIO" });
    file("z:\\wario.nfo", "{\\rtf1 on the Zip disk}");
    file("d:\\ram\\wario.nfo", "{\\rtf1 in the archive}");
    auto& f = start();
    pickZip(0);
    press(f.b5);
    EXPECT_EQ(f.info->Lines()[0], "in the archive");
    typeInto(f.info, "!");
    p.click(f.Button3);
    EXPECT_EQ(content("z:\\wario.nfo"), "{\\rtf1 on the Zip disk}");
    EXPECT_TRUE(rtf("d:\\ram\\wario.nfo"));
}

TEST_F(Editors, OpeningAgainForAnotherGameSavesTheOpenTextFirst)
{
    twoGames();
    file("d:\\ram\\luigi.zcc", "luigi cheat\r\n");
    auto& f = start();
    pickDisk(1);
    f.ViewEditZCC1->Click();
    typeInto(f.zcc, "mario cheat");
    // The archive table still shows left of the cheat panel.
    pickDisk(0);
    ASSERT_EQ(f.SelectedGame, "luigi");
    typed->clear();
    f.ViewEditZCC1->Click();
    p.drain();
    // The closing lines name the game selected now, as the Close button's do.
    EXPECT_EQ(typed->starting("Clos"), (Lines { "Closing luigi.zcc" }));
    EXPECT_EQ(content("d:\\ram\\mario.zcc"), "mario cheat\r\n");
    EXPECT_EQ(f.zcc->Text(), "luigi cheat\r\n");
    EXPECT_EQ(f.Label9->Caption(), "LUIGI");
    p.click(f.Button6);

    // The info panel covers the tables; the keyboard still moves the selection.
    f.disk->SetRow(1);
    f.m5->Click();
    typeInto(f.info, "mario info");
    f.disk->SetRow(0);
    f.m5->Click();
    EXPECT_TRUE(rtf("d:\\ram\\mario.nfo"));
    EXPECT_EQ(f.info->Text(), "");
    EXPECT_EQ(f.Label3->Caption(), "LUIGI");
}

TEST_F(Editors, ZccIsPlainTextWithCrLfAndKeptWhenEmptied)
{
    twoGames();
    file("d:\\ram\\mario.zcc", "first\nsecond\n");
    auto& f = start();
    pickDisk(1);
    typed->clear();
    f.ViewEditZCC1->Click();
    p.drain();
    EXPECT_EQ(typed->lines, (Lines { " ", "Opening mario.zcc", " " }));
    EXPECT_TRUE(f.Panel3->Visible());
    EXPECT_EQ(f.zcc->Lines().Lines(), (Lines { "first", "second" }));
    p.click(f.Button6);
    EXPECT_EQ(content("d:\\ram\\mario.zcc"), "first\r\nsecond\r\n");
    EXPECT_FALSE(f.Panel3->Visible());

    f.ViewEditZCC1->Click();
    f.zcc->SelectAll();
    f.zcc->ClearSelection();
    p.click(f.Button6);
    EXPECT_EQ(content("d:\\ram\\mario.zcc"), "first\r\nsecond\r\n");
}

TEST_F(Editors, AFailedSaveIsReportedAndTheEditorStaysOpen)
{
    twoGames();
    auto& f = start();
    pickDisk(1);
    press(f.b5);
    typeInto(f.info, "unsaved words");
    fail(Fault(Fault::Op::Write, Fault::Kind::Refuse, "mario.nfo"));
    p.click(f.Button3);
    ASSERT_EQ(p.dialogs->boxes.size(), 1u);
    EXPECT_NE(p.dialogs->boxes[0].text.find("mario.nfo"), std::string::npos);
    EXPECT_TRUE(f.infop->Visible());
    EXPECT_EQ(f.info->Text(), "unsaved words\r\n");
    EXPECT_FALSE(exists("d:\\ram\\mario.nfo"));
    platform::FileSystem::instance().clearFaults();
    p.click(f.Button3);
    EXPECT_TRUE(rtf("d:\\ram\\mario.nfo"));
}

}
