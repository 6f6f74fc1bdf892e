// SPDX-License-Identifier: MIT
#include "toolkit/label.h"

#include "toolkit/canvas.h"
#include "toolkit/property.h"

#include <QImage>

namespace tk {

TLabel::TLabel(TWinControl* parent, std::string name)
    : TControl(parent, std::move(name))
{
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAlignment(TAlignment v)
{
    if (!Change(m_alignment, v))
        return;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout v)
{
    if (!Change(m_layout, v))
        return;
    Invalidate();
}

void TLabel::SetAutoSize(bool v)
{
    if (!Change(m_autoSize, v))
        return;
    AdjustSize();
}

void TLabel::SetWordWrap(bool v)
{
    if (!Change(m_wordWrap, v))
        return;
    AdjustSize();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool v)
{
    if (!Change(m_showAccelChar, v))
        return;
    AdjustSize();
    Invalidate();
}

void TLabel::CaptionChanged()
{
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged()
{
    AdjustSize();
    Invalidate();
}

unsigned TLabel::TextFormat() const
{
    unsigned format = DT_EXPANDTABS;
    if (m_alignment == taCenter)
        format |= DT_CENTER;
    else if (m_alignment == taRightJustify)
        format |= DT_RIGHT;
    format |= m_wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    if (!m_showAccelChar)
        format |= DT_NOPREFIX;
    return format;
}

int TLabel::TextWidth(const std::string& text) const
{
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas canvas(scratch);
    canvas.Font().Assign(Font());
    TRect r = Bounds(0, 0, 0, 0);
    canvas.DrawText(text, r, (TextFormat() & ~DT_WORDBREAK) | DT_SINGLELINE | DT_CALCRECT);
    return r.Width();
}

void TLabel::AdjustSize()
{
    if (!m_autoSize)
        return;
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas canvas(scratch);
    canvas.Font().Assign(Font());
    TRect r = Bounds(0, 0, m_wordWrap ? Width() : 0, 0);
    std::string text = Caption().empty() ? std::string(" ") : Caption();
    canvas.DrawText(text, r, TextFormat() | DT_CALCRECT);
    SetBounds(Left(), Top(), r.Width(), r.Height());
}

void TLabel::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    if (!Transparent())
        FillBackground(canvas);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(Font());
    if (!Enabled())
        canvas.Font().SetColor(clGrayText);
    if (m_layout != tlTop) {
        TRect calc = r;
        canvas.DrawText(Caption(), calc, TextFormat() | DT_CALCRECT);
        int offset = r.Height() - calc.Height();
        r.Top += m_layout == tlCenter ? offset / 2 : offset;
    }
    canvas.DrawText(Caption(), r, TextFormat());
}

}
