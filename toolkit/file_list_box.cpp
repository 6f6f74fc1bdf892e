#include "toolkit/file_list_box.h"

#include "platform/filesystem.h"
#include "toolkit/canvas.h"
#include "toolkit/file_errors.h"

namespace tk {

TFileListBox::TFileListBox(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
{
    SetColor(clWindow);
    SetBounds(0, 0, 145, 97);
    m_directory = platform::FileSystem::instance().currentDirectory();
}

void TFileListBox::SetDirectory(const std::string& directory)
{
    auto& fs = platform::FileSystem::instance();
    if (!fs.setCurrentDirectory(directory)) {
        m_items.Clear();
        Invalidate();
        throw EInOutError("Cannot open directory \"" + directory + "\".");
    }
    m_directory = fs.currentDirectory();
    Update();
}

void TFileListBox::SetMask(const std::string& mask)
{
    m_mask = mask;
    Update();
}

void TFileListBox::Update()
{
    auto names = platform::FileSystem::instance().listFiles(m_directory, m_mask);
    if (!names) {
        m_items.Clear();
        Invalidate();
        throw EInOutError("Cannot read directory \"" + m_directory + "\".");
    }
    m_items.SetLines(std::move(*names));
    Invalidate();
}

void TFileListBox::Paint(TCanvas& canvas)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(Font());
    int y = 0;
    for (const auto& name : m_items.Lines()) {
        if (y >= Height())
            break;
        canvas.TextOut(2, y, name);
        y += m_itemHeight;
    }
}

}
