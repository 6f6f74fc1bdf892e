// SPDX-License-Identifier: MIT
#include "tests/catalogue/archive_fixture.h"

#include "toolkit/application.h"
#include "toolkit/form_host.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace {

// What a person watching the console sees: the bottom line at every repaint, with the time.
class ConsoleWatch : public tk::TFormHost {
public:
    struct Frame {
        std::int64_t time;
        std::string bottom;
    };

    explicit ConsoleWatch(TForm1& form)
        : m_form(form)
    {
    }

    void Invalidate() override { }
    void RepaintNow() override { frames.push_back({ tk::Application().Clock().Now(), m_form.l9->Caption() }); }
    void GeometryChanged() override { }
    void VisibilityChanged() override { }
    void CaptionChanged() override { }

    // When the line stood complete in the bottom line for the first time.
    std::optional<std::int64_t> shown(const std::string& line) const
    {
        auto it = std::find_if(frames.begin(), frames.end(), [&](const Frame& f) { return f.bottom == line; });
        return it == frames.end() ? std::nullopt : std::optional(it->time);
    }
    // When typing of a line that begins with `first` started: its first character appears 10 ms in.
    std::optional<std::int64_t> started(char first) const
    {
        auto found = shown(std::string(1, first) + "_");
        return found ? std::optional(*found - 10) : std::nullopt;
    }

    std::vector<Frame> frames;

private:
    TForm1& m_form;
};

class Console : public ArchiveTest {
protected:
    TForm1& idle()
    {
        auto& f = p.startAndSettle();
        auto host = std::make_unique<ConsoleWatch>(f);
        watch = host.get();
        f.SetHost(std::move(host));
        return f;
    }

    ConsoleWatch* watch { nullptr };
};

TEST_F(Console, BlockOnAnIdleConsoleWipesAndThenTypesLinesAQuarterSecondApart)
{
    auto& f = idle();
    f.sysdis("old text");
    watch->frames.clear();
    std::int64_t queued = p.now();
    f.sys("#");
    f.sys("one");
    f.sys("two");
    f.sys("three");

    p.advance(499);
    EXPECT_TRUE(watch->frames.empty());
    EXPECT_EQ(f.l9->Caption(), "old text");

    p.drain();
    // Ten blanks, the first half a second after the last call, each 10 ms typing + 1 ms wait.
    ASSERT_TRUE(watch->started(' '));
    EXPECT_EQ(*watch->started(' '), queued + 500);
    int blanks = static_cast<int>(std::count_if(watch->frames.begin(), watch->frames.end(),
        [](const auto& frame) { return frame.bottom == " "; }));
    EXPECT_EQ(blanks, 10);
    std::int64_t wiped = queued + 500 + 10 * 11 - 1;
    ASSERT_TRUE(watch->shown("one") && watch->shown("two") && watch->shown("three"));
    EXPECT_EQ(*watch->started('o'), wiped + 1);
    EXPECT_EQ(*watch->started('t'), *watch->shown("one") + 250);
    EXPECT_EQ(*watch->shown("three") - 50, *watch->shown("two") + 250);
    EXPECT_EQ(p.console(), (std::vector<std::string> { " ", " ", " ", " ", " ", " ", "one", "two", "three" }));
    EXPECT_FALSE(f.Timer3->Enabled());
    EXPECT_EQ(f.Timer3->Interval(), 500);
}

TEST_F(Console, EveryAppendRestartsTheWait)
{
    auto& f = idle();
    std::int64_t first = p.now();
    f.sys("alpha");
    p.advance(300);
    f.sys("beta");
    p.advance(499);
    EXPECT_FALSE(watch->shown("alpha"));
    p.drain();
    EXPECT_EQ(*watch->started('a'), first + 300 + 500);
    EXPECT_EQ(*watch->started('b'), *watch->shown("alpha") + 250);
}

