// SPDX-License-Identifier: MIT
#include "toolkit/directory_list_box.h"

#include "platform/ascii.h"
#include "platform/filesystem.h"
#include "toolkit/canvas.h"
#include "toolkit/file_errors.h"
#include "toolkit/item_rows.h"
#include "toolkit/label.h"
#include "toolkit/object.h"
#include "toolkit/property.h"

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
    : TCustomListBox(parent, std::move(name))
{
    SetBounds(0, 0, 145, 97);
    SetItemHeight(16);
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
    CallEvent(OnChange, this);
}

void TDirectoryListBox::SetDirLabel(TLabel* label)
{
    if (!Change(m_dirLabel, label))
        return;
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
    MutableItems().SetLines(std::move(texts));
    SelectFromTop(m_openCount - 1);
}

std::string TDirectoryListBox::ItemPath(int index) const
{
    return index >= 0 && index < int(m_paths.size()) ? m_paths[std::size_t(index)] : std::string();
}

int TDirectoryListBox::ItemLevel(int index) const
{
    return std::min(index, m_openCount);
}

void TDirectoryListBox::OpenCurrent()
{
    if (ItemIndex() >= 0)
        SetDirectory(ItemPath(ItemIndex()));
}

void TDirectoryListBox::PaintItem(TCanvas& canvas, int index, TRect line)
{
    int x = line.Left + 2 + ItemLevel(index) * levelIndent;
    int iconTop = line.Top + (line.Height() - 16) / 2;
    if (ItemIsOpen(index))
        drawOpenFolder(canvas, x, iconTop);
    else
        drawClosedFolder(canvas, x, iconTop);
    const std::string& text = Items()[index];
    int textX = x + iconWidth + 3;
    TRect textBox = Rect(textX - 1, line.Top + 1, textX + canvas.TextWidth(text) + 2, line.Bottom - 1);
    FillItem(canvas, textBox, index == ItemIndex(), Color(), Font().Color());
    TRect textRect = Rect(textX, line.Top, line.Right, line.Bottom);
    canvas.DrawText(text, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TDirectoryListBox::DblClick()
{
    TCustomListBox::DblClick();
    if (PressOnItem())
        OpenCurrent();
}

void TDirectoryListBox::KeyDown(unsigned short& key, TShiftState shift)
{
    TCustomListBox::KeyDown(key, shift);
    if (key == VK_RETURN)
        OpenCurrent();
}

}
