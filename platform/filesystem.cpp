// SPDX-License-Identifier: MIT
#include "platform/filesystem.h"

#include "platform/codepage.h"
#include "platform/posix_io.h"

#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

// The file system a Scope has put in place while it lives; the program's own otherwise.
FileSystem* installed = nullptr;

std::string hostWorkingDirectory()
{
    std::string buffer(4096, '\0');
    if (!::getcwd(buffer.data(), buffer.size()))
        return {};
    return buffer.c_str();
}

}

FileSystem::FileSystem()
{
    mapStandardDrives();
}

FileSystem::FileSystem(DriveMap drives)
    : m_drives(std::move(drives))
{
    resetCurrentDirectories();
}

FileSystem& FileSystem::instance()
{
    if (installed)
        return *installed;
    static FileSystem standard;
    return standard;
}

FileSystem::Scope::Scope(FileSystem& files)
    : m_previous(std::exchange(installed, &files))
{
}

FileSystem::Scope::~Scope()
{
    installed = m_previous;
}

FileSystem::ListingHold::ListingHold(const PathResolver& resolver, const std::vector<std::string>& winDirs)
    : m_resolver(resolver)
{
    for (const std::string& dir : winDirs)
        m_resolver.holdListing(dir);
}

// Drive map ----------------------------------------------------------------------------------

// The volumes are lettered after the pins, so a pinned letter is never given to another volume.
void FileSystem::remap(const std::vector<DrivePin>& pins)
{
    m_drives.mapStandard(DriveMap::homeDirectory(), {}, pins);
    m_volumes.notice();
    m_faults.bringBackAll();
    resetCurrentDirectories();
}

void FileSystem::mapDefaultDrives(const std::string& startHostDir, const std::vector<std::string>& volumeParents)
{
    std::string start = DriveMap::normalHostPath(startHostDir, hostWorkingDirectory());
    std::string ini = joinHost(start, "drives.ini");
    m_volumes.watch(volumeParents, ini);
    remap(DriveMap::readPins(ini, start));
    // The settings file is the start folder's whatever c: maps to: a start folder that no letter
    // reaches (c: pinned elsewhere) gets the next free one for the run.
    if (!windowsPath(start) && m_drives.assignVolume(start))
        resetCurrentDirectories();
}

void FileSystem::mapStandardDrives()
{
    m_volumes.watch(DriveMap::volumeParents(), "");
    remap({});
}

void FileSystem::watchVolumes(std::vector<std::string> parents, std::string iniHostPath)
{
    m_volumes.watch(std::move(parents), std::move(iniHostPath));
    m_volumes.notice();
}

void FileSystem::clearDrives()
{
    m_volumes.stop();
    m_drives.clear();
    m_faults.bringBackAll();
    m_directories.reset();
}

void FileSystem::setDrive(char letter, const std::string& hostDir)
{
    m_drives.set(letter, DriveMap::normalHostPath(hostDir, hostWorkingDirectory()));
    m_faults.bringBack(letter);
    m_directories.forgetDrive(letter);
}

std::string FileSystem::volumeLabel(char letter) const
{
    auto dir = m_drives.hostDir(letter);
    return dir && *dir != "/" ? utf8ToCp1252(nameOf(*dir)) : std::string();
}

bool FileSystem::driveReadyFor(const std::string& winPath) const
{
    return !winPath.empty() && driveReady(m_resolver.absolute(winPath).drive());
}

std::optional<std::string> FileSystem::hostPath(const std::string& winPath) const
{
    auto resolved = m_resolver.resolve(winPath);
    // A '?' that names no listed entry spells no host name.
    if (!resolved || (!resolved->found && winPath.find('?') != std::string::npos))
        return std::nullopt;
    return resolved->host;
}

std::optional<VolumeSpace> FileSystem::volumeSpace(const std::string& winDir) const
{
    auto resolved = m_resolver.resolve(winDir);
    if (!resolved || !resolved->found)
        return std::nullopt;
    return VolumeSpace::ofMountPoint(resolved->host);
}

// Current directories ------------------------------------------------------------------------

bool FileSystem::setCurrentDirectory(const std::string& winPath)
{
    auto resolved = m_resolver.resolve(winPath);
    struct stat st {};
    if (!resolved || ::stat(resolved->host.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    m_directories.set(winPath);
    return true;
}

void FileSystem::resetCurrentDirectories()
{
    m_directories.reset();
    if (auto start = windowsPath(hostWorkingDirectory()))
        setCurrentDirectory(*start);
}

// The Windows calls and whole files ----------------------------------------------------------

bool FileSystem::CopyFileA(const std::string& from, const std::string& to, bool failIfExists)
{
    return !m_operations.copyFile(from, to, failIfExists);
}

bool FileSystem::MoveFileA(const std::string& from, const std::string& to)
{
    return !m_operations.moveFile(from, to);
}

bool FileSystem::DeleteFileA(const std::string& path)
{
    return !m_operations.deleteFile(path);
}

bool FileSystem::CreateDirectoryA(const std::string& path)
{
    return !m_operations.createDirectory(path);
}

int FileSystem::removeAbandonedPartials(const std::string& dir)
{
    auto removed = m_operations.removeAbandonedPartials(dir);
    return removed ? *removed : 0;
}

bool FileSystem::writeFileAtomic(const std::string& path, std::string_view bytes)
{
    return !m_operations.writeFileAtomic(path, bytes);
}

// The Windows names ------------------------------------------------------------------------

bool CopyFileA(const std::string& from, const std::string& to, bool failIfExists)
{
    return FileSystem::instance().CopyFileA(from, to, failIfExists);
}

bool MoveFileA(const std::string& from, const std::string& to)
{
    return FileSystem::instance().MoveFileA(from, to);
}

bool DeleteFileA(const std::string& path)
{
    return FileSystem::instance().DeleteFileA(path);
}

bool CreateDirectoryA(const std::string& path)
{
    return FileSystem::instance().CreateDirectoryA(path);
}

bool CreateDirectoryA(const std::string& path, const void* securityAttributes)
{
    return securityAttributes == nullptr && FileSystem::instance().CreateDirectoryA(path);
}

bool FileExists(const std::string& path)
{
    return FileSystem::instance().fileExists(path);
}

bool DirectoryExists(const std::string& path)
{
    return FileSystem::instance().directoryExists(path);
}

std::string GetCurrentDir()
{
    return FileSystem::instance().currentDirectory();
}

bool SetCurrentDir(const std::string& path)
{
    return FileSystem::instance().setCurrentDirectory(path);
}

}
