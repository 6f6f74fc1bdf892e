// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/control.h"

namespace tk {

enum TGaugeKind { gkHorizontalBar, gkVerticalBar };
enum TBorderStyle { bsNoBorder, bsSingleBorder };

// A bar filled in proportion to Progress between MinValue and MaxValue; a vertical bar fills from the bottom.
class TGauge : public TControl {
public:
    TGauge(TWinControl* parent, std::string name);

    TGaugeKind Kind() const { return m_kind; }
    void SetKind(TGaugeKind);
    int MinValue() const { return m_min; }
    void SetMinValue(int);
    int MaxValue() const { return m_max; }
    void SetMaxValue(int);
    // Held within MinValue..MaxValue.
    int Progress() const { return m_progress; }
    void SetProgress(int);
    TColor ForeColor() const { return m_foreColor; }
    void SetForeColor(TColor);
    TColor BackColor() const { return m_backColor; }
    void SetBackColor(TColor);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle);
    bool ShowText() const { return m_showText; }
    void SetShowText(bool);

    // Pixels of the bar's length that are filled.
    int FilledLength() const;
    void Paint(TCanvas&) override;

private:
    TGaugeKind m_kind { gkHorizontalBar };
    int m_min { 0 };
    int m_max { 100 };
    int m_progress { 0 };
    TColor m_foreColor { clBlack };
    TColor m_backColor { clWhite };
    TBorderStyle m_borderStyle { bsSingleBorder };
    bool m_showText { true };
};

}
