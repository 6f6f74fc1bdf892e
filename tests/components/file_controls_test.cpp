// SPDX-License-Identifier: MIT
#include "platform/filesystem.h"
#include "tests/components/form_fixture.h"
#include "tests/support/temp_drives.h"
#include "toolkit/directory_list_box.h"
#include "toolkit/drive_combo_box.h"
#include "toolkit/file_errors.h"
#include "toolkit/label.h"

using namespace tk;

namespace {

using Lines = std::vector<std::string>;

platform::FileSystem& files()
{
    return platform::FileSystem::instance();
}

}

// c: holds roms\n64, roms\pal and games; z: holds saves, which is z:'s current directory.
// The process's current directory is C:\roms.
class FileControlsTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        drives = std::make_unique<TempDrives>();
        drives->map('z');
        for (const char* dir : { "C:\\roms\\n64\\x", "C:\\roms\\pal\\x", "C:\\games\\x", "Z:\\saves\\x" })
            drives->write(dir, "");
        ASSERT_TRUE(files().setCurrentDirectory("Z:\\saves"));
        ASSERT_TRUE(files().setCurrentDirectory("C:\\roms"));

        dirs = new TDirectoryListBox(form.get(), "Dirs");
        // Border 2 + five entries of 16.
        dirs->SetBounds(10, 40, 200, 2 * 2 + 5 * 16);
        dirs->OnChange = [this](TObject*) { events.push_back("dir " + dirs->Directory()); };
        label = new TLabel(form.get(), "Path");
        label->SetTop(200);
        dirs->SetDirLabel(label);
    }

    void TearDown() override
    {
        FormTest::TearDown();
        drives.reset();
    }

    TDriveComboBox* makeCombo()
    {
        auto* combo = new TDriveComboBox(form.get(), "Drives");
        combo->SetBounds(10, 10, 150, 22);
        combo->SetDirList(dirs);
        combo->OnChange = [this, combo](TObject*) { events.push_back(std::string("drive ") + combo->Drive()); };
        return combo;
    }

    // Form coordinates of the middle of the n-th visible entry.
    int entryY(int n) const { return 40 + 2 + n * 16 + 8; }

    std::unique_ptr<TempDrives> drives;
    TDirectoryListBox* dirs { nullptr };
    TLabel* label { nullptr };
    std::vector<std::string> events;
};

TEST_F(FileControlsTest, DirectoryListShowsThePathAsOpenFoldersThenTheSubfolders)
{
    EXPECT_EQ(dirs->Directory(), "C:\\roms");
    EXPECT_EQ(dirs->Drive(), 'c');
    EXPECT_EQ(dirs->Items().Lines(), (Lines { "C:\\", "roms", "n64", "pal" }));
    EXPECT_EQ(dirs->ItemPath(0), "C:\\");
    EXPECT_EQ(dirs->ItemPath(1), "C:\\roms");
    EXPECT_EQ(dirs->ItemPath(3), "C:\\roms\\pal");
    EXPECT_EQ(dirs->ItemLevel(1), 1);
    EXPECT_EQ(dirs->ItemLevel(3), 2);
    EXPECT_TRUE(dirs->ItemIsOpen(1));
    EXPECT_FALSE(dirs->ItemIsOpen(2));
    EXPECT_EQ(dirs->ItemIndex(), 1) << "the current directory is highlighted";
    EXPECT_EQ(label->Caption(), "C:\\roms") << "a linked label shows the path at once";
}

TEST_F(FileControlsTest, DirectoryChangesUnlessTheTextIsEqualIgnoringCase)
{
    dirs->SetDirectory("c:\\ROMS");
    EXPECT_TRUE(events.empty());

    dirs->SetDirectory("c:\\roms\\");
    EXPECT_EQ(events, (Lines { "dir c:\\roms" })) << "a different text is a change, even for the same folder";
    EXPECT_EQ(dirs->Directory(), "c:\\roms") << "kept as given, as the file system keeps it";

    dirs->SetDirectory("c:\\GAMES");
    EXPECT_EQ(dirs->Directory(), "c:\\GAMES");
    EXPECT_EQ(files().currentDirectory(), "c:\\GAMES");
    EXPECT_EQ(label->Caption(), "c:\\GAMES");
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(FileControlsTest, DirectoryThatCannotBeEnteredThrowsAndChangesNothing)
{
    try {
        dirs->SetDirectory("C:\\nowhere");
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("C:\\nowhere"), std::string::npos) << e.what();
    }
    EXPECT_EQ(dirs->Directory(), "C:\\roms");
    EXPECT_EQ(files().currentDirectory(), "C:\\roms");
    EXPECT_EQ(dirs->Items().Count(), 4);
    EXPECT_TRUE(events.empty());
}

