// SPDX-License-Identifier: MIT
#include "toolkit/gauge.h"

#include "toolkit/canvas.h"
#include "toolkit/property.h"

#include <algorithm>

namespace tk {

TGauge::TGauge(TWinControl* parent, std::string name)
    : TControl(parent, std::move(name))
{
    SetBounds(0, 0, 100, 100);
}

void TGauge::SetKind(TGaugeKind v)
{
    if (!Change(m_kind, v))
        return;
    Invalidate();
}

void TGauge::SetMinValue(int v)
{
    if (!Change(m_min, v))
        return;
    SetProgress(m_progress);
    Invalidate();
}

void TGauge::SetMaxValue(int v)
{
    if (!Change(m_max, v))
        return;
    SetProgress(m_progress);
    Invalidate();
}

void TGauge::SetProgress(int v)
{
    v = std::clamp(v, m_min, std::max(m_min, m_max));
    if (v == m_progress)
        return;
    m_progress = v;
    Invalidate();
}

void TGauge::SetForeColor(TColor v)
{
    if (!Change(m_foreColor, v))
        return;
    Invalidate();
}

void TGauge::SetBackColor(TColor v)
{
    if (!Change(m_backColor, v))
        return;
    Invalidate();
}

void TGauge::SetBorderStyle(TBorderStyle v)
{
    if (!Change(m_borderStyle, v))
        return;
    Invalidate();
}

void TGauge::SetShowText(bool v)
{
    if (!Change(m_showText, v))
        return;
    Invalidate();
}

int TGauge::FilledLength() const
{
    int border = m_borderStyle == bsSingleBorder ? 1 : 0;
    int length = (m_kind == gkVerticalBar ? Height() : Width()) - 2 * border;
    if (m_max <= m_min || length <= 0)
        return 0;
    return static_cast<int>(static_cast<long long>(length) * (m_progress - m_min) / (m_max - m_min));
}

void TGauge::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    canvas.Brush().SetStyle(bsSolid);
    if (m_borderStyle == bsSingleBorder) {
        canvas.Brush().SetColor(clBlack);
        canvas.FillRect(r);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    canvas.Brush().SetColor(m_backColor);
    canvas.FillRect(r);
    int filled = FilledLength();
    TRect bar = m_kind == gkVerticalBar ? Rect(r.Left, r.Bottom - filled, r.Right, r.Bottom)
                                        : Rect(r.Left, r.Top, r.Left + filled, r.Bottom);
    canvas.Brush().SetColor(m_foreColor);
    canvas.FillRect(bar);
    if (!m_showText)
        return;
    int percent = m_max > m_min ? (m_progress - m_min) * 100 / (m_max - m_min) : 0;
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(Font());
    canvas.DrawText(std::to_string(percent) + "%", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

}
