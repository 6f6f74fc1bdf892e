// SPDX-License-Identifier: MIT
#include "tests/components/form_fixture.h"
#include "toolkit/application.h"
#include "toolkit/clipboard.h"
#include "toolkit/memo.h"
#include "toolkit/rich_edit.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>

using namespace tk;

namespace {

class MemoTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Application().SetClipboard(std::make_unique<TClipboard>());
        memo = new TMemo(form.get(), "Memo");
        memo->SetBounds(10, 10, 200, 120);
        memo->SetWordWrap(false);
        memo->OnChange = [this](TObject*) { ++changes; };
        click(20, 20);
    }
    TMemo* memo { nullptr };
    int changes { 0 };
};

TEST_F(MemoTest, TypingEditsLinesThatTheProgramReadsAsAStringList)
{
    ASSERT_TRUE(memo->Focused());
    type("cheat one");
    key(VK_RETURN);
    type("cheat 2x");
    key(VK_BACK);
    EXPECT_EQ(memo->Lines().Lines(), (std::vector<std::string> { "cheat one", "cheat 2" }));
    EXPECT_EQ(memo->Text(), "cheat one\r\ncheat 2\r\n");
    EXPECT_GT(changes, 0);
    // Selecting with Shift and the caret keys, then typing over the selection.
    key(VK_HOME, ssShift);
    EXPECT_EQ(memo->SelText(), "cheat 2");
    type("\xE9");
    key(VK_UP);
    key(VK_END);
    key(VK_DELETE); // joins the lines
    EXPECT_EQ(memo->Lines().Lines(), (std::vector<std::string> { "cheat one\xE9" }));

    // Lines set by the program show in the editor at once.
    memo->Lines().SetLines({ "a", "b" });
    memo->SelectAll();
    EXPECT_EQ(memo->SelText(), "a\r\nb\r\n");
    memo->Lines().Clear();
    memo->SelectAll();
    EXPECT_EQ(memo->SelText(), "");
}

TEST_F(MemoTest, ClipboardKeysAndLimits)
{
    type("abc");
    key('A', ssCtrl);
    key('X', ssCtrl);
    EXPECT_EQ(Application().Clipboard().AsText(), "abc");
    EXPECT_EQ(memo->Text(), "");
    key('V', ssCtrl);
    key('V', ssCtrl);
    EXPECT_EQ(memo->Text(), "abcabc\r\n");

    memo->SetMaxLength(8);
    key('V', ssCtrl);
    type("zz");
    EXPECT_EQ(memo->Text(), "abcabcab\r\n");
    memo->SetReadOnly(true);
    key(VK_BACK);
    type("q");
    EXPECT_EQ(memo->Text(), "abcabcab\r\n");
}

TEST_F(MemoTest, AHiddenMemoCopiesItsLinesEachWithItsLineBreak)
{
    auto* list = new TMemo(form.get(), "list");
    list->Hide();
    list->Lines().Clear();
    list->Lines().Add("r:\\ram\\boxart\\mario.bmp");
    list->SelectAll();
    list->CopyToClipboard();
    EXPECT_EQ(Application().Clipboard().AsText(), "r:\\ram\\boxart\\mario.bmp\r\n");
}

TEST_F(MemoTest, TheTextIsPaintedAndFollowsTheCaret)
{
    for (int i = 0; i < 30; ++i) {
        type("line");
        key(VK_RETURN);
    }
    type("LAST");
    auto inkIn = [this](int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            for (int x = 14; x < 60; ++x)
                if (pixel(x, y) == clBlack)
                    return true;
        return false;
    };
    EXPECT_TRUE(inkIn(100, 128)); // the caret's line at the bottom
    key(VK_HOME, ssCtrl);
    EXPECT_TRUE(inkIn(12, 30));
}

class RichEditTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Application().SetClipboard(std::make_unique<TClipboard>());
        rich = new TRichEdit(form.get(), "Rich");
        rich->SetBounds(10, 10, 300, 150);
    }
    bool boldAt(int position)
    {
        QTextCursor cursor(&rich->Document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().fontWeight() >= QFont::Bold;
    }
    TRichEdit* rich { nullptr };
};

TEST_F(RichEditTest, LoadsRichTextOrPlainTextAndSavesRichText)
{
    rich->LoadFromStream("{\\rtf1\\ansi {\\b Bold} plain\\par second}");
    EXPECT_EQ(rich->Lines().Lines(), (std::vector<std::string> { "Bold plain", "second" }));
    EXPECT_TRUE(boldAt(0));
    EXPECT_FALSE(boldAt(6));
    std::string saved = rich->SaveToStream();
    EXPECT_EQ(saved.rfind("{\\rtf1", 0), 0u);

    rich->LoadFromStream("Just text \xE9\r\nline two\r\n");
    EXPECT_EQ(rich->Lines().Lines(), (std::vector<std::string> { "Just text \xE9", "line two" }));
    rich->LoadFromStream(saved);
    EXPECT_TRUE(boldAt(0));
    EXPECT_EQ(rich->Text(), "Bold plain\r\nsecond\r\n");
}

TEST_F(RichEditTest, CopiesInThreeFormsAndPastesTheRichestOffered)
{
    rich->LoadFromStream("{\\rtf1\\ansi {\\b Bold} plain}");
    rich->SelectAll();
    rich->CopyToClipboard();
    auto& clipboard = Application().Clipboard();
    EXPECT_EQ(clipboard.AsText(), "Bold plain");
    EXPECT_EQ(clipboard.AsRtf().rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(clipboard.AsHtml().find("Bold"), std::string::npos);

    rich->Clear();
    rich->PasteFromClipboard();
    EXPECT_EQ(rich->Text(), "Bold plain\r\n");
    EXPECT_TRUE(boldAt(0));

    rich->Clear();
    clipboard.SetAsFormats("plain only", {}, "<b>from html</b>");
    rich->PasteFromClipboard();
    EXPECT_EQ(rich->Text(), "from html\r\n");
    EXPECT_TRUE(boldAt(0));

    rich->SelectAll();
    clipboard.SetAsText("text");
    rich->PasteFromClipboard();
    EXPECT_EQ(rich->Text(), "text\r\n");
}

// The same control shows one text after another: each is laid out unshaped only if it holds a
// very long paragraph, whichever way it came in.
TEST_F(RichEditTest, OnlyATextWithAVeryLongParagraphIsLaidOutUnshaped)
{
    auto unshaped = [this] { return (rich->Document().defaultFont().styleStrategy() & QFont::PreferNoShaping) != 0; };
    std::string line(20000, 'x');
    rich->LoadFromStream(line);
    EXPECT_TRUE(unshaped());
    rich->Font().SetSize(14);
    EXPECT_TRUE(unshaped());
    rich->LoadFromStream("short\r\nlines\r\n");
    EXPECT_FALSE(unshaped());
    rich->LoadFromStream("{\\rtf1\\ansi " + line + "\\par}");
    EXPECT_TRUE(unshaped());
    rich->SetText("short\r\n");
    EXPECT_FALSE(unshaped());
    rich->SetText("a\r\n" + line + "\r\n");
    EXPECT_TRUE(unshaped());
}

}
