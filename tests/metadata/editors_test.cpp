// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

#include "catalogue/text.h"
#include "fileops/backup.h"
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
    // The file came from elsewhere: it may hold more than the editor shows, so it is kept first.
    EXPECT_EQ(typed->lines, (Lines { " ", "Closing mario.nfo", " ", "Kept the original mario.nfo" }));
    EXPECT_FALSE(f.infop->Visible());
    ASSERT_TRUE(rtf("d:\\ram\\mario.nfo"));
    tk::TRichEdit check(&f, "check");
    check.LoadFromFile("d:\\ram\\mario.nfo");
    EXPECT_EQ(check.Text(), "Very Jump high.\r\n");
}

// Files from word processors hold much the editor does not show; none of it may be lost.
TEST_F(Editors, ForeignRichTextIsKeptByteForByteAndBackedUpBeforeAnEditReplacesIt)
{
    twoGames();
    const std::string foreign = "{\\rtf1\\ansi{\\info{\\title T}{\\author A}}{\\fonttbl{\\f0 Arial;}}"
                                "\\trowd\\cellx1000\\intbl one\\cell\\row\\pard{\\pict\\pngblip 89504e47}"
                                "First{\\v  secret}\\page Second{\\footnote note}\\par}";
    const std::string damaged = "{\\rtf1 Before}\\par After \\bin99999 tail}";
    file("d:\\ram\\mario.nfo", foreign);
    file("d:\\ram\\luigi.nfo", damaged);
    auto& f = start();
    pickDisk(0);
    press(f.b5);
    EXPECT_EQ(f.info->Lines().Lines(), (Lines { "Before", "After tail" }));
    p.click(f.Button3);
    pickDisk(1);
    press(f.b5);
    Lines shown;
    for (const std::string& line : f.info->Lines().Lines())
        if (!line.empty())
            shown.push_back(line);
    EXPECT_EQ(shown, (Lines { "one", "First", "Second" }));
    p.click(f.Button3);
    EXPECT_EQ(content("d:\\ram\\mario.nfo"), foreign);
    EXPECT_EQ(content("d:\\ram\\luigi.nfo"), damaged);
    EXPECT_FALSE(exists("d:\\ram\\backup"));

    // No copy, no change: the edit stays in the open editor.
    press(f.b5);
    typeInto(f.info, "New ");
    fail(Fault(Fault::Op::CreateDirectory, Fault::Kind::Refuse, "backup"));
    p.click(f.Button3);
    ASSERT_EQ(p.dialogs->boxes.size(), 1u);
    EXPECT_TRUE(f.infop->Visible());
    EXPECT_EQ(content("d:\\ram\\mario.nfo"), foreign);
    platform::FileSystem::instance().clearFaults();

    typed->clear();
    p.click(f.Button3);
    p.drain();
    EXPECT_EQ(typed->starting("Kept"), (Lines { "Kept the original mario.nfo" }));
    Lines kept = dir("d:\\ram\\backup\\");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(kept[0].starts_with("mario.nfo.")) << kept[0];
    EXPECT_EQ(content("d:\\ram\\backup\\" + kept[0]), foreign);
    ASSERT_TRUE(rtf("d:\\ram\\mario.nfo"));

    // What the editor wrote itself holds nothing more: edited again, no second copy.
    press(f.b5);
    EXPECT_NE(f.info->Text().find("New"), std::string::npos);
    EXPECT_NE(f.info->Text().find("Second"), std::string::npos);
    typeInto(f.info, "!");
    p.click(f.Button3);
    EXPECT_EQ(dir("d:\\ram\\backup\\").size(), 1u);
}

