// SPDX-License-Identifier: MIT
// The settings file, whatever it holds, read as start-up reads it into the running window: the
// Zip drive, the directories, the region folder and the double-click mode, with the drive
// selectors, directory lists and scans they lead to.
#include "fuzz/program_under_fuzz.h"
#include "toolkit/file_errors.h"

#include <utility>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Program& p = programUnderFuzz();
    TForm1& f = *p.form;
    // Start-up finds the settings in the folder the program starts in, where the ROM directory
    // list stands before the settings move it.
    auto change = std::exchange(f.romdir->OnChange, nullptr);
    f.romdir->SetDirectory(p.startDir());
    f.romdir->OnChange = std::move(change);
    std::string host = p.drives.host(p.startDir() + "tavisco.ini");
    if (std::FILE* file = std::fopen(host.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    try {
        f.FormCreate(&f);
    } catch (const tk::EInOutError&) {
        // A directory the settings name can't be listed: reported by the default handler.
    } catch (const tk::EFOpenError&) {
    }
    // What the run gathered that the user would have read meanwhile.
    f.sysmem->Lines().Clear();
    p.dialogs->boxes.clear();
    return 0;
}
