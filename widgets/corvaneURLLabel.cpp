// SPDX-License-Identifier: MIT
#include "widgets/corvaneURLLabel.h"

#include "platform/classes_root.h"
#include "platform/filesystem.h"
#include "platform/shell.h"
#include "platform/win_path.h"
#include "toolkit/application.h"
#include "toolkit/clipboard.h"
#include "toolkit/screen.h"

namespace {

constexpr tk::TColor blue = 0xFF0000; // red in the lowest byte
constexpr tk::TColor red = 255;
constexpr tk::TColor purple = 8388736;

// The three hand cursors, 32 x 32, hot spot at the tip of the index finger.
const tk::TScreen::CursorImage* cursorImage(TCustomCursor cursor)
{
    static const tk::TScreen::CursorImage images[] = {
        { "cursor_mozilla.png", 4, 0 }, { "cursor_msie.png", 5, 0 }, { "cursor_tolmarhand.png", 5, 0 }
    };
    return cursor == crDefaultCursor ? nullptr : &images[cursor - 1];
}

}

TCorvaneURLLabel::TCorvaneURLLabel(tk::TWinControl* parent, std::string name)
    : tk::TLabel(parent, std::move(name))
{
    Font().SetColor(blue);
    Font().SetStyle(tk::fsUnderline);
    m_normalColor = Font().Color();
    m_colorMouseOver = red;
    m_colorActive = purple;
    m_popupString = "Copy Link Location";
    m_url = "https://tavisco.example/";
    m_menu = new tk::TPopupMenu(this, "");
    m_menu->OnPopup = [this](tk::TObject*) {
        m_pressed = false;
        m_inside = false;
        UpdateColor();
    };
    m_item = m_menu->Add("MenuItem", m_popupString);
    m_item->OnClick = [this](tk::TObject*) { CopyUrl(); };
    SetPopupMenu(m_menu);
    SetCursorMouseOver(crMozilla);
    tk::Screen().SetCursor(CursorSlot, *cursorImage(crMozilla));
    SetCursor(CursorSlot);
}

void TCorvaneURLLabel::SetCursorMouseOver(TCustomCursor cursor)
{
    if (const auto* image = cursorImage(cursor)) {
        tk::Screen().SetCursor(CursorSlot, *image);
        SetCursor(CursorSlot);
    } else {
        SetCursor(tk::crDefault);
    }
    m_cursorMouseOver = cursor;
}

void TCorvaneURLLabel::SetPopupString(const std::string& text)
{
    m_item->SetCaption(text);
    m_popupString = text;
}

void TCorvaneURLLabel::UpdateColor()
{
    Font().SetColor(!m_inside ? m_normalColor : m_pressed ? m_colorActive : m_colorMouseOver);
}

void TCorvaneURLLabel::CopyUrl()
{
    tk::Application().Clipboard().SetAsText(m_url);
}

void TCorvaneURLLabel::MouseEnter()
{
    m_inside = true;
    UpdateColor();
    tk::TLabel::MouseEnter();
}

void TCorvaneURLLabel::MouseLeave()
{
    m_inside = false;
    UpdateColor();
    tk::TLabel::MouseLeave();
}

// While a button is held the pointer is captured and no leave comes: moving off counts as leaving.
void TCorvaneURLLabel::MouseMove(tk::TShiftState shift, int x, int y)
{
    bool inside = HitTest(x, y);
    if (m_pressed && inside != m_inside) {
        m_inside = inside;
        UpdateColor();
    }
    tk::TLabel::MouseMove(shift, x, y);
}

void TCorvaneURLLabel::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    if (button == tk::mbLeft)
        m_pressed = true;
    m_inside = true;
    UpdateColor();
    tk::TLabel::MouseDown(button, shift, x, y);
}

void TCorvaneURLLabel::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    if (button == tk::mbLeft)
        m_pressed = false;
    UpdateColor();
    if (m_inside && button == tk::mbLeft)
        OpenUrl();
    tk::TLabel::MouseUp(button, shift, x, y);
}

// The first of the web page extensions whose file type has an open command.
std::string TCorvaneURLLabel::BrowserCommand()
{
    auto root = platform::ClassesRoot::open();
    for (const char* extension : { ".html", ".htm", ".shtml", ".shtm" }) {
        auto type = root.defaultValue(std::string("\\") + extension);
        if (!type || type->empty())
            continue;
        if (auto command = root.defaultValue("\\" + *type + "\\shell\\open\\command"))
            return *command;
    }
    return {};
}

void TCorvaneURLLabel::OpenUrl() const
{
    std::string command = BrowserCommand();
    for (auto at = command.find("%1"); at != std::string::npos; at = command.find("%1"))
        command.erase(at, 2);
    auto& shell = platform::Shell::instance();
    // Only a program named by an absolute path: a relative name would be looked for in the current
    // folder, which after a Zip scan is the removable disk's root.
    if (platform::WinPath::parse(command).absolute() && platform::FileSystem::instance().fileExists(command))
        shell.startProgram(command, m_url);
    else
        shell.openAddress(m_url);
}
