// SPDX-License-Identifier: MIT
#include "toolkit/file_list_box.h"

#include "platform/filesystem.h"
#include "toolkit/canvas.h"
#include "toolkit/file_errors.h"
#include "toolkit/property.h"

namespace tk {

TFileListBox::TFileListBox(TWinControl* parent, std::string name)
    : TCustomListBox(parent, std::move(name))
{
    SetBounds(0, 0, 145, 97);
    m_directory = platform::FileSystem::instance().currentDirectory();
}

void TFileListBox::SetDirectory(const std::string& directory)
{
    auto& fs = platform::FileSystem::instance();
    if (!fs.setCurrentDirectory(directory))
        ClearAndThrow("Cannot open directory \"" + directory + "\".");
    m_directory = fs.currentDirectory();
    Update();
}

void TFileListBox::SetMask(const std::string& mask)
{
    if (!Change(m_mask, mask))
        return;
    // A mask is set while a form is built: a directory that can't be read shows no names, and it is
    // the next change of directory or Update that fails.
    try {
        Update();
    } catch (const EInOutError&) {
    }
}

void TFileListBox::Update()
{
    auto names = platform::FileSystem::instance().listFiles(m_directory, m_mask);
    if (!names)
        ClearAndThrow("Cannot read directory \"" + m_directory + "\".");
    MutableItems().SetLines(std::move(*names));
}

void TFileListBox::ClearAndThrow(const std::string& message)
{
    // No names of the directory before may stay behind.
    MutableItems().SetLines({});
    throw EInOutError(message);
}

void TFileListBox::Paint(TCanvas& canvas)
{
    // Until a name is picked the list shows its names plain, without the box.
    if (ItemIndex() >= 0) {
        TCustomListBox::Paint(canvas);
        return;
    }
    FillBackground(canvas);
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(Font());
    for (int i = TopIndex(), y = 0; i < Items().Count() && y < Height(); ++i, y += ItemHeight())
        canvas.TextOut(2, y, Items()[i]);
}

}
