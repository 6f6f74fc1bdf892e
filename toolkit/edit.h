// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/wincontrol.h"

#include <string>
#include <vector>

namespace tk {

// A one-line text field that edits its own text (Windows-1252 bytes, one position per byte):
// typing replaces the selection, Backspace and Delete, caret keys with Shift extending the
// selection, a press placing the caret, a drag selecting, and the clipboard keys Ctrl+C, Ctrl+X,
// Ctrl+V and Ctrl+A. Every change of the text fires OnChange.
class TEdit : public TWinControl {
public:
    TEdit(TWinControl* parent, std::string name);

    const std::string& Text() const { return m_text; }
    // Puts the caret at the start; fires OnChange when the text differs.
    void SetText(const std::string&);
    // Most characters the user may type or paste; 0 is no limit. Text set by code is not cut.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int v) { m_maxLength = v < 0 ? 0 : v; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool v) { m_readOnly = v; }

    // Selection from the anchor to the caret; SelStart is its left end.
    int SelStart() const;
    void SetSelStart(int);
    int SelLength() const;
    void SetSelLength(int);
    std::string SelText() const;
    // Replaces the selection (or inserts at the caret) and leaves the caret after the new text.
    void SetSelText(const std::string&);
    int CaretPos() const { return m_caret; }
    void SelectAll();
    void ClearSelection();

    void CopyToClipboard() const;
    void CutToClipboard();
    // Pastes the clipboard text up to its first line break, as much as MaxLength leaves room for.
    void PasteFromClipboard();

    // The caret position nearest to x in client coordinates.
    int PositionAt(int x) const;

    void Paint(TCanvas&) override;
    void MouseDown(TMouseButton, TShiftState, int x, int y) override;
    void MouseMove(TShiftState, int x, int y) override;
    void MouseUp(TMouseButton, TShiftState, int x, int y) override;
    void KeyDown(unsigned short& key, TShiftState) override;
    void KeyPress(char& key) override;
    // A one-line edit selects its whole text when it is given the focus.
    void DoEnter() override { SelectAll(); }

    TNotifyEvent OnChange;

protected:
    void BoundsChanged() override { ScrollToCaret(); }
    void FontChanged() override;

private:
    void Replace(std::string insert, bool limited);
    void MoveCaret(int position, bool extend);
    bool HandleEditingKey(unsigned short key, TShiftState);
    bool HandleCaretKey(unsigned short key, TShiftState);
    int WordLeft(int from) const;
    int WordRight(int from) const;
    void SelectWordAt(int position);
    TRect TextArea() const;
    std::vector<int> PrefixWidths() const;
    void ScrollToCaret();

    std::string m_text;
    int m_maxLength { 0 };
    bool m_readOnly { false };
    int m_anchor { 0 };
    int m_caret { 0 };
    int m_scroll { 0 };
    bool m_dragging { false };
};

}