TEST_F(Editors, BackupsAreNamedByTheirSecondAndTheTenNewestStay)
{
    file("d:\\ram\\mario.eep", "save");
    std::time_t noon = 1700000000;
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(keepBackup("d:\\ram\\mario.eep", "d:\\ram\\backup\\zip\\", noon + (i < 11 ? 0 : 1)));
    std::tm local {};
    localtime_r(&noon, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "mario.eep.%Y%m%d-%H%M%S", &local);
    std::string first = stamp;
    Lines names = dir("d:\\ram\\backup\\zip\\");
    // The two oldest of that second went; the one of the next second stays.
    Lines gone { first, first + "-2" };
    ASSERT_EQ(names.size(), 10u);
    for (const std::string& name : gone)
        EXPECT_EQ(std::count(names.begin(), names.end(), name), 0) << name;
    EXPECT_EQ(names.front(), first + "-10");
    EXPECT_EQ(content("d:\\ram\\backup\\zip\\" + names.back()), "save");
    fail(Fault(Fault::Op::Copy));
    EXPECT_FALSE(keepBackup("d:\\ram\\mario.eep", "d:\\ram\\backup\\", noon));
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

TEST_F(Editors, UndoStartsAtOpeningAndTheClipButtonsCarryEveryCharacter)
{
    twoGames();
    file("d:\\ram\\mario.nfo", "{\\rtf1 Old}");
    file("d:\\ram\\mario.zcc", "cheat\r\n");
    auto& f = start();
    pickDisk(1);
    auto keys = [&](unsigned short key, tk::TShiftState shift) { f.DispatchKeyDown(key, shift); };
    for (auto [editor, open] : { std::pair<tk::TTextEdit*, tk::TControl*> { f.info, f.b5 }, { f.zcc, nullptr } }) {
        if (open)
            press(open);
        else
            f.ViewEditZCC1->Click();
        std::string loaded = editor->Text();
        // Loading is not an edit: nothing to undo at first.
        typeInto(editor, "");
        keys('Z', tk::ssCtrl);
        EXPECT_EQ(editor->Text(), loaded);
        editor->SetSelection(0, 0);
        for (char c : std::string("new "))
            p.type(c);
        keys('Z', tk::ssCtrl);
        EXPECT_EQ(editor->Text(), loaded) << editor->Name();
        EXPECT_FALSE(editor->Modified());
        keys('Z', tk::ssCtrl | tk::ssShift);
        EXPECT_EQ(editor->Text(), "new " + loaded);
        keys('Z', tk::ssCtrl);
        keys('Y', tk::ssCtrl);
        EXPECT_EQ(editor->Text(), "new " + loaded);
    }
    p.click(f.Button6);

    // Pressed twice, "copy to Clip" must not throw away the only copy of the text.
    f.info->SelectAll();
    f.info->SetSelText("");
    tk::Application().Clipboard().SetAsFormats("Caf\u00e9 \u65e5\u672c \U0001F600", {}, {});
    p.click(f.Button5);
    EXPECT_EQ(f.info->Document().toRawText().toStdString(), "Caf\u00e9 \u65e5\u672c \U0001F600");
    p.click(f.Button4);
    p.click(f.Button4);
    EXPECT_EQ(tk::Application().Clipboard().AsUtf8Text(), "Caf\u00e9 \u65e5\u672c \U0001F600");
    tk::Application().Clipboard().SetAsFormats("\u65e5\u672c", {}, {});
    p.click(f.Button5);
    p.click(f.Button4);
    EXPECT_EQ(tk::Application().Clipboard().AsUtf8Text(), "\u65e5\u672c");
    EXPECT_NE(tk::Application().Clipboard().AsRtf().find("\\u26085"), std::string::npos);
}

// Today's desktops write plain text in UTF-8; older files are Windows-1252.
TEST_F(Editors, PlainTextThatIsUtf8IsReadAndKeptAsUtf8)
{
    twoGames();
    file("d:\\ram\\mario.nfo", "Caf\xC3\xA9 \xE6\x97\xA5\r\n");
    file("d:\\ram\\mario.zcc", "Caf\xC3\xA9 \xF0\x9F\x98\x80\r\n");
    file("d:\\ram\\luigi.zcc", "Caf\xE9 \xC3\r\n");
    auto& f = start();
    pickDisk(1);
    press(f.b5);
    EXPECT_EQ(f.info->Document().toRawText(), u"Caf\u00e9 \u65e5"_qs);
    p.click(f.Button3);
    tk::TRichEdit check(&f, "check");
    check.Hide();
    check.LoadFromFile("d:\\ram\\mario.nfo");
    EXPECT_EQ(check.Document().toRawText(), u"Caf\u00e9 \u65e5"_qs);

    f.ViewEditZCC1->Click();
    EXPECT_EQ(f.zcc->Document().toRawText(), u"Caf\u00e9 \U0001F600"_qs);
    p.click(f.Button6);
    EXPECT_EQ(content("d:\\ram\\mario.zcc"), "Caf\xC3\xA9 \xF0\x9F\x98\x80\r\n");
    // Not UTF-8: Windows-1252, and saved so, unless a character needs more.
    pickDisk(0);
    f.ViewEditZCC1->Click();
    EXPECT_EQ(f.zcc->Text(), "Caf\xE9 \xC3\r\n");
    p.click(f.Button6);
    EXPECT_EQ(content("d:\\ram\\luigi.zcc"), "Caf\xE9 \xC3\r\n");
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
    // The closing lines name the file written, not the game selected now.
    EXPECT_EQ(typed->starting("Clos"), (Lines { "Closing mario.zcc" }));
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

// An operation on a game's files first closes its open editor as Close does; so does the end.
TEST_F(Editors, AnOperationOnTheGameOrTheEndClosesItsEditorFirst)
{
    twoGames();
    p.rom("z:\\", "mario.v64", { .title = "SUPER MARIO 64" });
    file("z:\\mario.zcc", "from the Zip disk\r\n");
    auto& f = start();
    pickDisk(1);
    f.ViewEditZCC1->Click();
    typeInto(f.zcc, "stale");
    pickZip(0);
    // The cheat panel covers the button; its click comes as the button's own.
    f.b3->Click();
    EXPECT_FALSE(f.Panel3->Visible());
    EXPECT_EQ(content("d:\\ram\\mario.zcc"), "from the Zip disk\r\n");

    // A rename takes the edit with it; nothing is left at the old name.
    pickDisk(1);
    press(f.b5);
    typeInto(f.info, "moved along");
    p.dialogs->answerQuery("peach");
    f.b4->Click();
    EXPECT_FALSE(f.infop->Visible());
    EXPECT_FALSE(exists("d:\\ram\\mario.nfo"));
    tk::TRichEdit check(&f, "check");
    check.Hide();
    check.LoadFromFile("d:\\ram\\peach.nfo");
    EXPECT_EQ(check.Text(), "moved along\r\n");

    // The end of the program closes an open editor too.
    f.ViewEditZCC1->Click();
    ASSERT_EQ(fileNameOf(f.ZccFile), "luigi.zcc");
    typeInto(f.zcc, "last words");
    f.Close();
    EXPECT_EQ(content("d:\\ram\\luigi.zcc"), "last words\r\n");
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
