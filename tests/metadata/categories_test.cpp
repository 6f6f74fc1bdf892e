// SPDX-License-Identifier: MIT
#include "tests/catalogue/archive_fixture.h"

namespace {

using Items = std::vector<std::string>;

class Categories : public ArchiveTest {
protected:
    Items known() const { return p.form->catlist->Items().Lines(); }
    // Selects an archive row and opens the panel from the table's pop-up menu.
    void openFor(int row)
    {
        p.clickRow(p.form->disk, row);
        p.drain();
        p.form->Setcategory1->Click();
    }
    // A point on a line of the category list.
    tk::TPoint itemPoint(int index) const
    {
        const auto* list = p.form->catlist;
        for (int y = 0; y < list->Height(); ++y)
            if (list->ItemAtPos(5, y) == index)
                return { 5, y };
        ADD_FAILURE() << "item " << index << " is not shown";
        return { 0, 0 };
    }
    void doubleClickRow(int row)
    {
        const auto* grid = p.form->disk;
        int pitch = grid->DefaultRowHeight() + ((grid->Options() & tk::goHorzLine) ? grid->GridLineWidth() : 0);
        p.doubleClickAt(p.form->disk, 10, (row - grid->TopRow()) * pitch + pitch / 2);
    }
    int indexOf(const std::string& item) const
    {
        auto items = known();
        auto it = std::find(items.begin(), items.end(), item);
        return it == items.end() ? -1 : static_cast<int>(it - items.begin());
    }
    void threeGames()
    {
        p.rom("d:\\roms\\", "a.v64", { .title = "ALPHA" });
        p.rom("d:\\roms\\", "b.v64", { .title = "BRAVO" });
        p.rom("d:\\roms\\", "c.v64", { .title = "CHARLIE" });
        p.drives.write("d:\\ram\\b.cat", "Puzzle\r\n");
        p.drives.write("d:\\ram\\c.cat", "Racing\r\n");
    }
};

TEST_F(Categories, AddingIgnoresTheCaseOfAToZOnlyAndKeepsTheFirstSpelling)
{
    auto& f = p.startAndSettle();
    f.catlist->Items().Clear();
    f.addcat("Racing");
    f.addcat("RACING");
    f.addcat("racing");
    EXPECT_EQ(known(), (Items { "Racing" }));
    f.addcat("Racing ");
    f.addcat("\xC9tude");
    f.addcat("\xE9tude");
    f.addcat("\xC9TUDE");
    EXPECT_EQ(known().size(), 4u) << "a trailing blank and letters outside A..Z make other categories";
    EXPECT_NE(indexOf("\xC9tude"), -1);
    EXPECT_NE(indexOf("\xE9tude"), -1);
    EXPECT_EQ(indexOf("\xC9TUDE"), -1) << "equal to \xC9tude once t, u, d, e are folded";
}

TEST_F(Categories, AScanOffersEveryCategoryOnceInTheCaseFirstListed)
{
    p.rom("d:\\roms\\", "a.v64");
    p.rom("d:\\roms\\", "b.v64");
    p.rom("d:\\roms\\", "c.v64");
    p.rom("d:\\roms\\", "d.v64");
    p.drives.write("d:\\ram\\a.cat", "shooter\r\n");
    p.drives.write("d:\\ram\\b.cat", "Shooter\r\n");
    p.drives.write("d:\\ram\\c.cat", "Adventure\r\nignored second line\r\n");
    auto& f = p.startAndSettle();
    auto items = known();
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (Items { "Adventure", "none", "shooter" }));
    EXPECT_TRUE(f.catlist->Sorted());
}

TEST_F(Categories, MenuItemOpensThePanelForTheSelectedGame)
{
    threeGames();
    auto& f = p.startAndSettle();
    EXPECT_FALSE(f.Panel2->Visible());
    openFor(1);
    EXPECT_TRUE(f.Panel2->Visible());
    EXPECT_EQ(f.Label5->Caption(), "BRAVO");
    EXPECT_EQ(f.Edit1->Text(), "Puzzle");
    EXPECT_EQ(f.ActiveControl(), f.Edit1);
}

