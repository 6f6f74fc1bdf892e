// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

#include <QImage>
#include <QString>

#include <filesystem>
#include <fstream>

namespace {

// Two games whose names differ only in letter case, in folders that keep case (the temporary
// drives): a.v64 has no files of its own, A.v64 has a save, a category and box art.
class LetterCase : public GameFiles {
protected:
    // Files written under exactly the name given: the program's own look-up would take the
    // other game's file for it.
    std::string exactly(const std::string& winDir, const std::string& name)
    {
        std::filesystem::create_directories(p.drives.host(winDir));
        return p.drives.host(winDir) + "/" + name;
    }
    void put(const std::string& winDir, const std::string& name, const std::string& bytes)
    {
        std::ofstream(exactly(winDir, name), std::ios::binary) << bytes;
    }
    void putRom(const std::string& winDir, const std::string& name, const std::string& title)
    {
        RomImage { .title = title }.writeTo(exactly(winDir, name));
    }
    void twoGames()
    {
        putRom("d:\\roms\\", "a.v64", "LOWER");
        putRom("d:\\roms\\", "A.v64", "UPPER");
        put("d:\\ram\\", "A.eep", "upper save");
        put("d:\\ram\\", "A.cat", "Upper games\r\n");
        QImage art(160, 112, QImage::Format_RGB32);
        art.fill(Qt::red);
        ASSERT_TRUE(art.save(QString::fromStdString(exactly("d:\\ram\\boxart\\", "A.bmp")), "BMP"));
    }
    int rowOf(const tk::TStringGrid* grid, const std::string& romFile) const
    {
        for (int r = 0; r < grid->RowCount(); ++r)
            if (grid->Cell(5, r) == romFile)
                return r;
        return -1;
    }
    void pick(const std::string& romFile) { pickDisk(rowOf(p.form->disk, romFile)); }
    Lines ramFiles() const
    {
        Lines all;
        for (const std::string folder : { "d:\\ram\\", "d:\\ram\\boxart\\" })
            for (const auto& name : dir(folder))
                if (name != "boxart" && name != "eur")
                    all.push_back(folder + name);
        return all;
    }
};

TEST_F(LetterCase, EachGameShowsOnlyItsOwnFiles)
{
    twoGames();
    auto& f = start();
    int lower = rowOf(f.disk, "a.v64"), upper = rowOf(f.disk, "A.v64");
    ASSERT_TRUE(lower >= 0 && upper >= 0);
    EXPECT_EQ(f.disk->Cell(3, upper), "Upper games");
    EXPECT_EQ(f.disk->Cell(4, upper), "EEP  ");
    EXPECT_EQ(f.disk->Cell(3, lower), "none");
    EXPECT_EQ(f.disk->Cell(4, lower), "-");

    pick("a.v64");
    EXPECT_EQ(f.pic->Picture().Bitmap().Image(), f.pic_noart->Picture().Bitmap().Image());
    pick("A.v64");
    EXPECT_EQ(f.pic->Picture().Bitmap().Image().pixelColor(80, 56), QColor(Qt::red));
}

TEST_F(LetterCase, OperationsOnOneGameLeaveTheOthersFilesAlone)
{
    twoGames();
    file("d:\\roms\\eur\\.keep", "");
    file("d:\\ram\\eur\\boxart\\.keep", "");
    file("d:\\ram\\eur\\screens\\.keep", "");
    auto& f = start();

    // To the Zip disk and off it again.
    pick("a.v64");
    press(f.b1);
    EXPECT_EQ(dir("z:\\"), (Lines { "a.v64" }));
    putRom("z:\\", "A.v64", "UPPER");
    put("z:\\", "A.eep", "upper save on the Zip disk");
    f.ziprefreshClick(nullptr);
    p.dialogs->answerBoxes({ tk::IDOK });
    pickZip(rowOf(f.zip, "a.v64"));
    press(f.b6);
    EXPECT_EQ(dir("z:\\"), (Lines { "A.eep", "A.v64" }));

    // An update of a's saves does not take A's place.
    putRom("z:\\", "a.v64", "LOWER");
    put("z:\\", "a.eep", "lower save");
    f.ziprefreshClick(nullptr);
    pickZip(rowOf(f.zip, "a.v64"));
    typed->clear();
    press(f.b3);
    EXPECT_EQ(typed->starting("U"), (Lines { "Update " + cell("LOWER"), "Update failed !!!" }));
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not copy a.eep" }));
    EXPECT_EQ(content("d:\\ram\\A.eep"), "upper save");

    // Moved and renamed, a takes nothing of A's along.
    const Lines upperFiles { "d:\\ram\\A.cat", "d:\\ram\\A.eep", "d:\\ram\\boxart\\A.bmp" };
    f.diskrefreshClick(nullptr);
    pick("a.v64");
    f.movetoEUR1->Click();
    EXPECT_EQ(dir("d:\\roms\\eur\\"), (Lines { "a.v64" }));
    EXPECT_EQ(ramFiles(), upperFiles);
    putRom("d:\\roms\\", "a.v64", "LOWER");
    f.diskrefreshClick(nullptr);
    pick("a.v64");
    p.dialogs->answerQuery("b");
    press(f.b4);
    EXPECT_EQ(dir("d:\\roms\\"), (Lines { "A.v64", "b.v64", "eur" }));
    EXPECT_EQ(ramFiles(), upperFiles);
}

TEST_F(LetterCase, AFileInAnotherCaseIsTheGamesWhenNoOtherGameHasThatName)
{
    p.rom("d:\\roms\\", "a.v64", { .title = "LOWER" });
    file("d:\\ram\\A.eep", "save");
    auto& f = start();
    EXPECT_EQ(f.disk->Cell(4, 0), "EEP  ");
    pickDisk(0);
    press(f.b1);
    EXPECT_EQ(dir("z:\\"), (Lines { "a.eep", "a.v64" }));
}

}
