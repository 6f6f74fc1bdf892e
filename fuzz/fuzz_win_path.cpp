// SPDX-License-Identifier: MIT
// Windows paths, any bytes (separators, "..", drive letters, control bytes, code-page bytes):
// parsed, completed from the current directories and resolved on real temporary drives whose
// names differ in letter case and use code-page characters.
#include "platform/filesystem.h"
#include "platform/win_path.h"
#include "tests/support/temp_drives.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

namespace {

TempDrives& drives()
{
    static TempDrives* d = [] {
        if (!std::getenv("TMPDIR"))
            ::setenv("TMPDIR", "/dev/shm", 0);
        auto* t = new TempDrives;
        t->map('d');
        t->map('z');
        for (const char* file : { "d:\\Roms\\Mario.V64", "d:\\roms\\luigi.v64", "d:\\ram\\usa\\boxart\\a.bmp",
                 "z:\\caf\xE9.v64", "z:\\MARIO.EEP", "c:\\tavisco.ini" })
            t->write(file, "x");
        return t;
    }();
    return *d;
}

bool under(const std::string& host, const std::string& root)
{
    return host == root || host.starts_with(root + "/");
}

}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    drives();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TempDrives& d = drives();
    platform::FileSystem& fs = d.files();
    FuzzedDataProvider in(data, size);
    std::string base = in.ConsumeRandomLengthString(64);
    bool moveCurrent = in.ConsumeBool();
    std::string text = in.ConsumeRemainingBytesAsString();

    platform::WinPath path = platform::WinPath::parse(text);
    platform::WinPath completed = path.resolvedAgainst(platform::WinPath::parse("C:\\" + base));
    if (!completed.absolute() || platform::WinPath::parse(completed.text()).text() != completed.text())
        std::abort(); // completed from an absolute path, a path is absolute and reads back as itself
    (void)path.withDrive('z').text();

    if (moveCurrent)
        fs.setCurrentDirectory(base);
    (void)fs.expand(text);
    if (auto host = fs.hostPath(text)) {
        // A path never leads off its drive, whatever its ".." and separators.
        char drive = fs.expand(text).empty() ? 0 : fs.expand(text)[0];
        std::string root = d.root() + "/" + static_cast<char>(drive | 0x20);
        if (!under(*host, root))
            std::abort();
        (void)fs.windowsPath(*host);
    }
    (void)fs.fileExists(text);
    (void)fs.directoryExists(text);
    (void)fs.listFiles(text, "*.v64;*.rom");
    (void)fs.windowsPath(text);
    if (moveCurrent)
        fs.resetCurrentDirectories();
    return 0;
}
