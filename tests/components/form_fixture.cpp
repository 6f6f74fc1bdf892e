// SPDX-License-Identifier: MIT
#include "tests/components/form_fixture.h"

#include "toolkit/popup_menu.h"

using namespace tk;

void MenuDialogs::Popup(TPopupMenu& menu, int x, int y)
{
    Shown shown { {}, x, y };
    TMenuItem* picked = nullptr;
    for (TMenuItem* item : menu.VisibleItems()) {
        shown.captions.push_back(item->Caption());
        if (!choose.empty() && item->Caption() == choose)
            picked = item;
    }
    popups.push_back(shown);
    if (picked)
        picked->Click();
}

void FormTest::SetUp()
{
    ensureGuiApp();
    auto scripted = std::make_unique<MenuDialogs>();
    dialogs = scripted.get();
    Application().SetDialogs(std::move(scripted));
    Application().SetClipboard(std::make_unique<TClipboard>());
    Application().OnException = [this](const std::exception& e) { errors.push_back(e.what()); };
    form = std::make_unique<TForm>("TestForm");
    form->SetBounds(100, 50, 320, 240);
    form->Show();
}

void FormTest::TearDown()
{
    form.reset();
    Application().OnException = nullptr;
    Application().SetDialogs(std::make_unique<TDialogs>());
}

void FormTest::click(int x, int y, TShiftState shift)
{
    form->DispatchMouseDown(mbLeft, shift, x, y);
    form->DispatchMouseUp(mbLeft, shift, x, y);
}

// The press-release-press-release a person makes; the second press reports the double click.
void FormTest::doubleClick(int x, int y)
{
    click(x, y);
    form->DispatchMouseDown(mbLeft, 0, x, y, true);
    form->DispatchMouseUp(mbLeft, 0, x, y);
}

void FormTest::key(unsigned short vk, TShiftState shift)
{
    form->DispatchKeyDown(vk, shift);
}

void FormTest::type(const std::string& text)
{
    for (char c : text)
        form->DispatchKeyPress(c);
}

TColor FormTest::pixel(int x, int y)
{
    QImage image = form->Render();
    return fromQColor(image.pixelColor(x, y));
}
