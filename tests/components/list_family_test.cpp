// SPDX-License-Identifier: MIT
#include "tests/components/form_fixture.h"
#include "tests/support/temp_drives.h"
#include "toolkit/directory_list_box.h"
#include "toolkit/file_list_box.h"
#include "toolkit/form_host.h"
#include "toolkit/list_box.h"
#include "toolkit/string_grid.h"

#include <type_traits>

using namespace tk;

namespace {

// Counts what the form's window is asked to paint.
class PaintCounter : public TFormHost {
public:
    void Invalidate() override { ++invalidations; }
    void RepaintNow() override { }
    void GeometryChanged() override { }
    void VisibilityChanged() override { }
    void CaptionChanged() override { }

    int invalidations { 0 };
};

// Pixels of one colour in a band of rows of the image.
int pixelsOf(const QImage& image, TColor color, int top, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            count += fromQColor(image.pixelColor(x, y)) == color;
    return count;
}

}

// Each list control, filled as the program fills it: lines by hand, the file names of a folder,
// or the two path entries of a folder and its subfolders.
template <class List>
class ListFamily : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        drives = std::make_unique<TempDrives>();
        list = new List(form.get(), "List");
        list->SetItemHeight(lineHeight);
        // Border 2 + three whole lines.
        list->SetBounds(10, 20, 150, 2 * 2 + 3 * lineHeight);
        list->OnClick = [this](TObject*) { clicks.push_back(list->ItemIndex()); };
        list->OnDblClick = [this](TObject*) { ++doubleClicks; };
    }

    void TearDown() override
    {
        FormTest::TearDown();
        drives.reset();
    }

    // Gives the list n lines (at least two), nothing selected; the folders are C:\list<n>.
    void fill(int n)
    {
        std::string folder = "C:\\list" + std::to_string(n);
        std::vector<std::string> lines;
        for (int i = 0; i < n; ++i)
            lines.push_back("line" + std::string(i < 10 ? "0" : "") + std::to_string(i));
        if constexpr (std::is_same_v<List, TListBox>) {
            list->Items().SetLines(lines);
        } else if constexpr (std::is_same_v<List, TFileListBox>) {
            for (const auto& line : lines)
                drives->write(folder + "\\" + line, "");
            list->SetDirectory(folder);
        } else {
            drives->write(folder + "\\.keep", "");
            for (int i = 2; i < n; ++i)
                drives->write(folder + "\\" + lines[std::size_t(i)] + "\\x", "");
            list->SetDirectory(folder);
        }
        ASSERT_EQ(list->Items().Count(), n);
        list->SetItemIndex(-1);
    }

    PaintCounter& countPaints()
    {
        auto counter = std::make_unique<PaintCounter>();
        auto& counted = *counter;
        form->SetHost(std::move(counter));
        return counted;
    }

    // Form coordinates of the middle of the n-th visible line.
    int lineY(int n) const { return 20 + 2 + n * lineHeight + lineHeight / 2; }

    static constexpr int lineHeight = 13;
    std::unique_ptr<TempDrives> drives;
    List* list { nullptr };
    std::vector<int> clicks;
    int doubleClicks { 0 };
};

struct ListNames {
    template <class List>
    static std::string GetName(int)
    {
        if constexpr (std::is_same_v<List, TListBox>)
            return "ListBox";
        else if constexpr (std::is_same_v<List, TFileListBox>)
            return "FileListBox";
        else
            return "DirectoryListBox";
    }
};

using Lists = ::testing::Types<TListBox, TFileListBox, TDirectoryListBox>;
TYPED_TEST_SUITE(ListFamily, Lists, ListNames);

TYPED_TEST(ListFamily, ItemHeightIsAtLeastOnePixelAndKeepsTheSelectionInView)
{
    this->fill(10);
    auto* list = this->list;
    list->SetItemIndex(2);
    ASSERT_EQ(list->TopIndex(), 0);
    list->SetItemHeight(20);
    EXPECT_EQ(list->VisibleCount(), 1);
    EXPECT_EQ(list->TopIndex(), 2) << "one line fits now: the selected one";

    list->SetItemHeight(0);
    EXPECT_EQ(list->ItemHeight(), 1);
    list->SetItemHeight(-7);
    EXPECT_EQ(list->ItemHeight(), 1);
    EXPECT_EQ(list->VisibleCount(), 39);
}

TYPED_TEST(ListFamily, ChangesRepaintAndTheSameValueDoesNot)
{
    this->fill(10);
    auto* list = this->list;
    auto& painted = this->countPaints();
    auto repaints = [&](auto change) {
        int before = painted.invalidations;
        change();
        return painted.invalidations > before;
    };
    EXPECT_TRUE(repaints([&] { list->SetItemIndex(4); }));
    EXPECT_FALSE(repaints([&] { list->SetItemIndex(4); }));
    EXPECT_TRUE(repaints([&] { list->SetItemHeight(14); }));
    EXPECT_FALSE(repaints([&] { list->SetItemHeight(14); }));
    EXPECT_TRUE(repaints([&] { list->SetTopIndex(99); }));
    EXPECT_EQ(list->TopIndex(), 9);
    EXPECT_FALSE(repaints([&] { list->SetTopIndex(42); })) << "clamped to the last line, where it is";
}

