// SPDX-License-Identifier: MIT
#include "platform/posix_io.h"

#include "platform/unique_fd.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr unsigned kRenameNoReplace = 1; // RENAME_NOREPLACE in the kernel's ABI

bool unsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

int renameat2NoReplace(const std::string& from, const std::string& to)
{
#ifdef SYS_renameat2
    return static_cast<int>(syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), kRenameNoReplace));
#else
    errno = ENOSYS;
    return -1;
#endif
}

}

std::error_code lastError()
{
    return std::error_code(errno ? errno : EIO, std::generic_category());
}

ssize_t readSome(int fd, void* buffer, std::size_t size)
{
    for (;;) {
        ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool syncDirectory(const std::string& dir)
{
    UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd)
        return false;
    if (::fsync(fd.get()) == 0)
        return true;
    return errno == EINVAL || errno == ENOTSUP || errno == EOPNOTSUPP || errno == EROFS;
}

bool renameNoReplace(const std::string& from, const std::string& to)
{
    if (renameat2NoReplace(from, to) == 0)
        return true;
    if (!unsupported(errno))
        return false;
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    if (!unsupported(errno))
        return false;
    // No links on this file system (FAT): check, then rename. Only this process writes there.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool readOnly(const std::string& hostPath, const struct stat& st)
{
    return (st.st_mode & 0222) == 0 || ::access(hostPath.c_str(), W_OK) != 0;
}

bool hasEntryNamed(const std::string& hostDir, const std::string& name)
{
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(hostDir.c_str()), ::closedir);
    if (!handle)
        return false;
    while (const dirent* entry = ::readdir(handle.get()))
        if (name == entry->d_name)
            return true;
    return false;
}

std::string parentOf(const std::string& hostPath)
{
    auto slash = hostPath.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : hostPath.substr(0, slash);
}

std::string nameOf(const std::string& hostPath)
{
    auto slash = hostPath.find_last_of('/');
    return slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
}

std::string joinHost(const std::string& dir, const std::string& name)
{
    std::string path;
    path.reserve(dir.size() + 1 + name.size());
    path += dir;
    if (!dir.empty() && dir.back() != '/')
        path += '/';
    path += name;
    return path;
}

}
