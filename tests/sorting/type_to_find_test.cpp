// SPDX-License-Identifier: MIT
#include "tests/catalogue/archive_fixture.h"

namespace {

class TypeToFind : public ArchiveTest {
protected:
    TForm1& startWith(const std::vector<std::string>& titles)
    {
        for (std::size_t i = 0; i < titles.size(); ++i)
            p.rom("d:\\roms\\", std::string(1, static_cast<char>('a' + i)) + ".v64", { .title = titles[i] });
        auto& f = p.startAndSettle();
        f.disk->SetFocus();
        return f;
    }
    // Types a key into the archive table; the row it stands on afterwards.
    int press(char key)
    {
        p.type(key);
        return p.form->disk->Row();
    }
};

TEST_F(TypeToFind, SameLetterWalksTheTitlesAndWrapsAround)
{
    auto& f = startWith({ "MARIO", "mole", "ZELDA" });
    f.disk->SetRow(2);
    EXPECT_EQ(press('m'), 0) << "a new key starts at the top";
    EXPECT_EQ(press('m'), 1);
    EXPECT_EQ(press('m'), 0) << "wraps to the first match";
    EXPECT_EQ(press('z'), 2);
    EXPECT_EQ(press('Z'), 2);
}

TEST_F(TypeToFind, ALetterInTheOtherCaseStartsAgainFromTheTop)
{
    auto& f = startWith({ "MARIO", "mole", "MOTHER" });
    EXPECT_EQ(press('m'), 0);
    EXPECT_EQ(press('m'), 1);
    EXPECT_EQ(press('M'), 0) << "only the very same character continues after the current row";
    EXPECT_EQ(press('M'), 1);
    EXPECT_EQ(f.LastJumpKey, 'M');
}

TEST_F(TypeToFind, AJumpSelectsTheGameAndShowsItsDetails)
{
    auto& f = startWith({ "ALPHA", "BRAVO" });
    f.disk->SetRow(0);
    p.drain();
    press('b');
    EXPECT_EQ(f.SelectedGame, "b");
    EXPECT_EQ(f.SelectedTitle, "BRAVO");
    p.drain();
    EXPECT_EQ(p.console()[0], "Title: BRAVO               ");
    EXPECT_EQ(f.nlogo->Top(), 237);
}

TEST_F(TypeToFind, AKeyWithoutAMatchChangesNothing)
{
    auto& f = startWith({ "MARIO", "mole", "ZELDA" });
    press('m');
    press('m');
    p.drain();
    EXPECT_EQ(press('q'), 1);
    EXPECT_EQ(f.SelectedGame, "b");
    EXPECT_EQ(f.sysmem->Lines().Count(), 0) << "nothing is shown again";
    EXPECT_EQ(press('m'), 0) << "q became the last key, so m starts at the top";
}

TEST_F(TypeToFind, AnEmptyTableSelectsNothing)
{
    auto& f = startWith({});
    for (char key : { 'a', ' ', 'a' })
        EXPECT_EQ(press(key), 0);
    EXPECT_EQ(f.sysmem->Lines().Count(), 0);
    EXPECT_EQ(f.SelectedGame, "");
}

TEST_F(TypeToFind, MatchesOnlyTheFirstCharacterOfTheTitle)
{
    startWith({ "SUPER MARIO", "MARIO KART", "ISS" });
    EXPECT_EQ(press('m'), 1);
    EXPECT_EQ(press('m'), 1) << "the only match wraps onto itself";
    EXPECT_EQ(press('S'), 0);
    EXPECT_EQ(press('s'), 0);
}

}
