#include "platform/filesystem.h"

#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/name_mask.h"
#include "platform/posix_io.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string rootText(char letter)
{
    return std::string(1, asciiUpper(letter)) + ":\\";
}

std::string hostWorkingDirectory()
{
    std::string buffer(4096, '\0');
    if (!::getcwd(buffer.data(), buffer.size()))
        return {};
    return buffer.c_str();
}

}

FileSystem& FileSystem::instance()
{
    static FileSystem fs;
    return fs;
}

FileSystem::FileSystem()
{
    mapStandardDrives();
}

// Drive map ----------------------------------------------------------------------------------

void FileSystem::mapDefaultDrives(const std::string& startHostDir)
{
    std::string start = DriveMap::normalHostPath(startHostDir, hostWorkingDirectory());
    auto pins = DriveMap::readPins(joinHost(start, "drives.ini"), start);
    m_drives.mapStandard(DriveMap::homeDirectory(), DriveMap::mountedVolumes(), pins);
    m_goneDrives.clear();
    resetCurrentDirectories();
}

void FileSystem::mapStandardDrives()
{
    m_drives.mapStandard(DriveMap::homeDirectory(), DriveMap::mountedVolumes(), {});
    m_goneDrives.clear();
    resetCurrentDirectories();
}

void FileSystem::clearDrives()
{
    m_drives.clear();
    m_goneDrives.clear();
    m_driveDirectories.clear();
    m_currentDirectory = "C:\\";
}

void FileSystem::setDrive(char letter, const std::string& hostDir)
{
    letter = asciiLower(letter);
    m_drives.set(letter, DriveMap::normalHostPath(hostDir, hostWorkingDirectory()));
    m_goneDrives.erase(letter);
    m_driveDirectories.erase(letter);
}

std::vector<char> FileSystem::drives() const
{
    return m_drives.letters();
}

std::string FileSystem::volumeLabel(char letter) const
{
    auto dir = m_drives.hostDir(letter);
    return dir && *dir != "/" ? utf8ToCp1252(nameOf(*dir)) : std::string();
}

bool FileSystem::driveReady(char letter) const
{
    return readyRoot(letter).has_value();
}

bool FileSystem::driveReadyFor(const std::string& winPath) const
{
    return !winPath.empty() && driveReady(absolute(winPath).drive());
}

