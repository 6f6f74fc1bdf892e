// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/custom_list_box.h"

#include <string>

namespace tk {

// Lists the normal files of a directory that match a mask such as "*.v64;*.rom", sorted without
// regard to case. Setting the directory makes it the current directory, as the classic control
// does; a directory that can't be entered or listed throws EInOutError and leaves the list empty.
class TFileListBox : public TCustomListBox {
public:
    TFileListBox(TWinControl* parent, std::string name);

    // The directory as the file system reports it after entering it ("z:\", "D:\roms").
    const std::string& Directory() const { return m_directory; }
    // Enters the directory and reads its file names again.
    void SetDirectory(const std::string& directory);
    const std::string& Mask() const { return m_mask; }
    void SetMask(const std::string& mask);
    // Reads the file names again.
    void Update();

    void Paint(TCanvas&) override;

private:
    [[noreturn]] void ClearAndThrow(const std::string& message);

    std::string m_directory;
    std::string m_mask { "*.*" };
};

}
