#include "toolkit/directory_list_box.h"

#include "platform/ascii.h"
#include "platform/filesystem.h"
#include "toolkit/canvas.h"
#include "toolkit/file_errors.h"
#include "toolkit/item_rows.h"
#include "toolkit/label.h"
#include "toolkit/sunken_border.h"

#include <algorithm>

namespace tk {

namespace {

constexpr int levelIndent = 8;
constexpr int iconWidth = 16;

std::vector<std::string> splitPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

const TColor folderFill = RGB(255, 255, 128);
const TColor folderFront = RGB(255, 255, 192);
const TColor folderLine = RGB(128, 128, 0);

void drawClosedFolder(TCanvas& canvas, int x, int y)
{
    canvas.Pen().SetColor(folderLine);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(folderFill);
    canvas.Polygon({ { x + 1, y + 4 }, { x + 3, y + 2 }, { x + 7, y + 2 }, { x + 8, y + 4 }, { x + 14, y + 4 },
        { x + 14, y + 13 }, { x + 1, y + 13 } });
}

void drawOpenFolder(TCanvas& canvas, int x, int y)
{
    drawClosedFolder(canvas, x, y);
    canvas.Brush().SetColor(folderFront);
    canvas.Polygon({ { x + 1, y + 13 }, { x + 4, y + 7 }, { x + 16, y + 7 }, { x + 13, y + 13 } });
}

}

TDirectoryListBox::TDirectoryListBox(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
{
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 145, 97);
    m_directory = platform::FileSystem::instance().currentDirectory();
    Rebuild();
}

char TDirectoryListBox::Drive() const
{
    return m_directory.empty() ? '\0' : platform::asciiLower(m_directory[0]);
}

void TDirectoryListBox::SetDirectory(const std::string& text)
{
    if (platform::equalIgnoringAsciiCase(text, m_directory))
        return;
    auto& fs = platform::FileSystem::instance();
    if (!fs.setCurrentDirectory(text))
        throw EInOutError("Cannot open directory \"" + text + "\".");
    m_directory = fs.currentDirectory();
    Rebuild();
    if (m_dirLabel)
        m_dirLabel->SetCaption(m_directory);
    if (OnChange)
        OnChange(this);
}

void TDirectoryListBox::SetDirLabel(TLabel* label)
{
    m_dirLabel = label;
    if (m_dirLabel)
        m_dirLabel->SetCaption(m_directory);
}

void TDirectoryListBox::Update()
{
    Rebuild();
}

void TDirectoryListBox::Rebuild()
{
    std::vector<std::string> texts, paths;
    std::string root = m_directory.substr(0, 3);
    texts.push_back(root);
    paths.push_back(root);
    for (const auto& part : splitPath(m_directory.substr(std::min<std::size_t>(3, m_directory.size())))) {
        paths.push_back(paths.back() + (paths.size() > 1 ? "\\" : "") + part);
        texts.push_back(part);
    }
    m_openCount = int(texts.size());
    std::string prefix = m_directory.ends_with('\\') ? m_directory : m_directory + "\\";
    if (auto subfolders = platform::FileSystem::instance().listDirectories(m_directory)) {
        for (const auto& name : *subfolders) {
            texts.push_back(name);
            paths.push_back(prefix + name);
        }
    }
    m_paths = std::move(paths);
    m_items.SetLines(std::move(texts));
    m_itemIndex = m_openCount - 1;
    m_topIndex = 0;
    ScrollIntoView();
    Invalidate();
}

std::string TDirectoryListBox::ItemPath(int index) const
{
    return index >= 0 && index < int(m_paths.size()) ? m_paths[std::size_t(index)] : std::string();
}

int TDirectoryListBox::ItemLevel(int index) const
{
    return std::min(index, m_openCount);
}

void TDirectoryListBox::SetItemIndex(int index)
{
    index = std::clamp(index, -1, m_items.Count() - 1);
    if (index == m_itemIndex)
        return;
    m_itemIndex = index;
    ScrollIntoView();
    Invalidate();
}

void TDirectoryListBox::SetItemHeight(int v)
{
    m_itemHeight = std::max(1, v);
    ScrollIntoView();
    Invalidate();
}

int TDirectoryListBox::VisibleCount() const
{
    return VisibleRows(Height(), m_itemHeight);
}

void TDirectoryListBox::ScrollIntoView()
{
    if (m_itemIndex >= 0)
        m_topIndex = TopKeepingInView(m_itemIndex, m_topIndex, VisibleCount());
}

int TDirectoryListBox::ItemAtPos(int x, int y) const
{
    return RowAtPoint(x, y, Width(), Height(), m_topIndex, m_itemHeight, m_items.Count());
}

void TDirectoryListBox::OpenCurrent()
{
    if (m_itemIndex >= 0)
        SetDirectory(ItemPath(m_itemIndex));
}

void TDirectoryListBox::PaintEntry(TCanvas& canvas, int index, TRect line)
{
    int x = line.Left + 2 + ItemLevel(index) * levelIndent;
    int iconTop = line.Top + (line.Height() - 16) / 2;
    if (ItemIsOpen(index))
        drawOpenFolder(canvas, x, iconTop);
    else
        drawClosedFolder(canvas, x, iconTop);
    const std::string& text = m_items[index];
    int textX = x + iconWidth + 3;
    bool selected = index == m_itemIndex;
    int textWidth = canvas.TextWidth(text);
    TRect textBox = Rect(textX - 1, line.Top + 1, textX + textWidth + 2, line.Bottom - 1);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(selected ? clHighlight : Color());
    canvas.FillRect(textBox);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(selected ? clHighlightText : Font().Color());
    TRect textRect = Rect(textX, line.Top, line.Right, line.Bottom);
    canvas.DrawText(text, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TDirectoryListBox::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    DrawSunkenBorder(canvas, r);
    canvas.Save();
    canvas.IntersectClip(r);
    canvas.Font().Assign(Font());
    canvas.Pen().SetStyle(psSolid);
    int y = r.Top;
    for (int i = m_topIndex; i < m_items.Count() && y < r.Bottom; ++i, y += m_itemHeight)
        PaintEntry(canvas, i, Rect(r.Left, y, r.Right, y + m_itemHeight));
    canvas.Restore();
}

void TDirectoryListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus())
        SetFocus();
    int index = ItemAtPos(x, y);
    if (button == mbLeft && index >= 0)
        SetItemIndex(index);
    TWinControl::MouseDown(button, shift, x, y);
}

void TDirectoryListBox::DblClick()
{
    TWinControl::DblClick();
    OpenCurrent();
}

void TDirectoryListBox::KeyDown(unsigned short& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    switch (key) {
    case VK_UP: SetItemIndex(std::max(0, m_itemIndex - 1)); break;
    case VK_DOWN: SetItemIndex(m_itemIndex + 1); break;
    case VK_HOME: SetItemIndex(0); break;
    case VK_END: SetItemIndex(m_items.Count() - 1); break;
    case VK_RETURN: OpenCurrent(); break;
    default: break;
    }
}

}