TEST_F(Categories, DoubleClickOpensThePanelOnlyInModeTwo)
{
    threeGames();
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "2" });
    auto& f = p.startAndSettle();
    doubleClickRow(1);
    EXPECT_TRUE(f.Panel2->Visible());
    EXPECT_EQ(f.Label5->Caption(), "BRAVO");
    EXPECT_EQ(f.Edit1->Text(), "Puzzle");

    p.click(f.BitBtn2);
    p.click(f.ddmode);
    ASSERT_EQ(f.DoubleClickMode, 3);
    doubleClickRow(0);
    EXPECT_FALSE(f.Panel2->Visible());
}

TEST_F(Categories, PickingAKnownCategoryFillsTheEditOnly)
{
    threeGames();
    auto& f = p.startAndSettle();
    openFor(0);
    tk::TPoint at = itemPoint(indexOf("Racing"));
    p.clickAt(f.catlist, at.X, at.Y);
    EXPECT_EQ(f.Edit1->Text(), "Racing");
    EXPECT_TRUE(f.Panel2->Visible());
    EXPECT_FALSE(p.drives.exists("d:\\ram\\a.cat"));
}

TEST_F(Categories, DoubleClickingAKnownCategoryStoresItAtOnce)
{
    threeGames();
    auto& f = p.startAndSettle();
    openFor(0);
    tk::TPoint at = itemPoint(indexOf("Racing"));
    p.doubleClickAt(f.catlist, at.X, at.Y);
    EXPECT_FALSE(f.Panel2->Visible());
    EXPECT_EQ(p.drives.read("d:\\ram\\a.cat"), "Racing\r\n");
    EXPECT_EQ(f.disk->Cell(3, 0), "Racing");
}

TEST_F(Categories, OkWritesTheTextAsTypedAndUpdatesOnlyTheCell)
{
    threeGames();
    p.rom("z:\\", "c.v64", { .title = "CHARLIE" });
    auto& f = p.startAndSettle();
    std::string zipCategory = f.zip->Cell(3, 0);
    p.clickRow(f.disk, 2);
    p.drain();
    ASSERT_EQ(f.SelectedGame, "c");
    f.Setcategory1->Click();
    p.rom("d:\\roms\\", "0new.v64");
    f.Edit1->SetText(" Fighting  ");
    p.click(f.BitBtn1);

    EXPECT_EQ(p.drives.read("d:\\ram\\c.cat"), " Fighting  \r\n");
    EXPECT_EQ(f.disk->Cell(3, 2), " Fighting  ");
    EXPECT_EQ(f.disk->RowCount(), 3) << "the table is not scanned again";
    EXPECT_FALSE(f.Panel2->Visible());
    EXPECT_NE(indexOf(" Fighting  "), -1);
    EXPECT_NE(indexOf("Racing"), -1) << "the old category stays known";
    EXPECT_EQ(f.zip->Cell(3, 0), zipCategory) << "the Zip table waits for its next scan";
}

TEST_F(Categories, OkReplacesAnExistingFileAndAcceptsAnEmptyText)
{
    threeGames();
    p.drives.write("d:\\ram\\b.cat", "Puzzle\r\nmore\r\n");
    auto& f = p.startAndSettle();
    openFor(1);
    f.Edit1->SetText("");
    p.click(f.BitBtn1);
    EXPECT_EQ(p.drives.read("d:\\ram\\b.cat"), "\r\n");
    EXPECT_EQ(f.disk->Cell(3, 1), "");
    EXPECT_NE(indexOf(""), -1);
}

TEST_F(Categories, ARegionFolderGetsTheCategoryFile)
{
    p.drives.write("d:\\ram\\usa\\.keep", "");
    p.rom("d:\\roms\\usa\\", "mario.v64", { .title = "MARIO" });
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "usa\\", "1" });
    auto& f = p.startAndSettle();
    ASSERT_EQ(f.RamPath, "d:\\ram\\usa\\");
    openFor(0);
    f.Edit1->SetText("Jump");
    p.click(f.BitBtn1);
    EXPECT_EQ(p.drives.read("d:\\ram\\usa\\mario.cat"), "Jump\r\n");
    EXPECT_FALSE(p.drives.exists("d:\\ram\\mario.cat"));
}

