// SPDX-License-Identifier: MIT
#include "tests/components/form_fixture.h"
#include "toolkit/button.h"
#include "toolkit/clock.h"
#include "toolkit/exceptions.h"
#include "toolkit/list_box.h"
#include "toolkit/string_grid.h"
#include "toolkit/timer.h"

#include <string>

using namespace tk;

namespace {

// The message an index error carries, or what else was thrown.
template <class Action>
std::string indexError(Action&& action)
{
    try {
        action();
    } catch (const Exception& e) {
        return e.what();
    } catch (const std::exception& e) {
        return std::string("not a toolkit error: ") + e.what();
    }
    return "nothing thrown";
}

// A capture too big for std::function to keep inline, so a handler destroyed while it runs is a
// read of freed memory the sanitizer sees.
struct Bulky {
    std::string text = std::string(200, 'x');
};

}

TEST(IndexErrors, ListsAndGridsNameTheIndexAsTheClassicToolkitDoes)
{
    ensureGuiApp();
    TStrings lines;
    lines.Add("a");
    lines.Add("b");
    EXPECT_EQ(indexError([&] { (void)lines[2]; }), "List index out of bounds (2)");
    EXPECT_EQ(indexError([&] { (void)lines.Strings(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(indexError([&] { lines.Put(7, "x"); }), "List index out of bounds (7)");
    EXPECT_EQ(lines.Text(), "a\r\nb\r\n");

    TForm form("form");
    auto* grid = new TStringGrid(&form, "grid");
    grid->SetRowCount(3);
    EXPECT_EQ(indexError([&] { grid->ExchangeRows(0, 3); }), "List index out of bounds (3)");
    EXPECT_EQ(indexError([&] { grid->ExchangeRows(-4, 1); }), "List index out of bounds (-4)");
    EXPECT_EQ(indexError([&] { (void)grid->RowCells(5); }), "List index out of bounds (5)");
}

// A row height of 0 (or a line width that cancels it) would divide by zero wherever rows are
// counted or hit; it is taken as 1, as the list boxes take their item height.
TEST(GridRows, NoRowHeightIsClampedToOnePixel)
{
    ensureGuiApp();
    TForm form("form");
    form.SetBounds(0, 0, 200, 200);
    auto* grid = new TStringGrid(&form, "grid");
    grid->SetBounds(0, 0, 100, 50);
    grid->SetRowCount(80);
    grid->SetOptions(goRowSelect);
    grid->SetDefaultRowHeight(0);
    EXPECT_EQ(grid->DefaultRowHeight(), 1);
    EXPECT_EQ(grid->VisibleRowCount(), 50);
    EXPECT_EQ(grid->RowAt(5, 7), 7);
    unsigned short down = VK_NEXT;
    grid->KeyDown(down, 0);
    EXPECT_EQ(grid->Row(), 50);
    grid->SetDefaultRowHeight(-3);
    EXPECT_EQ(grid->DefaultRowHeight(), 1);

    grid->SetOptions(goRowSelect | goHorzLine);
    grid->SetGridLineWidth(-1);
    EXPECT_EQ(grid->GridLineWidth(), 0);
    EXPECT_EQ(grid->VisibleRowCount(), 50);
    EXPECT_FALSE(form.Render().isNull());
}

// Handlers that free or hide the control they were called for: the dispatch must end without
// touching it again (the sanitizer build sees any read of it).
class SelfDestruction : public FormTest {
protected:
    template <class Control>
    Control* make()
    {
        auto* control = new Control(form.get(), "control");
        control->SetBounds(10, 10, 100, 60);
        return control;
    }
    int after { 0 };
};

TEST_F(SelfDestruction, ButtonFreedByItsOwnClickOrPressOrKey)
{
    auto* button = make<TButton>();
    button->OnClick = [this, button, bulky = Bulky()](TObject*) {
        delete button;
        after += int(bulky.text.size());
    };
    click(20, 20);
    EXPECT_EQ(after, 200);
    EXPECT_TRUE(form->Controls().empty());

    button = make<TButton>();
    button->OnMouseDown = [button, bulky = Bulky()](TObject*, TMouseButton, TShiftState, int, int) { delete button; };
    click(20, 20);
    doubleClick(20, 20);
    EXPECT_TRUE(form->Controls().empty());

    button = make<TButton>();
    button->SetFocus();
    button->OnKeyDown = [button](TObject*, unsigned short&, TShiftState) { delete button; };
    key(VK_RETURN);
    EXPECT_TRUE(form->Controls().empty());
    EXPECT_TRUE(errors.empty());
}

TEST_F(SelfDestruction, ListAndGridFreedByTheirClicksAndKeys)
{
    auto* list = make<TListBox>();
    list->Items().SetLines({ "one", "two", "three" });
    list->OnClick = [list](TObject*) { delete list; };
    click(20, 5 + 13);
    EXPECT_TRUE(form->Controls().empty());

    auto* grid = make<TStringGrid>();
    grid->SetDefaultRowHeight(10);
    grid->OnClick = [grid, bulky = Bulky()](TObject*) { delete grid; };
    click(20, 25); // a press on another row moves the current row: a click
    EXPECT_TRUE(form->Controls().empty());

    grid = make<TStringGrid>();
    grid->SetFocus();
    grid->OnClick = [grid](TObject*) { delete grid; };
    key(VK_DOWN);
    EXPECT_TRUE(form->Controls().empty());

    list = make<TListBox>();
    list->Items().SetLines({ "one", "two" });
    list->SetFocus();
    list->OnKeyDown = [list](TObject*, unsigned short&, TShiftState) { delete list; };
    key(VK_DOWN);
    EXPECT_TRUE(form->Controls().empty());
    EXPECT_TRUE(errors.empty());
}

TEST_F(SelfDestruction, AHandlerThatReplacesItselfRunsToItsEnd)
{
    auto* button = make<TButton>();
    button->OnClick = [this, button, bulky = Bulky()](TObject*) {
        button->OnClick = nullptr;
        after = int(bulky.text.size());
    };
    click(20, 20);
    EXPECT_EQ(after, 200);
}

// The press hid the button: the release that follows is no click on a control nobody can see.
TEST_F(SelfDestruction, AButtonHiddenByItsPressTakesNoClick)
{
    auto* button = make<TButton>();
    int clicks = 0;
    button->OnMouseDown = [button](TObject*, TMouseButton, TShiftState, int, int) { button->Hide(); };
    button->OnClick = [&](TObject*) { ++clicks; };
    click(20, 20);
    EXPECT_EQ(clicks, 0);
    button->Show();
    button->OnMouseDown = nullptr;
    click(20, 20);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SelfDestruction, TimersFreedOrRetimedByTheirOwnTicks)
{
    Application().SetClock(std::make_unique<TVirtualClock>());
    auto* once = new TTimer(nullptr, "once");
    once->SetInterval(100);
    int ticks = 0;
    once->SetOnTimer([&, once, bulky = Bulky()](TObject*) {
        delete once;
        ticks += int(bulky.text.size());
    });
    // Due at the same moment as the timer it frees, and ahead of it.
    auto* killer = new TTimer(nullptr, "killer");
    killer->SetInterval(100);
    auto* other = new TTimer(nullptr, "other");
    other->SetInterval(100);
    TTimer* victim = other;
    killer->SetOnTimer([&](TObject*) {
        delete victim;
        victim = nullptr;
    });
    other->SetOnTimer([&](TObject*) { ticks += 1000; });
    Application().Advance(150);
    EXPECT_EQ(ticks, 200);
    EXPECT_EQ(victim, nullptr);

    killer->SetOnTimer([&, bulky = Bulky()](TObject*) {
        killer->SetOnTimer([&](TObject*) { ++ticks; });
        ticks += int(bulky.text.size());
    });
    Application().Advance(100);
    Application().Advance(100);
    EXPECT_EQ(ticks, 401);

    // The real loop's delivery: a timer freed by an earlier tick of the same round does not tick.
    auto* late = new TTimer(nullptr, "late");
    late->SetInterval(100);
    late->SetOnTimer([&](TObject*) { ticks += 1000; });
    victim = late;
    killer->SetOnTimer([&](TObject*) {
        delete victim;
        victim = nullptr;
    });
    auto& clock = dynamic_cast<TVirtualClock&>(Application().Clock());
    clock.SetNow(clock.Now() + 100);
    Application().DeliverDueTimers();
    EXPECT_EQ(ticks, 401);
    EXPECT_EQ(victim, nullptr);
    delete killer;
    Application().SetClock(std::make_unique<TRealClock>());
}
