// SPDX-License-Identifier: MIT
#include "tests/support/temp_drives.h"

#include "platform/codepage.h"
#include "platform/win_path.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

TempDrives::TempDrives()
{
    const char* tmp = std::getenv("TMPDIR");
    std::string base = tmp && *tmp ? tmp : "/tmp";
    std::vector<char> pattern(base.begin(), base.end());
    for (char c : std::string("/tavisco-XXXXXX"))
        pattern.push_back(c);
    pattern.push_back('\0');
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("TempDrives: cannot create a directory under " + base);
    m_root = pattern.data();
    map('c');
    m_files.setCurrentDirectory("C:\\");
}

TempDrives::~TempDrives()
{
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

std::string TempDrives::driveDir(char letter) const
{
    char lower = static_cast<char>(letter >= 'A' && letter <= 'Z' ? letter - 'A' + 'a' : letter);
    return m_root + "/" + lower;
}

std::string TempDrives::map(char letter)
{
    std::string dir = driveDir(letter);
    fs::create_directories(dir);
    m_files.setDrive(letter, dir);
    return dir;
}

// Through the file system where the drive resolves; spelled out literally where it doesn't (a
// removed drive), so a test can still look at what is left there.
std::string TempDrives::host(const std::string& winPath) const
{
    if (auto resolved = m_files.hostPath(winPath))
        return *resolved;
    platform::WinPath path = platform::WinPath::parse(m_files.expand(winPath));
    std::string out = driveDir(path.drive());
    for (const std::string& part : path.parts())
        out += "/" + platform::cp1252ToUtf8(part);
    return out;
}

void TempDrives::write(const std::string& winPath, std::string_view bytes)
{
    fs::path path = host(winPath);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("TempDrives: cannot write " + path.string());
}

std::string TempDrives::read(const std::string& winPath) const
{
    std::string path = host(winPath);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("TempDrives: cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempDrives::exists(const std::string& winPath) const
{
    std::error_code ignored;
    return fs::exists(fs::symlink_status(host(winPath), ignored));
}

std::vector<std::string> TempDrives::entries(const std::string& hostDir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(hostDir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void TempDrives::remove(const std::string& winPath)
{
    fs::remove_all(host(winPath));
}

void TempDrives::removeDrive(char letter)
{
    fs::remove_all(driveDir(letter));
}
