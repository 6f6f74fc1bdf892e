// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/control.h"

namespace tk {

enum TTextLayout { tlTop, tlCenter, tlBottom };

// One or more lines of text. With AutoSize the label fits its text whenever caption or font change.
class TLabel : public TControl {
public:
    TLabel(TWinControl* parent, std::string name);

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool);
    // With accelerator characters on, "&x" underlines x and "&&" shows one ampersand.
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool);

    // The width the text takes on one line in the label's font, as the label draws it.
    int TextWidth(const std::string& text) const;

    void Paint(TCanvas&) override;

protected:
    void CaptionChanged() override;
    void FontChanged() override;
    unsigned TextFormat() const;
    void AdjustSize();

private:
    TAlignment m_alignment { taLeftJustify };
    TTextLayout m_layout { tlTop };
    bool m_autoSize { true };
    bool m_wordWrap { false };
    bool m_showAccelChar { true };
};

}
