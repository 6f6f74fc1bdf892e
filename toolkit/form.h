// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/form_host.h"
#include "toolkit/wincontrol.h"

#include <QImage>
#include <memory>

namespace tk {

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poScreenCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

// A top-level window. Left and Top are screen coordinates; the client area is the whole form.
class TForm : public TWinControl {
public:
    explicit TForm(std::string name);
    ~TForm() override;

    TForm* AsForm() const override { return const_cast<TForm*>(this); }

    // Border and style reach a shown window at once.
    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle);
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle);
    // Where the form goes each time it is shown.
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition v) { m_position = v; }
    // An auto-sized form takes the size asked for, grown where needed so that every visible
    // component of its own shows whole.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool);

    void SetVisible(bool visible) override;
    void SetBounds(int left, int top, int width, int height) override;
    void ChildBoundsChanged() override;
    // Places the form in the middle of the screen.
    void CenterOnScreen();
    // Runs OnClose; unless the handler says caNone the form hides, and the main form ends the program.
    void Close();

    TWinControl* ActiveControl() const { return m_activeControl; }
    void SetActiveControl(TWinControl*);

    // Paints now (through the window when there is one); counted, so tests can see it happened.
    void Repaint();
    int RepaintCount() const { return m_repaintCount; }
    void InvalidateForm();
    // The whole form drawn into an image of its size.
    QImage Render();
    void PaintTo(TCanvas&);

    // Input from the window, in client coordinates. Errors in handlers go to the application.
    void DispatchMouseDown(TMouseButton, TShiftState, int x, int y, bool doubleClick = false);
    void DispatchMouseMove(TShiftState, int x, int y);
    void DispatchMouseUp(TMouseButton, TShiftState, int x, int y);
    // The pointer came into or went out of the form's window.
    void DispatchMouseEnter(int x, int y);
    void DispatchMouseLeave();
    void DispatchKeyDown(unsigned short key, TShiftState);
    TControl* KeyTarget();
    void DispatchKeyPress(char key);
    // The control that would take a press at (x, y), and the point in its client coordinates.
    TControl* ControlAtPoint(int x, int y, TPoint* local = nullptr) const;
    TControl* HoverControl() const { return m_hover; }

    TFormHost* Host() const { return m_host.get(); }
    void SetHost(std::unique_ptr<TFormHost> host);
    void CursorChanged(TControl*);
    void ControlRemoved(TControl*);

    TNotifyEvent OnCreate;
    TCloseEvent OnClose;

protected:
    void CaptionChanged() override;

private:
    void Guard(const std::function<void()>&);
    void PopupFor(TControl*, int x, int y);
    bool MoveHover(TControl*);
    void ApplyBounds(int left, int top);
    // Tab and Shift+Tab move the focus along the tab stops, in the order the controls were made.
    void FocusNextTabStop(bool forward);

    TFormBorderStyle m_borderStyle { bsSizeable };
    TFormStyle m_formStyle { fsNormal };
    TPosition m_position { poDesigned };
    bool m_autoSize { false };
    int m_askedWidth { 0 };
    int m_askedHeight { 0 };
    TWinControl* m_activeControl { nullptr };
    TControl* m_capture { nullptr };
    TControl* m_hover { nullptr };
    TMouseButton m_captureButton { mbLeft };
    bool m_captureDouble { false };
    int m_repaintCount { 0 };
    std::unique_ptr<TFormHost> m_host;
};

}
