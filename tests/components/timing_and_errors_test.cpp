// SPDX-License-Identifier: MIT
#include "tests/support/qt_app.h"
#include "toolkit/application.h"
#include "toolkit/clock.h"
#include "toolkit/form.h"
#include "toolkit/string_grid.h"
#include "toolkit/timer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace tk;

namespace {

class OnTheVirtualClock : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApp();
        Application().SetClock(std::make_unique<TVirtualClock>());
        Application().OnException = [this](const std::exception& e) { errors.push_back(e.what()); };
    }
    void TearDown() override
    {
        Application().OnException = nullptr;
        Application().SetClock(std::make_unique<TRealClock>());
    }
    std::vector<std::string> errors;
};

TEST_F(OnTheVirtualClock, ATimerLateBecauseAnotherHandlerBlockedFiresOnce)
{
    TTimer fast(nullptr, "fast");
    fast.SetInterval(100);
    TTimer slow(nullptr, "slow");
    slow.SetInterval(50);
    std::vector<std::int64_t> ticks;
    fast.SetOnTimer([&](TObject*) { ticks.push_back(Application().Clock().Now()); });
    slow.SetOnTimer([&](TObject*) {
        slow.SetEnabled(false);
        Application().Sleep(350); // the loop is blocked until 400
    });
    std::int64_t begin = Application().Clock().Now();
    Application().Advance(450);
    ASSERT_EQ(ticks.size(), 1u);
    EXPECT_EQ(ticks[0] - begin, 400);
    Application().Advance(100);
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[1] - begin, 500);
}

TEST_F(OnTheVirtualClock, ATickThatFallsDueDuringItsOwnHandlerFollowsIt)
{
    TTimer timer(nullptr, "timer");
    timer.SetInterval(100);
    std::vector<std::int64_t> ticks;
    std::int64_t begin = Application().Clock().Now();
    timer.SetOnTimer([&](TObject*) {
        ticks.push_back(Application().Clock().Now() - begin);
        if (ticks.size() == 1)
            Application().Sleep(150);
    });
    Application().Advance(360);
    EXPECT_EQ(ticks, (std::vector<std::int64_t> { 100, 250, 350 }));
}

// A timer without a handler does not run; given one, it starts as a stopped timer that is started.
TEST_F(OnTheVirtualClock, AHandlerGivenLaterWaitsAFullIntervalFromThen)
{
    TTimer timer(nullptr, "timer");
    timer.SetInterval(100);
    Application().Advance(250);
    std::vector<std::int64_t> ticks;
    std::int64_t given = Application().Clock().Now();
    timer.SetOnTimer([&](TObject*) { ticks.push_back(Application().Clock().Now() - given); });
    Application().Advance(90);
    EXPECT_TRUE(ticks.empty());
    // Another handler in its place keeps the rhythm.
    timer.SetOnTimer([&](TObject*) { ticks.push_back(Application().Clock().Now() - given); });
    Application().Advance(110);
    EXPECT_EQ(ticks, (std::vector<std::int64_t> { 100, 200 }));
}

TEST_F(OnTheVirtualClock, AnyExceptionEscapingAHandlerGoesToTheDefaultHandler)
{
    Application().Guard([] { throw 42; });
    Application().Guard([] { throw std::string("text"); });
    Application().Guard([] { throw std::runtime_error("plain"); });
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_FALSE(errors[0].empty());
    EXPECT_EQ(errors[1], errors[0]);
    EXPECT_EQ(errors[2], "plain");
}

TEST(GridRows, OnlyWholeRowsWithTheirLinesCountAsVisible)
{
    ensureGuiApp();
    TForm form("form");
    auto* grid = new TStringGrid(&form, "grid");
    grid->SetDefaultRowHeight(16);
    grid->SetGridLineWidth(1);
    grid->SetRowCount(40);
    grid->SetBounds(0, 0, 542, 254);
    grid->SetOptions(goHorzLine | goRowSelect);
    EXPECT_EQ(grid->VisibleRowCount(), 14);
    grid->SetRow(14);
    EXPECT_EQ(grid->TopRow(), 1);
    grid->SetOptions(goRowSelect);
    grid->SetBounds(0, 0, 510, 150);
    EXPECT_EQ(grid->VisibleRowCount(), 9);
}

}
