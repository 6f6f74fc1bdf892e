// SPDX-License-Identifier: MIT
#include "toolkit/form.h"

#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/canvas.h"
#include "toolkit/object_watch.h"
#include "toolkit/popup_menu.h"
#include "toolkit/property.h"
#include "toolkit/screen.h"

#include <algorithm>
#include <utility>

namespace tk {

namespace {

// Visible with every container up to the form, whether or not the form itself is shown.
bool shownInForm(const TControl* control)
{
    for (const TControl* c = control; c && c->Parent(); c = c->Parent())
        if (!c->Visible())
            return false;
    return true;
}

}

TForm::TForm(std::string name)
    : TWinControl(nullptr, std::move(name))
{
    SetVisible(false);
    Application().AddForm(this);
}

TForm::~TForm()
{
    DestroyComponents();
    m_host.reset();
    Application().RemoveForm(this);
}

void TForm::SetVisible(bool visible)
{
    if (visible == Visible())
        return;
    if (visible && m_position == poScreenCenter)
        CenterOnScreen();
    TWinControl::SetVisible(visible);
    if (m_host)
        m_host->VisibilityChanged();
}

void TForm::SetBorderStyle(TFormBorderStyle v)
{
    if (!Change(m_borderStyle, v))
        return;
    if (m_host)
        m_host->StyleChanged();
}

void TForm::SetFormStyle(TFormStyle v)
{
    if (!Change(m_formStyle, v))
        return;
    if (m_host)
        m_host->StyleChanged();
}

void TForm::SetAutoSize(bool v)
{
    if (!Change(m_autoSize, v))
        return;
    ApplyBounds(Left(), Top());
}

void TForm::SetBounds(int left, int top, int width, int height)
{
    m_askedWidth = width;
    m_askedHeight = height;
    ApplyBounds(left, top);
}

void TForm::ChildBoundsChanged()
{
    if (m_autoSize)
        ApplyBounds(Left(), Top());
}

void TForm::ApplyBounds(int left, int top)
{
    int width = m_askedWidth, height = m_askedHeight;
    if (m_autoSize) {
        for (const TControl* c : Controls()) {
            if (!c->Visible())
                continue;
            width = std::max(width, c->Left() + c->Width());
            height = std::max(height, c->Top() + c->Height());
        }
    }
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    TWinControl::SetBounds(left, top, width, height);
    if (m_host)
        m_host->GeometryChanged();
}

void TForm::CenterOnScreen()
{
    const auto& screen = Screen();
    ApplyBounds((screen.Width() - Width()) / 2, (screen.Height() - Height()) / 2);
}

void TForm::CaptionChanged()
{
    if (m_host)
        m_host->CaptionChanged();
}

void TForm::Close()
{
    TCloseAction action = caHide;
    // Close may come straight from the window system; a failing handler is reported, not thrown.
    if (OnClose)
        Guard([&] { OnClose(this, action); });
    if (action == caNone)
        return;
    Hide();
    if (Application().MainForm() == this)
        Application().Terminate();
}

void TForm::SetActiveControl(TWinControl* control)
{
    if (control == m_activeControl)
        return;
    m_activeControl = control;
    if (m_host)
        m_host->FocusChanged();
    if (control)
        control->DoEnter();
    InvalidateForm();
}

void TForm::Repaint()
{
    ++m_repaintCount;
    if (m_host)
        m_host->RepaintNow();
}

void TForm::InvalidateForm()
{
    if (m_host)
        m_host->Invalidate();
}

QImage TForm::Render()
{
    QImage image(std::max(Width(), 1), std::max(Height(), 1), QImage::Format_RGB32);
    TCanvas canvas(image);
    PaintTo(canvas);
    return image;
}

void TForm::PaintTo(TCanvas& canvas)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
    PaintWithChildren(canvas);
}

TControl* TForm::ControlAtPoint(int x, int y, TPoint* local) const
{
    const TWinControl* container = this;
    TControl* found = nullptr;
    while (container) {
        TControl* child = container->ControlAt(x, y);
        if (!child)
            break;
        found = child;
        x -= child->Left();
        y -= child->Top();
        container = dynamic_cast<TWinControl*>(child);
    }
    if (local)
        *local = { x, y };
    return found;
}

void TForm::DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y, bool doubleClick)
{
    TPoint local;
    TControl* target = ControlAtPoint(x, y, &local);
    if (!target)
        target = this;
    m_capture = target;
    m_captureButton = button;
    m_captureDouble = doubleClick;
    // A handler may free the control it was called for: once it is gone nothing more goes to it.
    Guard([&] {
        TObjectWatch watch(*target);
        target->MouseDown(button, doubleClick ? shift | ssDouble : shift, local.X, local.Y);
        if (doubleClick && button == mbLeft && !watch.Gone() && m_capture == target)
            target->DblClick();
    });
}

