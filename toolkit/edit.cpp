// SPDX-License-Identifier: MIT
#include "toolkit/edit.h"

#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/clipboard.h"
#include "toolkit/sunken_border.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>

namespace tk {

namespace {

constexpr int border = 2;
constexpr int indent = 1; // between the border and the first character

bool isSpace(char c)
{
    return c == ' ' || c == '\t';
}

}

TEdit::TEdit(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
{
    SetColor(clWindow);
    SetTabStop(true);
    SetCursor(crIBeam);
    SetBounds(0, 0, 121, 21);
}

void TEdit::SetText(const std::string& text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_caret = m_anchor = 0;
    m_scroll = 0;
    Invalidate();
    CallEvent(OnChange, this);
}

int TEdit::SelStart() const
{
    return std::min(m_anchor, m_caret);
}

void TEdit::SetSelStart(int position)
{
    MoveCaret(position, false);
}

int TEdit::SelLength() const
{
    return std::abs(m_caret - m_anchor);
}

void TEdit::SetSelLength(int length)
{
    int start = SelStart();
    m_anchor = start;
    m_caret = std::clamp(start + std::max(length, 0), 0, int(m_text.size()));
    ScrollToCaret();
    Invalidate();
}

std::string TEdit::SelText() const
{
    return m_text.substr(std::size_t(SelStart()), std::size_t(SelLength()));
}

void TEdit::SetSelText(const std::string& text)
{
    Replace(text, false);
}

void TEdit::SelectAll()
{
    m_anchor = 0;
    m_caret = int(m_text.size());
    ScrollToCaret();
    Invalidate();
}

void TEdit::ClearSelection()
{
    if (SelLength() > 0)
        Replace({}, false);
}

void TEdit::CopyToClipboard() const
{
    if (SelLength() > 0)
        Application().Clipboard().SetAsText(SelText());
}

void TEdit::CutToClipboard()
{
    if (m_readOnly || SelLength() == 0)
        return;
    CopyToClipboard();
    Replace({}, false);
}

void TEdit::PasteFromClipboard()
{
    if (m_readOnly)
        return;
    std::string text = Application().Clipboard().AsText();
    text = text.substr(0, text.find_first_of("\r\n"));
    Replace(text, true);
}

// The one place the text changes by editing: the selection gives way to insert.
void TEdit::Replace(std::string insert, bool limited)
{
    int start = SelStart(), length = SelLength();
    if (limited && m_maxLength > 0) {
        int room = m_maxLength - (int(m_text.size()) - length);
        if (room < int(insert.size()))
            insert.resize(std::size_t(std::max(room, 0)));
        if (insert.empty() && length == 0)
            return;
    }
    std::string text = m_text;
    text.replace(std::size_t(start), std::size_t(length), insert);
    m_caret = m_anchor = start + int(insert.size());
    bool changed = text != m_text;
    m_text = std::move(text);
    ScrollToCaret();
    Invalidate();
    if (changed && OnChange)
        OnChange(this);
}

void TEdit::MoveCaret(int position, bool extend)
{
    m_caret = std::clamp(position, 0, int(m_text.size()));
    if (!extend)
        m_anchor = m_caret;
    ScrollToCaret();
    Invalidate();
}

int TEdit::WordLeft(int from) const
{
    while (from > 0 && isSpace(m_text[std::size_t(from - 1)]))
        --from;
    while (from > 0 && !isSpace(m_text[std::size_t(from - 1)]))
        --from;
    return from;
}

int TEdit::WordRight(int from) const
{
    int end = int(m_text.size());
    while (from < end && !isSpace(m_text[std::size_t(from)]))
        ++from;
    while (from < end && isSpace(m_text[std::size_t(from)]))
        ++from;
    return from;
}

void TEdit::SelectWordAt(int position)
{
    int start = position, end = position, size = int(m_text.size());
    while (start > 0 && !isSpace(m_text[std::size_t(start - 1)]))
        --start;
    while (end < size && !isSpace(m_text[std::size_t(end)]))
        ++end;
    m_anchor = start;
    MoveCaret(end, true);
}

TRect TEdit::TextArea() const
{
    return Rect(border, border, Width() - border, Height() - border);
}

void TEdit::FontChanged()
{
    ScrollToCaret();
    Invalidate();
}

// Widths of the first 0, 1, ... n characters, measured as they are drawn (kerning included).
std::vector<int> TEdit::PrefixWidths() const
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas canvas(scratch);
    canvas.Font().Assign(Font());
    std::vector<int> widths { 0 };
    for (std::size_t n = 1; n <= m_text.size(); ++n)
        widths.push_back(canvas.TextWidth(m_text.substr(0, n)));
    return widths;
}

void TEdit::ScrollToCaret()
{
    int room = std::max(1, TextArea().Width() - 2 * indent);
    auto widths = PrefixWidths();
    int caretX = widths[std::size_t(m_caret)];
    if (caretX - m_scroll > room)
        m_scroll = caretX - room;
    else if (caretX < m_scroll)
        m_scroll = caretX;
    // No blank space after the end while the text could fill the field.
    m_scroll = std::clamp(m_scroll, 0, std::max(0, widths.back() - room));
}

int TEdit::PositionAt(int x) const
{
    auto widths = PrefixWidths();
    int textX = x - (TextArea().Left + indent) + m_scroll;
    int best = 0;
    for (std::size_t i = 1; i < widths.size(); ++i)
        if (std::abs(widths[i] - textX) < std::abs(widths[std::size_t(best)] - textX))
            best = int(i);
    return best;
}

void TEdit::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    FillBackground(canvas);
    DrawSunkenBorder(canvas, r);
    canvas.Save();
    canvas.IntersectClip(r);
    canvas.Font().Assign(Font());
    if (!Enabled())
        canvas.Font().SetColor(clGrayText);
    int lineHeight = canvas.TextHeight("Xg");
    int x0 = r.Left + indent - m_scroll;
    int y = r.Top + std::max(0, (r.Height() - lineHeight) / 2);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(x0, y, m_text);
    bool focused = Focused();
    auto widths = PrefixWidths();
    if (focused && SelLength() > 0) {
        int from = x0 + widths[std::size_t(SelStart())];
        int to = x0 + widths[std::size_t(SelStart() + SelLength())];
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clHighlight);
        canvas.FillRect(Rect(from, y, to, y + lineHeight));
        canvas.Brush().SetStyle(bsClear);
        canvas.Font().SetColor(clHighlightText);
        canvas.TextOut(from, y, SelText());
    }
    if (focused) {
        int caretX = x0 + widths[std::size_t(m_caret)];
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clWindowText);
        canvas.FillRect(Rect(caretX, y, caretX + 1, y + lineHeight));
    }
    canvas.Restore();
}

void TEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus())
        SetFocus();
    if (button == mbLeft) {
        int position = PositionAt(x);
        if (shift & ssDouble) {
            SelectWordAt(position);
        } else {
            MoveCaret(position, (shift & ssShift) != 0);
            m_dragging = true;
        }
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TEdit::MouseMove(TShiftState shift, int x, int y)
{
    if (m_dragging)
        MoveCaret(PositionAt(x), true);
    TWinControl::MouseMove(shift, x, y);
}

void TEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft)
        m_dragging = false;
    TWinControl::MouseUp(button, shift, x, y);
}

void TEdit::KeyDown(unsigned short& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    if (key == 0)
        return;
    if (HandleCaretKey(key, shift) || HandleEditingKey(key, shift))
        key = 0;
}

bool TEdit::HandleCaretKey(unsigned short key, TShiftState shift)
{
    bool extend = (shift & ssShift) != 0;
    bool word = (shift & ssCtrl) != 0;
    switch (key) {
    case VK_LEFT:
        if (!extend && !word && SelLength() > 0)
            MoveCaret(SelStart(), false);
        else
            MoveCaret(word ? WordLeft(m_caret) : m_caret - 1, extend);
        return true;
    case VK_RIGHT:
        if (!extend && !word && SelLength() > 0)
            MoveCaret(SelStart() + SelLength(), false);
        else
            MoveCaret(word ? WordRight(m_caret) : m_caret + 1, extend);
        return true;
    case VK_HOME:
        MoveCaret(0, extend);
        return true;
    case VK_END:
        MoveCaret(int(m_text.size()), extend);
        return true;
    default:
        return false;
    }
}

bool TEdit::HandleEditingKey(unsigned short key, TShiftState shift)
{
    bool ctrl = (shift & ssCtrl) != 0, withShift = (shift & ssShift) != 0;
    if ((ctrl && key == 'C') || (ctrl && key == VK_INSERT)) {
        CopyToClipboard();
    } else if ((ctrl && key == 'X') || (withShift && key == VK_DELETE)) {
        CutToClipboard();
    } else if ((ctrl && key == 'V') || (withShift && key == VK_INSERT)) {
        PasteFromClipboard();
    } else if (ctrl && key == 'A') {
        SelectAll();
    } else if (key == VK_BACK || key == VK_DELETE) {
        if (m_readOnly)
            return true;
        if (SelLength() == 0) {
            int end = int(m_text.size());
            if ((key == VK_BACK && m_caret == 0) || (key == VK_DELETE && m_caret == end))
                return true;
            m_anchor = key == VK_BACK ? m_caret - 1 : m_caret + 1;
        }
        Replace({}, false);
    } else {
        return false;
    }
    return true;
}

void TEdit::KeyPress(char& key)
{
    TWinControl::KeyPress(key);
    // Control characters (Backspace, Enter, Ctrl+letter) are keys, not text.
    auto byte = static_cast<unsigned char>(key);
    if (byte < 32 || byte == 127 || m_readOnly)
        return;
    Replace(std::string(1, key), true);
}

}