TEST_F(Console, BlockQueuedWhileDrainingFollowsTheLastTicksInterval)
{
    auto& f = idle();
    f.sys("#");
    f.sys("x");
    f.sys("y");
    p.advance(700);
    ASSERT_TRUE(watch->shown("x"));
    ASSERT_FALSE(watch->shown("y"));
    std::int64_t requeued = p.now();
    watch->frames.clear();
    f.sys("#");
    f.sys("z");
    p.drain();
    // The interval after the text line x was 250 ms; the appends restarted it.
    EXPECT_EQ(*watch->started(' '), requeued + 250);
    EXPECT_FALSE(watch->shown("y"));
    EXPECT_EQ(p.consoleText(), (std::vector<std::string> { "z" }));
}

TEST_F(Console, PlusBlanksAllNineLinesAtOnceAndLeavesTheQueueEmpty)
{
    auto& f = idle();
    for (int i = 1; i <= 9; ++i)
        f.sysdis("line " + std::to_string(i));
    std::int64_t before = p.now();
    f.sys("+");
    EXPECT_EQ(p.now() - before, 100); // ten blanks typed, 10 ms each
    EXPECT_TRUE(p.consoleText().empty());
    EXPECT_EQ(f.sysmem->Lines().Count(), 0);
    EXPECT_FALSE(f.Timer3->Enabled());
}

TEST_F(Console, PlusWhileDrainingEmptiesTheQueueAndStopsTheConsole)
{
    auto& f = idle();
    f.sys("#");
    f.sys("first");
    f.sys("second");
    p.advance(700);
    ASSERT_TRUE(watch->shown("first"));
    f.sys("+");
    f.sysdis("Copying...");
    EXPECT_FALSE(f.Timer3->Enabled());
    EXPECT_EQ(f.Timer3->Interval(), 500);
    watch->frames.clear();
    p.advance(3000);
    EXPECT_TRUE(watch->frames.empty());
    EXPECT_EQ(p.consoleText(), (std::vector<std::string> { "Copying..." }));
    // The next line queued is typed half a second later, as on any idle console.
    std::int64_t queued = p.now();
    f.sys("again");
    p.drain();
    EXPECT_EQ(*watch->started('a'), queued + 500);
}

TEST_F(Console, OnlyTheExactOneCharacterTextsAreControlWords)
{
    auto& f = idle();
    f.sysdis("kept");
    f.sys("#a");
    f.sys("+ ");
    f.sys(" #");
    f.sys("");
    f.sys("++");
    p.drain();
    EXPECT_EQ(f.l4->Caption(), "kept");
    EXPECT_EQ(f.l5->Caption(), "#a");
    EXPECT_EQ(f.l6->Caption(), "+ ");
    EXPECT_EQ(f.l7->Caption(), " #");
    EXPECT_EQ(f.l8->Caption(), "");
    EXPECT_EQ(f.l9->Caption(), "++");
}

TEST_F(Console, LineIsTypedTenMillisecondsACharacterBehindACursor)
{
    auto& f = idle();
    f.sysdis("above");
    watch->frames.clear();
    // As wide as the console shows: wider lines are typed as far as they show (below).
    const std::string line = "0123456789abcdefghij";
    ASSERT_LT(f.l9->TextWidth(line), f.l9->Width());
    std::int64_t begin = p.now();
    f.sysdis(line);
    EXPECT_EQ(p.now() - begin, 200);
    ASSERT_EQ(watch->frames.size(), 21u);
    for (std::size_t i = 1; i <= 20; ++i) {
        EXPECT_EQ(watch->frames[i - 1].bottom, line.substr(0, i) + "_");
        EXPECT_EQ(watch->frames[i - 1].time, begin + 10 * static_cast<std::int64_t>(i));
    }
    EXPECT_EQ(watch->frames.back().bottom, line);
    EXPECT_EQ(f.l9->Caption(), line);
    EXPECT_EQ(f.l8->Caption(), "above");
}

TEST_F(Console, EmptyLineOnlyScrolls)
{
    auto& f = idle();
    f.sysdis("top");
    std::int64_t begin = p.now();
    f.sysdis("");
    EXPECT_EQ(p.now(), begin);
    EXPECT_EQ(f.l8->Caption(), "top");
    EXPECT_EQ(f.l9->Caption(), "");
}