void TForm::DispatchMouseMove(TShiftState shift, int x, int y)
{
    TControl* target = m_capture;
    TPoint local;
    if (target) {
        TPoint origin = target->ClientToForm({ 0, 0 });
        local = { x - origin.X, y - origin.Y };
    } else {
        target = ControlAtPoint(x, y, &local);
        if (!target) {
            target = this;
            local = { x, y };
        }
        if (!MoveHover(target))
            return;
    }
    Guard([&] { target->MouseMove(shift, local.X, local.Y); });
}

// The window's enter: the control under the pointer is entered, as if the pointer moved there.
void TForm::DispatchMouseEnter(int x, int y)
{
    if (m_capture)
        return;
    TControl* target = ControlAtPoint(x, y);
    MoveHover(target ? target : this);
}

// The window's leave: whatever the pointer was over is left, so coming back enters it again.
void TForm::DispatchMouseLeave()
{
    if (TControl* old = std::exchange(m_hover, nullptr))
        Guard([&] { old->MouseLeave(); });
}

// False when the entered control was freed by the handlers.
bool TForm::MoveHover(TControl* target)
{
    if (target == m_hover)
        return true;
    TControl* old = m_hover;
    m_hover = target;
    TObjectWatch watch(*target);
    Guard([&] {
        if (old)
            old->MouseLeave();
        if (!watch.Gone())
            target->MouseEnter();
    });
    if (watch.Gone())
        return false;
    CursorChanged(target);
    return true;
}

void TForm::DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TControl* target = m_capture;
    if (!target || button != m_captureButton)
        return;
    m_capture = nullptr;
    TPoint origin = target->ClientToForm({ 0, 0 });
    int lx = x - origin.X, ly = y - origin.Y;
    bool inside = target->HitTest(lx, ly);
    bool wasDouble = m_captureDouble;
    Guard([&] {
        TObjectWatch watch(*target);
        target->MouseUp(button, shift, lx, ly);
        // A control its own handlers freed or hid takes no click and shows no menu.
        if (watch.Gone() || !shownInForm(target))
            return;
        if (button == mbLeft && inside && !wasDouble && target->Enabled())
            target->ClickOnRelease();
        if (button == mbRight && inside)
            PopupFor(target, lx, ly);
    });
}

void TForm::PopupFor(TControl* target, int x, int y)
{
    for (TControl* c = target; c; c = c->Parent()) {
        if (auto* menu = c->PopupMenu()) {
            TPoint p = target->ClientToScreen({ x, y });
            menu->SetPopupComponent(c);
            menu->Popup(p.X, p.Y);
            return;
        }
    }
}

// Keys go to the focused control while it is shown; a control hidden with its panel takes none.
TControl* TForm::KeyTarget()
{
    if (m_activeControl && m_activeControl->Showing())
        return m_activeControl;
    return this;
}

void TForm::DispatchKeyDown(unsigned short key, TShiftState shift)
{
    TControl* target = KeyTarget();
    Guard([&] {
        TObjectWatch watch(*target);
        target->KeyDown(key, shift);
        if (watch.Gone())
            return;
        if (key == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
            FocusNextTabStop(!(shift & ssShift));
            return;
        }
        // Enter and Esc that the control left alone press the Default or Cancel button of the
        // panel holding it (the nearest one that has such a button), never a button elsewhere.
        if (key != VK_RETURN && key != VK_ESCAPE)
            return;
        for (TWinControl* c = target->Parent(); c && c->Parent(); c = c->Parent())
            if (PressDefaultButton(c, key))
                return;
    });
}

namespace {

void collectTabStops(const TWinControl& container, std::vector<TWinControl*>& stops)
{
    for (TControl* child : container.Controls()) {
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (!windowed)
            continue;
        if (windowed->TabStop() && windowed->CanFocus())
            stops.push_back(windowed);
        collectTabStops(*windowed, stops);
    }
}

}

void TForm::FocusNextTabStop(bool forward)
{
    std::vector<TWinControl*> stops;
    collectTabStops(*this, stops);
    if (stops.empty())
        return;
    auto at = std::find(stops.begin(), stops.end(), m_activeControl);
    int count = int(stops.size());
    int index = at == stops.end() ? (forward ? count - 1 : 0) : int(at - stops.begin());
    stops[(index + (forward ? 1 : count - 1)) % count]->SetFocus();
}

void TForm::DispatchKeyPress(char key)
{
    TControl* target = KeyTarget();
    Guard([&] { target->KeyPress(key); });
}

void TForm::SetHost(std::unique_ptr<TFormHost> host)
{
    m_host = std::move(host);
}

void TForm::CursorChanged(TControl* control)
{
    if (m_host)
        m_host->CursorChanged(control);
}

void TForm::ControlRemoved(TControl* control)
{
    if (m_capture == control)
        m_capture = nullptr;
    if (m_hover == control)
        m_hover = nullptr;
    if (m_activeControl == control)
        m_activeControl = nullptr;
    if (m_host)
        m_host->ControlRemoved(control);
}

void TForm::Guard(const std::function<void()>& action)
{
    Application().Guard(action);
}

}