TEST_F(Categories, CancelAndClickingTheTableWriteNothing)
{
    threeGames();
    auto& f = p.startAndSettle();
    openFor(1);
    f.Edit1->SetText("Changed");
    p.click(f.BitBtn2);
    EXPECT_FALSE(f.Panel2->Visible());
    EXPECT_EQ(p.drives.read("d:\\ram\\b.cat"), "Puzzle\r\n");
    EXPECT_EQ(f.disk->Cell(3, 1), "Puzzle");

    f.Setcategory1->Click();
    f.Edit1->SetText("Changed");
    p.clickRow(f.disk, 1);
    EXPECT_FALSE(f.Panel2->Visible());
    EXPECT_EQ(p.drives.read("d:\\ram\\b.cat"), "Puzzle\r\n");
    EXPECT_EQ(f.disk->Cell(3, 1), "Puzzle");
    EXPECT_EQ(indexOf("Changed"), -1);
}

TEST_F(Categories, EnterConfirmsAndEscapeCancels)
{
    threeGames();
    auto& f = p.startAndSettle();
    openFor(0);
    f.Edit1->SetText("");
    for (char c : std::string("Sport"))
        p.type(c);
    p.key(tk::VK_RETURN);
    EXPECT_FALSE(f.Panel2->Visible());
    EXPECT_EQ(p.drives.read("d:\\ram\\a.cat"), "Sport\r\n");

    f.Setcategory1->Click();
    ASSERT_EQ(f.Edit1->Text(), "Sport");
    f.Edit1->SetText("Other");
    p.key(tk::VK_ESCAPE);
    EXPECT_FALSE(f.Panel2->Visible());
    EXPECT_EQ(p.drives.read("d:\\ram\\a.cat"), "Sport\r\n");
}


TEST_F(Categories, TypingReplacesTheCategoryTheEditOffers)
{
    threeGames();
    auto& f = p.startAndSettle();
    openFor(1);
    EXPECT_EQ(f.Edit1->SelText(), "Puzzle");
    for (char c : std::string("Racing"))
        p.type(c);
    p.key(tk::VK_RETURN);
    EXPECT_EQ(p.drives.read("d:\\ram\\b.cat"), "Racing\r\n");
}

TEST_F(Categories, EnterAndEscapeWorkFromTheListTooButNotOnceThePanelIsHidden)
{
    threeGames();
    auto& f = p.startAndSettle();
    openFor(0);
    tk::TPoint at = itemPoint(indexOf("Racing"));
    p.clickAt(f.catlist, at.X, at.Y);
    ASSERT_EQ(f.Edit1->Text(), "Racing");
    p.key(tk::VK_RETURN);
    EXPECT_FALSE(f.Panel2->Visible());
    EXPECT_EQ(p.drives.read("d:\\ram\\a.cat"), "Racing\r\n");

    f.Setcategory1->Click();
    p.clickAt(f.catlist, at.X, at.Y);
    p.key(tk::VK_ESCAPE);
    EXPECT_FALSE(f.Panel2->Visible());

    // Hidden, the panel takes no keys: Enter neither writes nor shows anything.
    p.drives.write("d:\\ram\\a.cat", "Sport\r\n");
    p.key(tk::VK_RETURN);
    p.type('x');
    p.key(tk::VK_RETURN);
    EXPECT_FALSE(f.Panel2->Visible());
    EXPECT_EQ(p.drives.read("d:\\ram\\a.cat"), "Sport\r\n");
    EXPECT_EQ(f.Edit1->Text(), "Racing");
}

TEST_F(Categories, DoubleClickBelowTheLastCategoryPicksAndConfirmsNothing)
{
    threeGames();
    auto& f = p.startAndSettle();
    openFor(0);
    f.Edit1->SetText("Typed");
    ASSERT_LT(f.catlist->ItemAtPos(5, f.catlist->Height() - 3), 0);
    p.doubleClickAt(f.catlist, 5, f.catlist->Height() - 3);
    EXPECT_TRUE(f.Panel2->Visible());
    EXPECT_EQ(f.Edit1->Text(), "Typed");
    EXPECT_FALSE(p.drives.exists("d:\\ram\\a.cat"));
}

}