TEST_F(Console, SysdisBetweenQueuedLinesShowsAtOnceAndTheQueueGoesOn)
{
    auto& f = idle();
    f.sys("#");
    f.sys("queued one");
    f.sys("queued two");
    p.advance(800);
    ASSERT_TRUE(watch->shown("queued one"));
    ASSERT_FALSE(watch->shown("queued two"));
    std::int64_t nextTick = *watch->shown("queued one") + 250;
    f.sysdis("now");
    EXPECT_EQ(f.l9->Caption(), "now");
    EXPECT_EQ(f.l8->Caption(), "queued one");
    watch->frames.clear();
    p.drain();
    EXPECT_EQ(*watch->started('q'), nextTick);
    EXPECT_EQ(f.l7->Caption(), "queued one");
    EXPECT_EQ(f.l8->Caption(), "now");
    EXPECT_EQ(f.l9->Caption(), "queued two");
}

TEST_F(Console, ALineWiderThanTheConsoleIsTypedOnlyAsFarAsItShows)
{
    auto& f = idle();
    std::string line;
    while (line.size() < 100000)
        line += "Category: a very long line ";
    std::int64_t begin = p.now();
    f.sysdis(line);
    ASSERT_GE(watch->frames.size(), 2u);
    std::size_t typed = watch->frames.size() - 1;
    EXPECT_EQ(p.now() - begin, 10 * static_cast<std::int64_t>(typed));
    EXPECT_EQ(watch->frames[typed - 1].bottom, line.substr(0, typed) + "_");
    // The last character typed is the one the right edge cuts.
    EXPECT_GE(f.l9->TextWidth(line.substr(0, typed)), f.l9->Width());
    EXPECT_LT(f.l9->TextWidth(line.substr(0, typed - 1)), f.l9->Width());
    EXPECT_EQ(f.l9->Caption(), line);
}

TEST_F(Console, ACategoryIsItsFirstLineCutAt255CharactersAndReadNoFurther)
{
    p.rom("d:\\roms\\", "a.v64", { .title = "LONG" });
    p.rom("d:\\roms\\", "b.v64", { .title = "ZEROS" });
    p.rom("d:\\roms\\", "c.v64", { .title = "HUGE" });
    p.drives.write("d:\\ram\\a.cat", std::string(100000, 'x'));
    p.drives.write("d:\\ram\\b.cat", std::string(1 << 20, '\0'));
    p.drives.write("d:\\ram\\c.cat", "Racing\r\n");
    std::filesystem::resize_file(p.drives.host("d:\\ram\\c.cat"), 65 << 20);
    auto& f = idle();
    ASSERT_EQ(f.disk->Cell(3, 0), std::string(255, 'x'));
    EXPECT_EQ(f.disk->Cell(3, 1), std::string(255, '\0'));
    EXPECT_EQ(f.disk->Cell(3, 2), "Racing");

    std::int64_t begin = p.now();
    p.clickRow(f.disk, 0);
    p.drain();
    EXPECT_LT(p.now() - begin, 4000);
    EXPECT_EQ(f.l4->Caption(), "Category: " + std::string(255, 'x'));
}

// From the root of c: with the archive there, nothing is scanned during creation, so the first
// block is queued at tick 1 into a console that has never run empty.
TEST(ConsoleAtStart, FirstBlockFollowsAQuarterSecondAfterItWasQueued)
{
    Program p;
    p.settings({ "z:\\", "c:\\", "c:\\", "-", "1" });
    auto& f = p.start();
    EXPECT_EQ(f.Timer3->Interval(), 250);
    std::optional<std::int64_t> scanned, firstLine;
    auto startup = f.Timer1->OnTimer();
    f.Timer1->SetOnTimer([&](TObject* sender) {
        startup(sender);
        if (f.StartupTicks == 1)
            scanned = p.now();
    });
    auto console = f.Timer3->OnTimer();
    f.Timer3->SetOnTimer([&](TObject* sender) {
        if (!firstLine)
            firstLine = p.now();
        console(sender);
    });
    p.advance(2000);
    ASSERT_TRUE(scanned && firstLine);
    EXPECT_EQ(*firstLine, *scanned + 250);
}

}
