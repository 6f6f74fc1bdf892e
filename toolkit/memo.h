#pragma once

#include "toolkit/strings.h"
#include "toolkit/wincontrol.h"

namespace tk {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Multi-line text. Hidden memos serve the program as string lists; OnChange follows their lines.
class TMemo : public TWinControl {
public:
    TMemo(TWinControl* parent, std::string name);

    TStrings& Lines() { return m_lines; }
    const TStrings& Lines() const { return m_lines; }
    std::string Text() const { return m_lines.Text(); }
    void SetText(const std::string& text) { m_lines.SetText(text); }
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool v) { m_wordWrap = v; }
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle v) { m_scrollBars = v; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool v) { m_readOnly = v; }
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int v) { m_maxLength = v; }

    // Selection, as offsets into Text(); copying the selection goes to the application's clipboard.
    void SelectAll();
    int SelStart() const { return m_selStart; }
    int SelLength() const { return m_selLength; }
    void SetSelection(int start, int length);
    std::string SelText() const;
    void CopyToClipboard() const;
    void PasteFromClipboard();

    void Paint(TCanvas&) override;

    TNotifyEvent OnChange;

private:
    TStrings m_lines;
    bool m_wordWrap { true };
    TScrollStyle m_scrollBars { ssNone };
    bool m_readOnly { false };
    int m_maxLength { 0 };
    int m_selStart { 0 };
    int m_selLength { 0 };
};

}
