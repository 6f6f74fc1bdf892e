// The Windows calls and whole-file access of FileSystem.
#include "platform/filesystem.h"

#include "platform/ascii.h"
#include "platform/atomic_file.h"
#include "platform/posix_io.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// What is remembered of directory contents goes before and after every change the program makes.
struct IndexReset {
    IndexReset() { ResolvedPath::forgetIndexes(); }
    ~IndexReset() { ResolvedPath::forgetIndexes(); }
    IndexReset(const IndexReset&) = delete;
    IndexReset& operator=(const IndexReset&) = delete;
};

}

namespace {

constexpr std::uint64_t kMaxWholeFile = 64ull << 20;
constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Read-only as Windows sees it: no write permission for the user (on FAT media the attribute).
bool readOnly(const std::string& host, const struct stat& st)
{
    return (st.st_mode & 0222) == 0 || ::access(host.c_str(), W_OK) != 0;
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

// Two names are one directory entry when they name one file (same device and inode), or when a
// file system that ignores case takes the second for the first: it has no entry of its own and
// differs from the first only in letter case (exfat-fuse even gives each spelling its own inode).
// Where both names stand in the directory each as itself, they are two entries (hard links, or
// two files on a file system that keeps case), and neither is the other.
bool oneEntry(const ResolvedPath& a, const struct stat& as, const ResolvedPath& b, const struct stat& bs)
{
    struct stat ap {}, bp {};
    bool sameParent = a.parent == b.parent
        || (::stat(a.parent.c_str(), &ap) == 0 && ::stat(b.parent.c_str(), &bp) == 0 && sameFile(ap, bp));
    if (!sameParent)
        return false;
    std::string aName = nameOf(a.host), bName = b.givenName;
    if (aName == bName)
        return true;
    bool ownEntry = hasEntryNamed(b.parent, bName);
    if (ownEntry && hasEntryNamed(a.parent, aName))
        return false;
    return sameFile(as, bs) || (!ownEntry && equalIgnoringAsciiCase(aName, bName));
}

// A change of letter case only. Where a plain rename leaves the old spelling (a file system that
// ignores case may take the two names for one), it goes through a hidden name.
bool renameCase(const std::string& from, const std::string& parent, const std::string& name)
{
    std::string to = joinHost(parent, name);
    if (::rename(from.c_str(), to.c_str()) != 0)
        return false;
    if (hasEntryNamed(parent, name))
        return true;
    std::string hidden = joinHost(parent, "." + name + "~case");
    if (::rename(to.c_str(), hidden.c_str()) != 0)
        return false;
    if (::rename(hidden.c_str(), to.c_str()) == 0)
        return true;
    int error = errno;
    ::rename(hidden.c_str(), from.c_str());
    errno = error;
    return false;
}

// A full disk or a vanishing drive meets the data writes themselves, part-way through.
void armWrites(AtomicFile& file, const std::optional<FaultHit>& hit)
{
    if (!hit)
        return;
    if (hit->fault.kind == Fault::Kind::DiskFull)
        file.failWritesAfter(hit->fault.bytesBeforeFailure, ENOSPC);
    else if (hit->fault.kind == Fault::Kind::DriveGone)
        file.failWritesAfter(hit->fault.bytesBeforeFailure, EIO);
}

// A refusal, or a drive that went away after the data fitted, stops the change being made visible.
bool stopsBeforeCommit(const std::optional<FaultHit>& hit)
{
    if (!hit || hit->fault.kind == Fault::Kind::DiskFull)
        return false;
    errno = hit->fault.kind == Fault::Kind::Refuse ? EACCES : EIO;
    return true;
}

void syncParents(const ResolvedPath& a, const ResolvedPath& b)
{
    syncDirectory(b.parent);
    if (a.parent != b.parent)
        syncDirectory(a.parent);
}

}

bool FileSystem::copyData(const std::string& fromHost, const struct stat& fromStat, const std::string& toHost,
    bool replace, const std::optional<FaultHit>& fault)
{
    UniqueFd in(::open(fromHost.c_str(), kReadFlags));
    struct stat opened {};
    if (!in || ::fstat(in.get(), &opened) != 0 || !S_ISREG(opened.st_mode) || !sameFile(opened, fromStat))
        return false;
    AtomicFile out(toHost);
    if (!out.open(fromStat.st_mode & 0777))
        return false;
    armWrites(out, fault);
    if (!out.copyFrom(in.get()) || !out.keepTimesOf(fromStat) || stopsBeforeCommit(fault))
        return false;
    // A source that changed its length while it was read is no faithful copy.
    if (out.written() != static_cast<std::uint64_t>(fromStat.st_size)) {
        errno = EIO;
        return false;
    }
    return out.commit(replace);
}

bool FileSystem::CopyFileA(const std::string& from, const std::string& to, bool failIfExists)
{
    const IndexReset indexReset;
    auto source = resolve(from);
    auto target = resolve(to);
    struct stat src {}, dst {};
    if (!source || !target || ::stat(source->host.c_str(), &src) != 0 || !S_ISREG(src.st_mode))
        return false;
    // Onto itself would replace the file with a copy of a file being replaced: refuse, as Windows
    // does; so is a read-only file.
    if (::stat(target->host.c_str(), &dst) == 0
        && (failIfExists || !S_ISREG(dst.st_mode) || sameFile(src, dst) || readOnly(target->host, dst))) {
        errno = EACCES;
        return false;
    }
    auto fault = takeFault(Fault::Op::Copy, { expand(to), expand(from) });
    return copyData(source->host, src, target->host, !failIfExists, fault);
}

bool FileSystem::MoveFileA(const std::string& from, const std::string& to)
{
    const IndexReset indexReset;
    auto source = resolve(from);
    auto target = resolve(to);
    struct stat src {}, dst {};
    if (!source || !target || source->parent.empty() || target->parent.empty()
        || ::lstat(source->host.c_str(), &src) != 0)
        return false;
    bool targetExists = ::lstat(target->host.c_str(), &dst) == 0;
    // The only existing target allowed is the source itself under another letter case.
    bool caseChange = targetExists && oneEntry(*source, src, *target, dst);
    if (targetExists && !caseChange) {
        errno = EEXIST;
        return false;
    }
    auto fault = takeFault(Fault::Op::Move, { expand(to), expand(from) });
    if (fault && fault->fault.kind == Fault::Kind::DiskFull)
        return S_ISREG(src.st_mode) && moveByCopy(*source, *target, fault);
    if (fault)
        return false;
    std::string destination = joinHost(target->parent, target->givenName);
    bool moved = caseChange ? renameCase(source->host, target->parent, target->givenName)
                            : renameNoReplace(source->host, destination);
    if (!moved && errno == EXDEV && S_ISREG(src.st_mode))
        return moveByCopy(*source, *target, fault);
    if (moved)
        syncParents(*source, *target);
    return moved;
}

// Across host file systems a move is a copy that is put in place before the original goes.
bool FileSystem::moveByCopy(const ResolvedPath& from, const ResolvedPath& to, const std::optional<FaultHit>& fault)
{
    struct stat src {};
    std::string destination = joinHost(to.parent, to.givenName);
    if (::stat(from.host.c_str(), &src) != 0 || !copyData(from.host, src, destination, false, fault))
        return false;
    if (::unlink(from.host.c_str()) != 0) {
        int error = errno;
        ::unlink(destination.c_str());
        errno = error;
        return false;
    }
    syncParents(from, to);
    return true;
}

bool FileSystem::DeleteFileA(const std::string& path)
{
    const IndexReset indexReset;
    auto target = resolve(path);
    struct stat st {};
    if (!target || ::lstat(target->host.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    if (S_ISREG(st.st_mode) && readOnly(target->host, st)) {
        errno = EACCES;
        return false;
    }
    if (takeFault(Fault::Op::Delete, { expand(path) }) || ::unlink(target->host.c_str()) != 0)
        return false;
    syncDirectory(target->parent);
    return true;
}

bool FileSystem::CreateDirectoryA(const std::string& path)
{
    const IndexReset indexReset;
    auto target = resolve(path);
    struct stat st {};
    if (!target || target->parent.empty() || ::lstat(target->host.c_str(), &st) == 0)
        return false;
    if (takeFault(Fault::Op::CreateDirectory, { expand(path) }) || ::mkdir(target->host.c_str(), 0777) != 0)
        return false;
    syncDirectory(target->parent);
    return true;
}

UniqueFd FileSystem::openForReading(const std::string& winPath, struct stat& st) const
{
    WinPath path = absolute(winPath);
    auto root = mappedRoot(path.drive());
    if (!root || takeFault(Fault::Op::Open, { path.text() }))
        return {};
    // Most names are spelled as on disk; only a miss needs the case-blind look-up.
    // Never blocks on a FIFO or takes a terminal; the kind is checked before anything is read.
    UniqueFd fd(::open(ResolvedPath::exactHost(*root, path.parts()).c_str(), kReadFlags));
    if (!fd) {
        auto source = ResolvedPath::resolve(*root, path.parts());
        if (!source || !source->found)
            return {};
        fd = UniqueFd(::open(source->host.c_str(), kReadFlags));
    }
    if (!fd || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    return fd;
}

std::optional<HeaderRead> FileSystem::readHeader(const std::string& path, std::size_t n) const
{
    struct stat st {};
    UniqueFd fd = openForReading(path, st);
    if (!fd)
        return std::nullopt;
    HeaderRead header;
    header.bytes.resize(n);
    ssize_t got = readSome(fd.get(), header.bytes.data(), n);
    if (got < 0)
        return std::nullopt;
    header.bytes.resize(static_cast<std::size_t>(got));
    header.length = static_cast<std::uint64_t>(st.st_size);
    return header;
}

std::optional<std::string> FileSystem::readFile(const std::string& path) const
{
    struct stat st {};
    UniqueFd fd = openForReading(path, st);
    if (!fd)
        return std::nullopt;
    if (static_cast<std::uint64_t>(std::max<off_t>(st.st_size, 0)) > kMaxWholeFile) {
        errno = EFBIG;
        return std::nullopt;
    }
    // A file is read in one call of the size it reports; only a file that reports no size (a
    // special file) is read in pieces to its end.
    std::string bytes(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)), '\0');
    std::size_t have = 0;
    while (have < bytes.size()) {
        ssize_t got = readSome(fd.get(), bytes.data() + have, bytes.size() - have);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        have += static_cast<std::size_t>(got);
    }
    bytes.resize(have);
    if (st.st_size > 0)
        return bytes;
    char buffer[65536];
    for (;;) {
        ssize_t got = readSome(fd.get(), buffer, sizeof buffer);
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > kMaxWholeFile) {
            errno = EFBIG;
            return std::nullopt;
        }
    }
}

bool FileSystem::sameEntry(const std::string& a, const std::string& b) const
{
    auto first = resolve(a);
    auto second = resolve(b);
    struct stat as {}, bs {};
    return first && second && ::lstat(first->host.c_str(), &as) == 0 && ::lstat(second->host.c_str(), &bs) == 0
        && oneEntry(*first, as, *second, bs);
}

int FileSystem::removeAbandonedPartials(const std::string& dir)
{
    auto resolved = resolve(dir);
    if (!resolved || !resolved->found)
        return 0;
    const IndexReset indexReset;
    return AtomicFile::sweepAbandoned(resolved->host);
}

bool FileSystem::writeFileAtomic(const std::string& path, std::string_view bytes)
{
    const IndexReset indexReset;
    auto target = resolve(path);
    struct stat st {};
    if (!target || target->parent.empty())
        return false;
    bool exists = ::stat(target->host.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        return false;
    auto fault = takeFault(Fault::Op::Write, { expand(path) });
    AtomicFile file(target->host);
    if (!file.open(exists ? st.st_mode & 07777 : 0644))
        return false;
    armWrites(file, fault);
    if (!file.write(bytes) || stopsBeforeCommit(fault))
        return false;
    return file.commit(true);
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