std::optional<std::string> FileSystem::readyRoot(char letter) const
{
    letter = asciiLower(letter);
    auto dir = m_drives.hostDir(letter);
    if (!dir || m_goneDrives.count(letter))
        return std::nullopt;
    struct stat st {};
    if (::stat(dir->c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || ::access(dir->c_str(), R_OK | X_OK) != 0)
        return std::nullopt;
    return dir;
}

std::optional<std::string> FileSystem::mappedRoot(char letter) const
{
    letter = asciiLower(letter);
    auto dir = m_drives.hostDir(letter);
    if (!dir || m_goneDrives.count(letter))
        return std::nullopt;
    return dir;
}

std::optional<std::string> FileSystem::hostPath(const std::string& winPath) const
{
    auto resolved = resolve(winPath);
    if (!resolved)
        return std::nullopt;
    return resolved->host;
}

std::optional<std::string> FileSystem::windowsPath(const std::string& hostPath) const
{
    if (hostPath.empty() || hostPath[0] != '/')
        return std::nullopt;
    auto found = m_drives.longestPrefix(DriveMap::normalHostPath(hostPath));
    if (!found)
        return std::nullopt;
    std::string rest = utf8ToCp1252(found->second);
    std::replace(rest.begin(), rest.end(), '/', '\\');
    return rootText(found->first) + rest;
}

// Current directories ------------------------------------------------------------------------

std::string FileSystem::currentDirectory() const
{
    return m_currentDirectory;
}

std::string FileSystem::driveCurrentDirectory(char letter) const
{
    auto it = m_driveDirectories.find(asciiLower(letter));
    return it != m_driveDirectories.end() ? it->second : rootText(letter);
}

bool FileSystem::setCurrentDirectory(const std::string& winPath)
{
    WinPath path = absolute(winPath);
    auto resolved = resolve(winPath);
    struct stat st {};
    if (!resolved || ::stat(resolved->host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    // Kept as it was given, letter case included, as Windows does: the program compares the
    // directory it set with the one it reads back.
    std::string text = path.text();
    if (winPath.size() >= 2 && winPath[1] == ':')
        text[0] = winPath[0];
    m_currentDirectory = text;
    m_driveDirectories[path.drive()] = text;
    return true;
}

void FileSystem::resetCurrentDirectories()
{
    m_driveDirectories.clear();
    m_currentDirectory = "C:\\";
    if (auto start = windowsPath(hostWorkingDirectory()))
        setCurrentDirectory(*start);
}

WinPath FileSystem::absolute(const std::string& winPath) const
{
    WinPath path = WinPath::parse(winPath);
    if (path.absolute())
        return path;
    WinPath current = WinPath::parse(m_currentDirectory);
    if (!path.drive() || path.drive() == current.drive())
        return path.resolvedAgainst(current);
    return path.resolvedAgainst(WinPath::parse(driveCurrentDirectory(path.drive())));
}

std::string FileSystem::expand(const std::string& winPath) const
{
    return absolute(winPath).text();
}

std::optional<ResolvedPath> FileSystem::resolve(const std::string& winPath) const
{
    if (winPath.empty())
        return std::nullopt;
    WinPath path = absolute(winPath);
    // A drive that is not ready fails by itself below: its directory can't be found.
    auto root = mappedRoot(path.drive());
    if (!root)
        return std::nullopt;
    return ResolvedPath::resolve(*root, path.parts());
}

// Queries ------------------------------------------------------------------------------------

// The kind of what the path names; the lookup's own answer is used where it settles it.
static mode_t kindOf(const std::optional<ResolvedPath>& resolved)
{
    if (!resolved || !resolved->found)
        return 0;
    if (resolved->exactStat && !S_ISLNK(resolved->exactStat->st_mode))
        return resolved->exactStat->st_mode & S_IFMT;
    struct stat st {};
    return ::stat(resolved->host.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

void FileSystem::forgetListings() const
{
    ResolvedPath::forgetIndexes();
}

bool FileSystem::fileExists(const std::string& winPath) const
{
    return kindOf(resolve(winPath)) == S_IFREG;
}

bool FileSystem::directoryExists(const std::string& winPath) const
{
    return kindOf(resolve(winPath)) == S_IFDIR;
}

std::optional<std::vector<std::string>> FileSystem::listFiles(const std::string& dir, const std::string& mask) const
{
    return list(dir, false, mask);
}

std::optional<std::vector<std::string>> FileSystem::listDirectories(const std::string& dir) const
{
    return list(dir, true, "*");
}

std::optional<std::vector<std::string>> FileSystem::list(const std::string& dir, bool directories,
    const std::string& mask) const
{
    auto resolved = resolve(dir);
    if (!resolved || takeFault(Fault::Op::List, { expand(dir) }))
        return std::nullopt;
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(resolved->host.c_str()), ::closedir);
    if (!handle)
        return std::nullopt;
    NameMask filter(mask);
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(handle.get())) {
        if (entry->d_name[0] == '.')
            continue;
        // A backslash would name another path: shown as a character Windows can't hold.
        std::string name = utf8ToCp1252(entry->d_name);
        std::replace(name.begin(), name.end(), '\\', '?');
        if (!filter.matches(name))
            continue;
        // The directory tells the kind of most entries; links and unknown kinds are looked at.
        mode_t kind = entry->d_type == DT_REG ? S_IFREG : entry->d_type == DT_DIR ? S_IFDIR : 0;
        struct stat st {};
        if (!kind && ::fstatat(::dirfd(handle.get()), entry->d_name, &st, 0) == 0)
            kind = st.st_mode & S_IFMT;
        if (kind == (directories ? S_IFDIR : S_IFREG))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), lessIgnoringAsciiCase);
    return names;
}

// Faults -------------------------------------------------------------------------------------

void FileSystem::injectFault(const Fault& fault)
{
    m_faults.add(fault);
}

void FileSystem::clearFaults()
{
    m_faults.clear();
    m_goneDrives.clear();
}

std::optional<FaultHit> FileSystem::takeFault(Fault::Op op, std::initializer_list<std::string_view> winPaths) const
{
    if (m_faults.empty())
        return std::nullopt;
    auto hit = m_faults.take(op, winPaths);
    if (hit && hit->fault.kind == Fault::Kind::DriveGone)
        m_goneDrives.insert(WinPath::parse(hit->winPath).drive());
    return hit;
}

}