TYPED_TEST(ListFamily, KeysMoveTheSelectionAndReportEachMove)
{
    this->fill(10);
    auto* list = this->list;
    list->SetItemIndex(0);
    list->SetFocus();
    for (unsigned short vk : { VK_DOWN, VK_NEXT, VK_END, VK_UP, VK_PRIOR, VK_HOME, VK_HOME, VK_UP })
        this->key(vk);
    EXPECT_EQ(this->clicks, (std::vector<int> { 1, 4, 9, 8, 5, 0 })) << "a page is the three lines in view";
    EXPECT_EQ(list->TopIndex(), 0);

    list->SetItemIndex(-1);
    this->key(VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 0) << "from no selection down goes to the first line";
    this->key(VK_END);
    EXPECT_EQ(list->TopIndex(), 7);
}

TYPED_TEST(ListFamily, APressSelectsTheLineUnderItAndBelowTheLastLineNothingCounts)
{
    this->fill(10);
    auto* list = this->list;
    list->SetTopIndex(3);
    this->click(50, this->lineY(1));
    EXPECT_EQ(list->ItemIndex(), 4);
    EXPECT_TRUE(list->Focused());
    EXPECT_EQ(this->clicks, (std::vector<int> { 4 }));

    this->fill(2);
    list->SetItemIndex(0);
    this->clicks.clear();
    this->doubleClick(50, this->lineY(2));
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_TRUE(this->clicks.empty());
    EXPECT_EQ(this->doubleClicks, 0);
    EXPECT_EQ(list->Items().Count(), 2) << "nothing opened";
}

TYPED_TEST(ListFamily, OnlyTheSelectedLineIsHighlighted)
{
    this->fill(3);
    this->list->SetItemIndex(1);
    QImage image = this->form->Render();
    auto navyOnLine = [&](int n) { return pixelsOf(image, clNavy, this->lineY(n) - 4, this->lineY(n) + 4); };
    EXPECT_GT(navyOnLine(1), 0);
    EXPECT_EQ(navyOnLine(0), 0);
    EXPECT_EQ(navyOnLine(2), 0);
    EXPECT_EQ(this->pixel(10, 20), RGB(128, 128, 128)) << "sunken border";
}

using FileListTest = ListFamily<TFileListBox>;

TEST_F(FileListTest, WithoutASelectionTheNamesStandPlain)
{
    fill(3);
    EXPECT_EQ(pixel(10, 20), clWhite) << "no border";
    EXPECT_EQ(pixelsOf(form->Render(), clNavy, 20, 20 + list->Height()), 0);
}

using DirectoryListTest = ListFamily<TDirectoryListBox>;

TEST_F(DirectoryListTest, EnterOpensAndKeysReachThePathEntries)
{
    fill(4);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->SetFocus();
    key(VK_END);
    key(VK_RETURN);
    EXPECT_EQ(list->Directory(), "C:\\list4\\line03");
    EXPECT_EQ(list->ItemIndex(), 2) << "the opened folder's own entry";
    key(VK_HOME);
    key(VK_RETURN);
    EXPECT_EQ(list->Directory(), "C:\\");
}

// The grid counts rows and moves its current row by the same rules, without a border.
class StringGridTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        grid = new TStringGrid(form.get(), "Grid");
        grid->SetOptions(goHorzLine | goRowSelect);
        grid->SetDefaultRowHeight(15);
        grid->SetGridLineWidth(1);
        grid->SetRowCount(10);
        // Four whole rows of 16 and part of a fifth.
        grid->SetBounds(10, 20, 200, 4 * 16 + 8);
        grid->OnClick = [this](TObject*) { clicks.push_back(grid->Row()); };
    }

    TStringGrid* grid { nullptr };
    std::vector<int> clicks;
};

TEST_F(StringGridTest, KeysMoveTheCurrentRowAPageBeingTheWholeRowsInView)
{
    grid->SetFocus();
    for (unsigned short vk : { VK_NEXT, VK_DOWN, VK_END, VK_NEXT, VK_PRIOR, VK_UP, VK_HOME })
        key(vk);
    EXPECT_EQ(clicks, (std::vector<int> { 4, 5, 9, 5, 4, 0 }));
    EXPECT_EQ(grid->TopRow(), 0);
}

TEST_F(StringGridTest, RowsStartAtTheTopEdgeAndEndAtTheBottomOne)
{
    grid->SetTopRow(2);
    EXPECT_EQ(grid->RowAt(0, 0), 2);
    EXPECT_EQ(grid->RowAt(0, 16), 3);
    EXPECT_EQ(grid->RowAt(0, grid->Height() - 1), 6) << "the part of a row at the bottom";
    EXPECT_EQ(grid->RowAt(0, grid->Height()), -1);
    EXPECT_EQ(grid->RowAt(-1, 0), -1);
    grid->SetDefaultRowHeight(31);
    grid->SetRow(9);
    EXPECT_EQ(grid->TopRow(), 8) << "two rows of 32 in view";
}

TEST_F(StringGridTest, TheCurrentRowIsHighlightedAcrossOrInItsFirstCell)
{
    grid->SetRow(1);
    int y = 20 + 16 + 8;
    EXPECT_EQ(pixel(10 + 100, y), clNavy);
    EXPECT_EQ(pixel(10 + 100, y - 16), clWhite);
    grid->SetOptions(goHorzLine);
    EXPECT_EQ(pixel(10 + 30, y), clNavy);
    EXPECT_EQ(pixel(10 + 100, y), clWhite);
}
