// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/custom_list_box.h"

#include <string>
#include <vector>

namespace tk {

class TLabel;

// The current directory as a tree of opened folders, one entry per level from the root, followed
// by the subfolders of the current directory: the entry texts are "C:\", "roms", "n64", then the
// subfolders, and after a change the highlighted entry is the current directory's own. Double click
// or Enter opens the highlighted entry. The directory is the process's current directory: setting
// it enters it.
class TDirectoryListBox : public TCustomListBox {
public:
    TDirectoryListBox(TWinControl* parent, std::string name);

    // As the file system reports it: "C:\", "D:\roms\n64".
    const std::string& Directory() const { return m_directory; }
    // Text equal to Directory ignoring ASCII case changes nothing. Otherwise enters the directory
    // (EInOutError, and no change, when it can't), rebuilds the list, updates the linked label and
    // fires OnChange — even when the file system names the same directory as before.
    void SetDirectory(const std::string& text);
    // Lower case.
    char Drive() const;

    // The label whose caption follows Directory.
    TLabel* DirLabel() const { return m_dirLabel; }
    void SetDirLabel(TLabel*);

    // The full path an entry opens.
    std::string ItemPath(int index) const;
    // Indent level of an entry: path levels count from 0, subfolders sit one below the last.
    int ItemLevel(int index) const;
    bool ItemIsOpen(int index) const { return index >= 0 && index < m_openCount; }
    // Enters the highlighted entry's directory.
    void OpenCurrent();
    // Reads the subfolders again.
    void Update();

    void DblClick() override;
    void KeyDown(unsigned short& key, TShiftState) override;

    TNotifyEvent OnChange;

protected:
    // A folder icon indented by level, the text highlighted on its own.
    void PaintItem(TCanvas&, int index, TRect line) override;

private:
    void Rebuild();

    std::string m_directory;
    std::vector<std::string> m_paths;
    int m_openCount { 0 };
    TLabel* m_dirLabel { nullptr };
};

}
