#include "toolkit/memo.h"

#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/clipboard.h"

#include <algorithm>

namespace tk {

TMemo::TMemo(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
{
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
    m_lines.OnChange = [this](TObject*) {
        Invalidate();
        if (OnChange)
            OnChange(this);
    };
}

void TMemo::SelectAll()
{
    SetSelection(0, static_cast<int>(Text().size()));
}

void TMemo::SetSelection(int start, int length)
{
    int size = static_cast<int>(Text().size());
    m_selStart = std::clamp(start, 0, size);
    m_selLength = std::clamp(length, 0, size - m_selStart);
}

std::string TMemo::SelText() const
{
    std::string text = Text();
    int start = std::min(m_selStart, static_cast<int>(text.size()));
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(m_selLength));
}

void TMemo::CopyToClipboard() const
{
    Application().Clipboard().SetAsText(SelText());
}

void TMemo::PasteFromClipboard()
{
    std::string text = Text();
    int start = std::min(m_selStart, static_cast<int>(text.size()));
    text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(m_selLength),
        Application().Clipboard().AsText());
    SetText(text);
    m_selLength = 0;
}

void TMemo::Paint(TCanvas& canvas)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(Font());
    int lineHeight = canvas.TextHeight("Wg");
    int y = 2;
    for (const auto& line : m_lines.Lines()) {
        if (y >= Height())
            break;
        canvas.TextOut(2, y, line);
        y += lineHeight;
    }
}

}
