// SPDX-License-Identifier: MIT
#include "tests/components/form_fixture.h"
#include "toolkit/canvas.h"
#include "toolkit/edit.h"

using namespace tk;

class EditTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        edit = new TEdit(form.get(), "Input");
        edit->SetBounds(10, 10, 200, 21);
        edit->OnChange = [this](TObject*) { changes.push_back(edit->Text()); };
        click(15, 20);
    }

    int textWidth(const std::string& text) const
    {
        QImage scratch(1, 1, QImage::Format_RGB32);
        TCanvas canvas(scratch);
        canvas.Font().Assign(edit->Font());
        return canvas.TextWidth(text);
    }

    TEdit* edit { nullptr };
    std::vector<std::string> changes;
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndReplacesTheSelection)
{
    ASSERT_TRUE(edit->Focused());
    type("hello");
    EXPECT_EQ(edit->Text(), "hello");
    EXPECT_EQ(changes.size(), 5u);
    key(VK_LEFT, ssShift);
    key(VK_LEFT, ssShift);
    EXPECT_EQ(edit->SelText(), "lo");
    type("p!");
    EXPECT_EQ(edit->Text(), "help!");

    key(VK_HOME);
    key(VK_RIGHT, ssShift);
    EXPECT_EQ(edit->SelText(), "h");
    key(VK_RIGHT);
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->CaretPos(), 1) << "an arrow collapses the selection at its end";
    type("\xE9"); // é in Windows-1252: a character like any other
    EXPECT_EQ(edit->Text(), "h\xE9" "elp!");
    type("\r\t\x1b");
    EXPECT_EQ(edit->Text(), "h\xE9" "elp!") << "control characters are not text";
}

TEST_F(EditTest, BackspaceAndDeleteRemoveOneCharacterOrTheSelection)
{
    type("abcdef");
    key(VK_BACK);
    EXPECT_EQ(edit->Text(), "abcde");
    key(VK_HOME);
    key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "bcde");
    changes.clear();
    key(VK_BACK);
    EXPECT_TRUE(changes.empty()) << "nothing before the caret, nothing changed";
    key(VK_END, ssShift);
    key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(changes, (std::vector<std::string> { "" }));
}

TEST_F(EditTest, ClipboardKeysCopyCutPasteAndSelectAll)
{
    type("one two");
    key('A', ssCtrl);
    key('C', ssCtrl);
    EXPECT_EQ(Application().Clipboard().AsText(), "one two");

    key(VK_END);
    key(VK_LEFT, ssShift | ssCtrl);
    EXPECT_EQ(edit->SelText(), "two");
    key('X', ssCtrl);
    EXPECT_EQ(edit->Text(), "one ");
    EXPECT_EQ(Application().Clipboard().AsText(), "two");

    Application().Clipboard().SetAsText("three\r\nfour");
    key('V', ssCtrl);
    EXPECT_EQ(edit->Text(), "one three") << "a one-line field takes the first line";
    edit->SetReadOnly(true);
    key('V', ssCtrl);
    type("x");
    EXPECT_EQ(edit->Text(), "one three");
}

TEST_F(EditTest, MaxLengthLimitsTypingAndPastingButNotCode)
{
    edit->SetMaxLength(5);
    type("abcdefg");
    EXPECT_EQ(edit->Text(), "abcde");
    key(VK_LEFT, ssShift);
    key(VK_LEFT, ssShift);
    type("X");
    EXPECT_EQ(edit->Text(), "abcX") << "typing over a selection has room";

    Application().Clipboard().SetAsText("123456");
    key('V', ssCtrl);
    EXPECT_EQ(edit->Text(), "abcX1");
    edit->SetText("longer than five");
    EXPECT_EQ(edit->Text(), "longer than five");
}

TEST_F(EditTest, SetTextReportsRealChangesOnlyAndAKeyHandlerCanSwallowAKey)
{
    edit->SetText("abc");
    edit->SetText("abc");
    EXPECT_EQ(changes, (std::vector<std::string> { "abc" }));
    EXPECT_EQ(edit->CaretPos(), 0);

    edit->OnKeyPress = [](TObject*, char& k) {
        if (k == 'q')
            k = 0;
        else if (k == 'u')
            k = 'U';
    };
    type("qu");
    EXPECT_EQ(edit->Text(), "Uabc");
}

TEST_F(EditTest, APressPlacesTheCaretAndShiftOrDragExtendTheSelection)
{
    edit->SetText("abcdef");
    // Field border 2, one pixel of indent, then the text.
    int textLeft = 10 + 3;
    click(textLeft + textWidth("ab"), 20);
    EXPECT_EQ(edit->CaretPos(), 2);
    click(textLeft + textWidth("abcd"), 20, ssShift);
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(edit->SelText(), "cd");
    click(205, 20);
    EXPECT_EQ(edit->CaretPos(), 6) << "past the end";

    form->DispatchMouseDown(mbLeft, 0, textLeft, 20);
    form->DispatchMouseMove(ssLeft, textLeft + textWidth("abc"), 20);
    form->DispatchMouseUp(mbLeft, 0, textLeft + textWidth("abc"), 20);
    EXPECT_EQ(edit->SelText(), "abc");
}

TEST_F(EditTest, CaretShowsOnlyWithFocusAndLongTextScrollsToIt)
{
    auto caretPixels = [&] {
        QImage image = form->Render();
        int n = 0;
        // Inside the two-pixel border.
        for (int y = 12; y < 29; ++y)
            for (int x = 12; x < 208; ++x)
                n += image.pixel(x, y) == qRgb(0, 0, 0);
        return n;
    };
    EXPECT_GT(caretPixels(), 5);
    auto* other = new TEdit(form.get(), "Other");
    other->SetBounds(10, 100, 50, 21);
    other->SetFocus();
    EXPECT_EQ(caretPixels(), 0);

    other->SetFocus();
    form->DispatchKeyPress('x');
    for (int i = 0; i < 20; ++i)
        form->DispatchKeyPress('W');
    QImage image = form->Render();
    int rightmostInk = 0;
    for (int x = 12; x < 58; ++x)
        for (int y = 102; y < 119; ++y)
            if (image.pixel(x, y) == qRgb(0, 0, 0))
                rightmostInk = std::max(rightmostInk, x);
    EXPECT_GT(rightmostInk, 50) << "the end of the text and the caret stay in view";
    EXPECT_EQ(other->PositionAt(57), 21);
}
