#pragma once

#include "toolkit/strings.h"
#include "toolkit/wincontrol.h"

#include <string>
#include <vector>

namespace tk {

class TLabel;

// The current directory as a tree of opened folders, one entry per level from the root, followed
// by the subfolders of the current directory. Double click or Enter opens the highlighted entry.
// The directory is the process's current directory: setting it enters it.
class TDirectoryListBox : public TWinControl {
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

    // Entry texts: "C:\", "roms", "n64", then the subfolders.
    const TStrings& Items() const { return m_items; }
    // The full path an entry opens.
    std::string ItemPath(int index) const;
    // Indent level of an entry: path levels count from 0, subfolders sit one below the last.
    int ItemLevel(int index) const;
    bool ItemIsOpen(int index) const { return index >= 0 && index < m_openCount; }
    // The highlighted entry; after a change it is the current directory's own entry.
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int);
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int);
    int TopIndex() const { return m_topIndex; }
    int VisibleCount() const;
    int ItemAtPos(int x, int y) const;
    // Enters the highlighted entry's directory.
    void OpenCurrent();
    // Reads the subfolders again.
    void Update();

    void Paint(TCanvas&) override;
    void MouseDown(TMouseButton, TShiftState, int x, int y) override;
    void DblClick() override;
    void KeyDown(unsigned short& key, TShiftState) override;

    TNotifyEvent OnChange;

private:
    void Rebuild();
    void ScrollIntoView();
    void PaintEntry(TCanvas&, int index, TRect line);

    std::string m_directory;
    TStrings m_items;
    std::vector<std::string> m_paths;
    int m_openCount { 0 };
    int m_itemIndex { -1 };
    int m_itemHeight { 16 };
    int m_topIndex { 0 };
    TLabel* m_dirLabel { nullptr };
};

}
