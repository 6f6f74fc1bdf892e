// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/label.h"
#include "toolkit/popup_menu.h"

#include <string>

enum TCustomCursor { crDefaultCursor, crMozilla, crMSIE, crTolmarHelp };

// A label that behaves like a link: underlined in a link colour, red under the pointer, purple
// while pressed, a hand cursor, its address opened by a left click, and a menu that copies it.
class TCorvaneURLLabel : public tk::TLabel {
public:
    TCorvaneURLLabel(tk::TWinControl* parent, std::string name);

    tk::TColor ColorMouseOver() const { return m_colorMouseOver; }
    void SetColorMouseOver(tk::TColor color) { m_colorMouseOver = color; }
    tk::TColor ColorActive() const { return m_colorActive; }
    void SetColorActive(tk::TColor color) { m_colorActive = color; }
    const std::string& Url() const { return m_url; }
    void SetUrl(const std::string& url) { m_url = url; }
    TCustomCursor CursorMouseOver() const { return m_cursorMouseOver; }
    void SetCursorMouseOver(TCustomCursor);
    const std::string& PopupString() const { return m_popupString; }
    void SetPopupString(const std::string&);

    // Opens the address: the browser the desktop names for web pages when that is a plain
    // existing program named by an absolute path, else the desktop's own opener.
    void OpenUrl() const;

    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(tk::TShiftState, int x, int y) override;
    void MouseDown(tk::TMouseButton, tk::TShiftState, int x, int y) override;
    void MouseUp(tk::TMouseButton, tk::TShiftState, int x, int y) override;

    // The slot every hyperlink label's cursor goes through.
    static constexpr tk::TCursor CursorSlot = 5;

private:
    void UpdateColor();
    void CopyUrl();
    static std::string BrowserCommand();

    tk::TColor m_normalColor {};
    tk::TColor m_colorMouseOver {};
    tk::TColor m_colorActive {};
    std::string m_url;
    TCustomCursor m_cursorMouseOver { crDefaultCursor };
    std::string m_popupString;
    bool m_inside { false };
    bool m_pressed { false };
    tk::TPopupMenu* m_menu {};
    tk::TMenuItem* m_item {};
};