TEST_F(FileControlsTest, ClickHighlightsAndDoubleClickOrEnterOpens)
{
    click(60, entryY(2));
    EXPECT_EQ(dirs->ItemIndex(), 2);
    EXPECT_TRUE(events.empty());

    doubleClick(60, entryY(2));
    EXPECT_EQ(dirs->Directory(), "C:\\roms\\n64");
    EXPECT_EQ(dirs->Items().Lines(), (Lines { "C:\\", "roms", "n64" }));
    EXPECT_EQ(dirs->ItemIndex(), 2);

    doubleClick(60, entryY(0));
    EXPECT_EQ(dirs->Directory(), "C:\\");
    EXPECT_EQ(dirs->Items().Lines(), (Lines { "C:\\", "games", "roms" }));
    EXPECT_EQ(dirs->ItemPath(1), "C:\\games") << "no doubled backslash at the root";

    key(VK_DOWN);
    key(VK_DOWN);
    key(VK_RETURN);
    EXPECT_EQ(dirs->Directory(), "C:\\roms");
    EXPECT_EQ(events, (Lines { "dir C:\\roms\\n64", "dir C:\\", "dir C:\\roms" }));
}

TEST_F(FileControlsTest, HighlightMovedByKeysStaysInView)
{
    for (int i = 0; i < 8; ++i)
        drives->write("C:\\roms\\sub" + std::to_string(i) + "\\x", "");
    dirs->Update();
    ASSERT_EQ(dirs->Items().Count(), 12);
    dirs->SetFocus();
    for (int i = 0; i < 6; ++i)
        key(VK_DOWN);
    EXPECT_EQ(dirs->ItemIndex(), 7);
    EXPECT_EQ(dirs->TopIndex(), 3);
    key(VK_HOME);
    EXPECT_EQ(dirs->TopIndex(), 0);
}

TEST_F(FileControlsTest, DriveSelectorMovesItsListToTheDrivesCurrentDirectory)
{
    auto* combo = makeCombo();
    EXPECT_EQ(combo->Drive(), 'c');
    EXPECT_EQ(combo->Items().Lines(), (Lines { "c: [c]", "z: [z]" })) << "labels are the mapped folders' names";

    combo->SetDrive('Z');
    EXPECT_EQ(combo->Drive(), 'z');
    EXPECT_EQ(combo->Text(), "z: [z]");
    EXPECT_EQ(dirs->Directory(), "Z:\\saves");
    EXPECT_EQ(files().currentDirectory(), "Z:\\saves");
    EXPECT_EQ(events, (Lines { "dir Z:\\saves", "drive z" }));

    combo->SetDrive('z');
    EXPECT_EQ(events.size(), 2u) << "the same drive is no change";

    combo->SetDrive('c');
    EXPECT_EQ(dirs->Directory(), "C:\\roms") << "c: kept its own current directory";
}

TEST_F(FileControlsTest, DriveSelectorRefusesAnUnmappedOrUnreadyDrive)
{
    auto* combo = makeCombo();
    EXPECT_THROW(combo->SetDrive('q'), EInOutError);
    drives->removeDrive('z');
    EXPECT_THROW(combo->SetDrive('z'), EInOutError);
    EXPECT_EQ(combo->Drive(), 'c');
    EXPECT_EQ(dirs->Directory(), "C:\\roms");
    EXPECT_TRUE(events.empty());
}

TEST_F(FileControlsTest, ClickOpensTheDriveListBelowTheBoxAndChoosingChangesTheDrive)
{
    auto* combo = makeCombo();
    drives->map('y');
    dialogs->choose = "z: [z]";
    click(50, 20);
    ASSERT_EQ(dialogs->popups.size(), 1u);
    EXPECT_EQ(dialogs->popups[0].captions, (Lines { "c: [c]", "y: [y]", "z: [z]" })) << "read when it opens";
    EXPECT_EQ(dialogs->popups[0].x, 100 + 10);
    EXPECT_EQ(dialogs->popups[0].y, 50 + 10 + 22);
    EXPECT_EQ(combo->Drive(), 'z');
    EXPECT_EQ(events, (Lines { "dir Z:\\saves", "drive z" }));

    // A drive that went away since: the error reaches the application, nothing changes.
    drives->removeDrive('y');
    dialogs->choose = "y: [y]";
    click(50, 20);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(combo->Drive(), 'z');

    key(VK_UP);
    EXPECT_EQ(combo->Drive(), 'z') << "the drive above is not ready";
    drives->map('y');
    key(VK_UP);
    key(VK_UP);
    EXPECT_EQ(combo->Drive(), 'c');
    EXPECT_EQ(dirs->Directory(), "C:\\roms");
}
