// SPDX-License-Identifier: MIT
#include "tests/catalogue/archive_fixture.h"
#include "tests/support/literal_sort.h"

namespace {

using Column = std::vector<std::string>;

class Sorting : public ArchiveTest {
protected:
    // The cells of one column, top to bottom.
    Column column(int c) const
    {
        Column cells;
        for (const auto& row : Program::rows(p.form->disk))
            cells.push_back(row[c]);
        return cells;
    }
    Column fileNames() const { return column(5); }
    void titled(const std::string& file, const std::string& title) { p.rom("d:\\roms\\", file, { .title = title }); }
    static std::string padded(std::string title)
    {
        title.resize(20, ' ');
        return title;
    }
    std::vector<std::string> sortingLines() const
    {
        std::vector<std::string> lines(7, " ");
        lines.push_back("Sorting, please wait... ");
        lines.push_back("Sorting complete.");
        return lines;
    }
};

TEST_F(Sorting, TitlesCompareBlankPaddedWithOnlyAToZFolded)
{
    titled("a.v64", "MARIOKART");
    titled("b.v64", "zelda");
    titled("c.v64", "MARIO");
    titled("d.v64", "\xC9TOILE");
    titled("e.v64", "_BONUS");
    titled("f.v64", "MARIO\x1F");
    auto& f = p.startAndSettle();
    p.click(f.c1);
    // "_" lies between "Z" and "a"; the blank after MARIO is above 0x1F and below "K"; bytes are unsigned.
    EXPECT_EQ(column(0), (Column { padded("_BONUS"), padded("MARIO\x1F"), padded("MARIO"), padded("MARIOKART"),
                             padded("zelda"), padded("\xC9TOILE") }));
    EXPECT_EQ(fileNames(), (Column { "e.v64", "f.v64", "c.v64", "a.v64", "b.v64", "d.v64" }));
}

TEST_F(Sorting, CountriesOrderByPaddedNamesAndBareCodes)
{
    const std::pair<const char*, char> games[] = { { "a.v64", 'E' }, { "b.v64", 'U' }, { "c.v64", 'D' }, { "d.v64", 'J' },
        { "e.v64", ' ' }, { "f.v64", 'x' }, { "g.v64", 'P' }, { "h.v64", 'F' }, { "i.v64", 'A' } };
    for (const auto& [file, code] : games)
        p.rom("d:\\roms\\", file, { .country = code });
    auto& f = p.startAndSettle();
    p.click(f.c2);
    EXPECT_EQ(column(1), (Column { "?      ", "A", "Europe ", "France ", "Germany", "Japan  ", "U", "USA    ", "x" }));
}

TEST_F(Sorting, SizesCompareAsNumbersWithErrorRowsFirst)
{
    p.rom("d:\\roms\\", "a.v64", { .size = mbit(1024) });
    p.rom("d:\\roms\\", "b.v64", { .size = mbit(128) });
    p.rom("d:\\roms\\", "c.v64", { .size = mbit(16) });
    p.drives.write("d:\\roms\\d.v64", "too short for a header");
    p.rom("d:\\roms\\", "e.v64", { .size = mbit(8) });
    auto& f = p.startAndSettle();
    p.click(f.c3);
    // As texts "1024" would come before "128".
    EXPECT_EQ(column(2), (Column { "", "  8", " 16", "128", "1024" }));
    EXPECT_EQ(fileNames(), (Column { "", "e.v64", "c.v64", "b.v64", "a.v64" }));
    EXPECT_EQ(Program::rows(f.disk)[0], errorRow());
}

TEST_F(Sorting, ExchangeSortMovesEqualKeysAroundAndIgnoresCase)
{
    // Keys B, B', A: the exchange of rows 0 and 2 carries B behind B'.
    p.drives.write("d:\\ram\\a.cat", "Beta\r\n");
    p.drives.write("d:\\ram\\b.cat", "BETA\r\n");
    p.drives.write("d:\\ram\\c.cat", "Alpha\r\n");
    for (const char* file : { "a.v64", "b.v64", "c.v64" })
        p.rom("d:\\roms\\", file);
    auto& f = p.startAndSettle();
    p.click(f.c4);
    EXPECT_EQ(column(3), (Column { "Alpha", "BETA", "Beta" }));
    EXPECT_EQ(fileNames(), (Column { "c.v64", "b.v64", "a.v64" }));
    // Sorting again exchanges nothing: the two equal keys stay as they are.
    p.click(f.c4);
    EXPECT_EQ(fileNames(), (Column { "c.v64", "b.v64", "a.v64" }));
}

TEST_F(Sorting, EveryHeaderSortsItsOwnColumnAndMovesWholeRows)
{
    p.rom("d:\\roms\\", "a.v64", { .title = "BRAVO", .country = 'P', .id = "CC", .size = mbit(16) });
    p.rom("d:\\roms\\", "b.v64", { .title = "ALPHA", .country = 'J', .id = "AA", .size = mbit(32) });
    p.rom("d:\\roms\\", "c.v64", { .title = "CHARLIE", .country = 'E', .id = "BB", .size = mbit(8) });
    p.drives.write("d:\\ram\\a.cat", "Sport\r\n");
    p.drives.write("d:\\ram\\b.cat", "Racing\r\n");
    p.drives.write("d:\\ram\\a.eep", "x");
    p.drives.write("d:\\ram\\c.ram", "x");
    auto& f = p.startAndSettle();
    auto listed = Program::rows(f.disk);
    std::sort(listed.begin(), listed.end());
    const std::pair<tk::TLabel*, Column> expected[] = {
        { f.c1, { "b.v64", "a.v64", "c.v64" } },
        { f.c2, { "a.v64", "b.v64", "c.v64" } },
        { f.c3, { "c.v64", "a.v64", "b.v64" } },
        { f.c4, { "c.v64", "b.v64", "a.v64" } }, // none, Racing, Sport
        { f.c5, { "b.v64", "a.v64", "c.v64" } }, // "-", "EEP  ", "RAM  "
        { f.c7, { "b.v64", "c.v64", "a.v64" } },
        { f.c6, { "a.v64", "b.v64", "c.v64" } },
    };
    for (const auto& [header, order] : expected) {
        p.click(header);
        EXPECT_EQ(fileNames(), order) << header->Caption();
        auto now = Program::rows(f.disk);
        std::sort(now.begin(), now.end());
        EXPECT_EQ(now, listed) << header->Caption() << ": rows must move with all their cells";
        EXPECT_EQ(f.ActiveControl(), f.disk);
    }
}

TEST_F(Sorting, CurrentRowNumberStaysAndTheSelectionIsNotRenewed)
{
    titled("a.v64", "CHARLIE");
    titled("b.v64", "BRAVO");
    titled("c.v64", "ALPHA");
    auto& f = p.startAndSettle();
    p.clickRow(f.disk, 2);
    p.drain();
    ASSERT_EQ(f.SelectedGame, "c");
    int logoTop = f.nlogo->Top();
    p.click(f.c1);
    EXPECT_EQ(f.disk->Row(), 2);
    EXPECT_EQ(f.disk->Cell(5, 2), "a.v64");
    EXPECT_EQ(f.SelectedGame, "c") << "the details still describe the game selected before";
    EXPECT_EQ(f.SelectedTitle, "ALPHA");
    EXPECT_EQ(f.nlogo->Top(), logoTop);
    EXPECT_EQ(f.sysmem->Lines().Count(), 0) << "no details are queued";
    EXPECT_EQ(p.console(), sortingLines());
}

TEST_F(Sorting, StatusLinesFrameTheSortAndReplaceWhatWasQueued)
{
    titled("a.v64", "B");
    titled("b.v64", "A");
    auto& f = p.startAndSettle();
    p.clickRow(f.disk, 1);
    ASSERT_GT(f.sysmem->Lines().Count(), 0);
    p.click(f.c1);
    EXPECT_EQ(p.console(), sortingLines());
    EXPECT_EQ(f.sysmem->Lines().Count(), 0) << "the queued details are dropped";
    p.drain();
    EXPECT_EQ(p.console(), sortingLines()) << "nothing comes after the sort";
}

TEST_F(Sorting, TablesWithFewerThanTwoRowsStayAndStillReport)
{
    auto& f = p.startAndSettle();
    ASSERT_EQ(Program::rows(f.disk), std::vector<std::vector<std::string>> { emptyRow() });
    p.click(f.c3);
    EXPECT_EQ(Program::rows(f.disk), std::vector<std::vector<std::string>> { emptyRow() });
    EXPECT_EQ(p.console(), sortingLines());

    p.rom("d:\\roms\\", "only.v64");
    f.diskrefreshClick(nullptr);
    p.drain();
    auto one = Program::rows(f.disk);
    p.click(f.c1);
    EXPECT_EQ(Program::rows(f.disk), one);
    EXPECT_EQ(p.console(), sortingLines());
}

TEST_F(Sorting, NextScanRestoresTheListingOrder)
{
    titled("a.v64", "ZULU");
    titled("b.v64", "ALPHA");
    auto& f = p.startAndSettle();
    p.click(f.c1);
    ASSERT_EQ(fileNames(), (Column { "b.v64", "a.v64" }));
    f.diskrefreshClick(nullptr);
    EXPECT_EQ(fileNames(), (Column { "a.v64", "b.v64" }));
}

}

// Whatever the table holds, the order is the one exchanging whole rows step by step gives.
TEST_F(Sorting, TheOrderIsTheLiteralExchangeSortsForManyEqualKeys)
{
    auto& f = p.startAndSettle();
    for (unsigned seed : { 1u, 2u, 3u }) {
        for (auto [column, numeric] : { std::pair { 0, false }, std::pair { 2, true } }) {
            Rows rows = rowsWithManyEqualKeys(300, seed);
            f.disk->SetRowCount(int(rows.size()));
            for (int r = 0; r < int(rows.size()); ++r)
                f.disk->SetRowCells(r, rows[std::size_t(r)]);
            p.click(numeric ? f.c3 : f.c1);
            literalSort(rows, column, numeric);
            EXPECT_EQ(Program::rows(f.disk), rows) << "seed " << seed << ", column " << column;
        }
    }
}
