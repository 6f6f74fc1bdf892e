// SPDX-License-Identifier: MIT
#include "tests/components/form_fixture.h"
#include "toolkit/list_box.h"

using namespace tk;

namespace {

using Lines = std::vector<std::string>;

}

class ListBoxTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        list = new TListBox(form.get(), "List");
        // Border 2 + three whole lines of 13.
        list->SetBounds(10, 20, 150, 2 * 2 + 3 * 13);
        list->OnClick = [this](TObject*) { clicks.push_back(list->ItemIndex()); };
        list->OnDblClick = [this](TObject*) { ++doubleClicks; };
    }

    // Form coordinates of the middle of the n-th visible line.
    int lineY(int n) const { return 20 + 2 + n * 13 + 6; }

    TListBox* list { nullptr };
    std::vector<int> clicks;
    int doubleClicks { 0 };
};

TEST_F(ListBoxTest, SortedKeepsLinesInOrderIgnoringCase)
{
    list->Items().Add("gamma");
    list->Items().Add("Beta");
    list->Items().Add("alpha");
    EXPECT_EQ(list->Items().Lines(), (Lines { "gamma", "Beta", "alpha" }));

    list->SetSorted(true);
    EXPECT_EQ(list->Items().Lines(), (Lines { "alpha", "Beta", "gamma" }));
    list->Items().Add("ALPHA2");
    list->Items().Add("_x");
    list->Items().Insert(0, "zeta");
    EXPECT_EQ(list->Items().Lines(), (Lines { "_x", "alpha", "ALPHA2", "Beta", "gamma", "zeta" }))
        << "compared as lower case, so '_' comes before every letter";
}

TEST_F(ListBoxTest, PressSelectsAndTheClickReportsIt)
{
    list->Items().SetLines({ "one", "two", "three", "four", "five" });
    click(50, lineY(1));
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_TRUE(list->Focused());
    click(50, lineY(1));
    EXPECT_EQ(clicks, (std::vector<int> { 1, 1 })) << "a click on the selected line is reported too";

    doubleClick(50, lineY(2));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(doubleClicks, 1);

    list->SetTopIndex(2);
    click(50, lineY(0));
    EXPECT_EQ(list->ItemIndex(), 2) << "the first visible line after scrolling";

    list->Items().SetLines({ "only" });
    clicks.clear();
    click(50, lineY(2));
    EXPECT_TRUE(clicks.empty()) << "below the last line";
}

TEST_F(ListBoxTest, ArrowKeysMoveTheSelectionAndReportEachMove)
{
    list->Items().SetLines({ "a", "b", "c", "d", "e" });
    list->SetFocus();
    key(VK_DOWN);
    key(VK_DOWN);
    key(VK_UP);
    key(VK_END);
    key(VK_DOWN);
    EXPECT_EQ(clicks, (std::vector<int> { 0, 1, 0, 4 })) << "no report at the end of the list";
    EXPECT_EQ(list->TopIndex(), 2);
}

TEST_F(ListBoxTest, SettingTheIndexScrollsItIntoViewWithoutAReport)
{
    list->Items().SetLines({ "a", "b", "c", "d", "e", "f", "g" });
    list->SetItemIndex(5);
    EXPECT_EQ(list->TopIndex(), 3);
    list->SetItemIndex(1);
    EXPECT_EQ(list->TopIndex(), 1);
    list->SetItemIndex(99);
    EXPECT_EQ(list->ItemIndex(), 6);
    list->SetItemIndex(-1);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_TRUE(clicks.empty());

    list->SetItemIndex(4);
    list->Items().SetLines({ "a", "b" });
    EXPECT_EQ(list->ItemIndex(), -1) << "the selected line went away";
}

TEST_F(ListBoxTest, SelectedLineIsNavyAndTheRestWhite)
{
    list->Items().SetLines({ "a", "b", "c" });
    list->SetItemIndex(1);
    EXPECT_EQ(pixel(100, lineY(1)), clNavy);
    EXPECT_EQ(pixel(100, lineY(0)), clWhite);
    EXPECT_EQ(pixel(10, 20), RGB(128, 128, 128)) << "sunken border";
}
