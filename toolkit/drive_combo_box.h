// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/strings.h"
#include "toolkit/wincontrol.h"

#include <string>
#include <vector>

namespace tk {

class TDirectoryListBox;
class TPopupMenu;

// Shows the current drive as "d: [LABEL]" with a drop-down arrow. A click opens a list of the
// mapped drives (a pop-up menu); choosing one, or Up and Down, changes the drive, moves the linked
// directory list to that drive's current directory and fires OnChange.
class TDriveComboBox : public TWinControl {
public:
    TDriveComboBox(TWinControl* parent, std::string name);

    // Lower case; at first the drive of the current directory.
    char Drive() const { return m_drive; }
    // A letter other than the current one (ignoring case) becomes the drive. An unmapped letter
    // throws EInOutError and changes nothing; so does a directory list that can't follow.
    void SetDrive(char letter);

    TDirectoryListBox* DirList() const { return m_dirList; }
    void SetDirList(TDirectoryListBox* list) { m_dirList = list; }

    // One entry per mapped drive, as of the last time the list opened.
    const TStrings& Items() const { return m_items; }
    int ItemIndex() const;
    // What the box shows for the current drive.
    std::string Text() const { return EntryText(m_drive); }
    static std::string EntryText(char letter);
    // Reads the mapped drives again, volumes mounted meanwhile with them.
    void Update();

    // Opens the list below the box. The menu stays until the list opens again.
    void DropDown();
    TPopupMenu* DropDownMenu() const { return m_menu; }

    void Paint(TCanvas&) override;
    void MouseDown(TMouseButton, TShiftState, int x, int y) override;
    void ClickOnRelease() override;
    void KeyDown(unsigned short& key, TShiftState) override;

    TNotifyEvent OnChange;

private:
    void PaintArrowButton(TCanvas&, TRect box);

    char m_drive { 'c' };
    std::vector<char> m_letters;
    TStrings m_items;
    TDirectoryListBox* m_dirList { nullptr };
    TPopupMenu* m_menu { nullptr };
};

}
