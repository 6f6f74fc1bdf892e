// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/color.h"
#include "toolkit/component.h"
#include "toolkit/font.h"
#include "toolkit/types.h"

#include <string>

namespace tk {

class TCanvas;
class TForm;
class TPopupMenu;
class TWinControl;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Cursor numbers: negative ones are the stock cursors, positive ones custom slots of TScreen.
using TCursor = int;
constexpr TCursor crDefault = 0, crArrow = -2, crIBeam = -4, crHandPoint = -21, crHelp = -20;

// A visible component with a place in its parent, a font, a colour and mouse and key events.
class TControl : public TComponent {
public:
    TControl(TWinControl* parent, std::string name);
    ~TControl() override;

    TWinControl* Parent() const { return m_parent; }
    TForm* Form() const;
    // The form itself answers with itself, every other control with nothing: asked on every
    // repaint request, so no type query.
    virtual TForm* AsForm() const { return nullptr; }

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    TRect BoundsRect() const { return Bounds(m_left, m_top, m_width, m_height); }
    TRect ClientRect() const { return Bounds(0, 0, m_width, m_height); }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, m_top, m_width, m_height); }
    void SetTop(int v) { SetBounds(m_left, v, m_width, m_height); }
    void SetWidth(int v) { SetBounds(m_left, m_top, v, m_height); }
    void SetHeight(int v) { SetBounds(m_left, m_top, m_width, v); }

    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and every parent up to a visible form.
    bool Showing() const;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool);

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string&);

    TFont& Font() { return m_font; }
    const TFont& Font() const { return m_font; }
    TColor Color() const { return m_color; }
    void SetColor(TColor);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool);

    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor);
    TPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu* menu) { m_popupMenu = menu; }
    // Whether Tab may bring the focus to the control.
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool v) { m_tabStop = v; }

    // Window controls paint above the plain graphic controls of the same parent.
    virtual bool IsWindowed() const { return false; }
    // Whether a press at (x, y) in client coordinates lands on this control.
    virtual bool HitTest(int x, int y) const;

    TPoint ClientToForm(TPoint p) const;
    TPoint ClientToScreen(TPoint p) const;
    void BringToFront();

    // Marks the control for painting; Repaint paints the whole form at once.
    void Invalidate();
    void Repaint();

    virtual void Paint(TCanvas&) { }

    // Input, in client coordinates. The defaults fire the events.
    virtual void MouseDown(TMouseButton, TShiftState, int x, int y);
    virtual void MouseMove(TShiftState, int x, int y);
    virtual void MouseUp(TMouseButton, TShiftState, int x, int y);
    virtual void Click();
    // A left press and release on the control; plain controls fire OnClick.
    virtual void ClickOnRelease() { Click(); }
    virtual void DblClick();
    virtual void KeyDown(unsigned short& key, TShiftState);
    virtual void KeyPress(char& key);
    virtual void MouseEnter() { }
    virtual void MouseLeave() { }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;

protected:
    virtual void CaptionChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    virtual void BoundsChanged() { }
    // Where every face starts: the client area filled solid in Color(), or in the colour given.
    void FillBackground(TCanvas&) const;
    void FillBackground(TCanvas&, TColor) const;
    void SetParentInternal(TWinControl* parent) { m_parent = parent; }
    friend class TWinControl;

private:
    TWinControl* m_parent { nullptr };
    int m_left { 0 };
    int m_top { 0 };
    int m_width { 0 };
    int m_height { 0 };
    bool m_visible { true };
    bool m_enabled { true };
    bool m_transparent { false };
    bool m_tabStop { false };
    std::string m_caption;
    TFont m_font;
    TColor m_color { clBtnFace };
    TCursor m_cursor { crDefault };
    TPopupMenu* m_popupMenu { nullptr };
};

}
