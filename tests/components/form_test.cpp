// SPDX-License-Identifier: MIT
#include "tests/components/form_fixture.h"
#include "toolkit/button.h"
#include "toolkit/edit.h"
#include "toolkit/panel.h"

using namespace tk;

using FormBehaviour = FormTest;

// The size asked for holds unless a visible component of the form's own would be cut off; a
// component moving back in gives the room back.
TEST_F(FormBehaviour, AnAutoSizedFormTakesTheSizeAskedGrownToShowItsComponentsWhole)
{
    auto* panel = new TPanel(form.get(), "panel");
    panel->SetBounds(10, 10, 50, 50);
    auto* inner = new TPanel(panel, "inner");
    inner->SetBounds(0, 0, 900, 900); // clipped by its panel: not the form's business

    form->SetAutoSize(true);
    EXPECT_EQ(form->Width(), 320);
    EXPECT_EQ(form->Height(), 240);

    panel->SetBounds(300, 200, 50, 60);
    EXPECT_EQ(form->Width(), 350);
    EXPECT_EQ(form->Height(), 260);
    panel->Hide();
    EXPECT_EQ(form->Width(), 320);
    panel->Show();
    form->SetBounds(0, 0, 400, 100);
    EXPECT_EQ(form->Width(), 400);
    EXPECT_EQ(form->Height(), 260);
    form->CenterOnScreen();
    panel->SetLeft(0);
    EXPECT_EQ(form->Width(), 400);

    form->SetAutoSize(false);
    EXPECT_EQ(form->Height(), 100);
    panel->SetTop(500);
    EXPECT_EQ(form->Height(), 100);
}

// Tab and Shift+Tab walk the focusable tab stops in the order they were made, round the end;
// controls without a tab stop, hidden or disabled ones are passed over.
TEST_F(FormBehaviour, TabMovesTheFocusAlongTheTabStops)
{
    auto* first = new TEdit(form.get(), "first");
    auto* panel = new TPanel(form.get(), "panel");
    new TEdit(panel, "nested");
    auto* noStop = new TButton(form.get(), "noStop");
    noStop->SetTabStop(false);
    auto* hidden = new TButton(form.get(), "hidden");
    hidden->Hide();
    auto* disabled = new TButton(form.get(), "disabled");
    disabled->SetEnabled(false);
    auto* last = new TButton(form.get(), "last");
    panel->SetBounds(0, 30, 100, 40);
    last->SetTop(100);

    first->SetFocus();
    std::vector<std::string> visited;
    for (int i = 0; i < 3; ++i) {
        key(VK_TAB);
        visited.push_back(form->ActiveControl()->Name());
    }
    EXPECT_EQ(visited, (std::vector<std::string> { "nested", "last", "first" }));
    key(VK_TAB, ssShift);
    EXPECT_EQ(form->ActiveControl(), last);
    key(VK_TAB, ssCtrl); // not a focus move
    EXPECT_EQ(form->ActiveControl(), last);
}
