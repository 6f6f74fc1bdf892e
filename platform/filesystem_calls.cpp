// The Windows calls and whole-file access of FileSystem.
#include "platform/filesystem.h"

#include "platform/atomic_file.h"
#include "platform/posix_io.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
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

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
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
    UniqueFd in(::open(fromHost.c_str(), O_RDONLY | O_CLOEXEC));
    AtomicFile out(toHost);
    if (!in || !out.open(0644))
        return false;
    armWrites(out, fault);
    if (!out.copyFrom(in.get()) || !out.keepTimesOf(fromStat) || stopsBeforeCommit(fault))
        return false;
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
    // Onto itself would replace the file with a copy of a file being replaced: refuse, as Windows does.
    if (::stat(target->host.c_str(), &dst) == 0 && (failIfExists || !S_ISREG(dst.st_mode) || sameFile(src, dst)))
        return false;
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
    bool caseChange = targetExists && sameFile(src, dst) && source->parent == target->parent;
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
    bool moved = caseChange ? ::rename(source->host.c_str(), destination.c_str()) == 0
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
    UniqueFd fd(::open(ResolvedPath::exactHost(*root, path.parts()).c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) {
        auto source = ResolvedPath::resolve(*root, path.parts());
        if (!source || !source->found)
            return {};
        fd = UniqueFd(::open(source->host.c_str(), O_RDONLY | O_CLOEXEC));
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
    }
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
