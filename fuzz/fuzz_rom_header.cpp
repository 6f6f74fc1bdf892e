// SPDX-License-Identifier: MIT
// The ROM header reader over any file bytes and any name, on the Zip disk or in the archive, with
// a category file beside it.
#include "fuzz/program_under_fuzz.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Program& p = programUnderFuzz();
    TForm1& f = *p.form;
    FuzzedDataProvider in(data, size);
    std::string name = in.ConsumeRandomLengthString(48);
    bool onZip = in.ConsumeBool();
    bool withSave = in.ConsumeBool();
    std::string category = in.ConsumeRandomLengthString(256);
    std::string image = in.ConsumeRemainingBytesAsString();

    // The table being scanned is the one whose folder the file list shows.
    static std::string listed;
    std::string dir = onZip ? f.ZipRoot : f.RomPath;
    if (listed != dir)
        f.filelist->SetDirectory(listed = dir);
    std::string base = TForm1::getfield(name, '.', 1);
    std::vector<std::string> written { writeInput(p, dir + name, image),
        writeInput(p, f.RamPath + base + ".cat", category),
        withSave ? writeInput(p, dir + base + ".eep", "save") : std::string() };
    f.getfileinfo(name);
    for (const std::string& host : written)
        if (!host.empty())
            ::unlink(host.c_str());
    // What a scan gathers in the window, one image at a time; a scan empties it again.
    f.catlist->Items().Clear();
    return 0;
}
