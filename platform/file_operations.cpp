// SPDX-License-Identifier: MIT
#include "platform/file_operations.h"

#include "platform/ascii.h"
#include "platform/atomic_file.h"
#include "platform/codepage.h"
#include "platform/posix_io.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::uint64_t kMaxWholeFile = 64ull << 20;
constexpr int kReadFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

// What is remembered of directory contents goes before and after every change the program makes.
class IndexReset {
public:
    explicit IndexReset(const PathResolver& resolver)
        : m_resolver(resolver)
    {
        m_resolver.forgetListings();
    }
    ~IndexReset() { m_resolver.forgetListings(); }
    IndexReset(const IndexReset&) = delete;
    IndexReset& operator=(const IndexReset&) = delete;

private:
    const PathResolver& m_resolver;
};

std::error_code unresolved()
{
    return failure(std::errc::no_such_file_or_directory);
}

std::error_code errnoUnless(bool succeeded)
{
    return succeeded ? std::error_code() : lastError();
}

// The reason each kind of fault stands for.
std::error_code faultError(const FaultHit& hit)
{
    switch (hit.fault.kind) {
    case Fault::Kind::Refuse:
        return failure(std::errc::permission_denied);
    case Fault::Kind::DiskFull:
        return failure(std::errc::no_space_on_device);
    case Fault::Kind::DriveGone:
    case Fault::Kind::Slow:
        break;
    }
    return failure(std::errc::io_error);
}

// What a call that wants a regular file fails with on anything else.
std::error_code notAFile(const struct stat& st)
{
    return failure(S_ISDIR(st.st_mode) ? std::errc::is_a_directory : std::errc::invalid_argument);
}

// Files only, and no read-only one.
std::error_code refusalToDelete(const ResolvedPath& target)
{
    struct stat st {};
    if (::lstat(target.host.c_str(), &st) != 0)
        return lastError();
    if (S_ISDIR(st.st_mode))
        return failure(std::errc::is_a_directory);
    if (S_ISREG(st.st_mode) && readOnly(target.host, st))
        return failure(std::errc::permission_denied);
    return {};
}

// A name a listing gave ('?' where the host name had characters Windows can't hold) that names
// no entry: nothing can be made under it, as its real characters are not known.
bool unknownListedName(const ResolvedPath& target)
{
    return !target.found && target.givenName.find('?') != std::string::npos;
}

// Except where it is the name of the very entry it comes from: a copy or a move keeps that entry's
// host name, when it lists by the same name.
bool nameAfterSource(const ResolvedPath& source, ResolvedPath& target)
{
    if (!unknownListedName(target))
        return true;
    std::string name = nameOf(source.host);
    if (!equalIgnoringAsciiCase(listedName(name), utf8ToCp1252(target.givenName)))
        return false;
    target.givenName = name;
    target.host = joinHost(target.parent, name);
    return true;
}

// Never a drive's root, and only where the name is free; a missing parent fails in mkdir itself.
std::error_code refusalToCreate(const ResolvedPath& target)
{
    struct stat st {};
    if (target.parent.empty() || ::lstat(target.host.c_str(), &st) == 0)
        return failure(std::errc::file_exists);
    if (unknownListedName(target))
        return failure(std::errc::invalid_argument);
    return {};
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

// The data goes in as the fault allows: a full disk or a vanishing drive meets the data writes
// themselves, part-way through; a refusal, or a drive that went away after the data fitted, stops
// the change being made visible.
template <class Write>
std::error_code writeUnder(AtomicFile& file, const std::optional<FaultHit>& hit, Write&& write)
{
    if (hit && hit->fault.kind == Fault::Kind::DiskFull)
        file.failWritesAfter(hit->fault.bytesBeforeFailure, ENOSPC);
    else if (hit && hit->fault.kind == Fault::Kind::DriveGone)
        file.failWritesAfter(hit->fault.bytesBeforeFailure, EIO);
    else if (hit && hit->fault.kind == Fault::Kind::Slow)
        file.throttle(hit->fault.bytesPerSecond);
    if (!write())
        return lastError();
    bool failing = hit && hit->fault.kind != Fault::Kind::DiskFull && hit->fault.kind != Fault::Kind::Slow;
    return failing ? faultError(*hit) : std::error_code();
}

void syncParents(const ResolvedPath& a, const ResolvedPath& b)
{
    syncDirectory(b.parent);
    if (a.parent != b.parent)
        syncDirectory(a.parent);
}

}

FileOperations::FileOperations(const PathResolver& resolver, FaultInjector& faults)
    : m_resolver(resolver)
    , m_faults(faults)
{
}

// The paths a fault's text is matched against are spelled out only while a fault is armed.
std::optional<FaultHit> FileOperations::faultFor(Fault::Op op, const std::string& path, const std::string& other) const
{
    return m_faults.take(op, [&] {
        FaultPaths paths { m_resolver.expand(path) };
        if (!other.empty())
            paths.push_back(m_resolver.expand(other));
        return paths;
    });
}

std::error_code FileOperations::copyData(const std::string& fromHost, const struct stat& fromStat,
    const std::string& toHost, bool replace, const std::optional<FaultHit>& fault)
{
    UniqueFd in(::open(fromHost.c_str(), kReadFlags));
    struct stat opened {};
    if (!in || ::fstat(in.get(), &opened) != 0)
        return lastError();
    // Another file came in its place since it was looked at.
    if (!S_ISREG(opened.st_mode) || !sameFile(opened, fromStat))
        return unresolved();
    AtomicFile out(toHost);
    if (!out.open(fromStat.st_mode & 0777))
        return lastError();
    auto copy = [&] { return out.copyFrom(in.get()) && out.keepTimesOf(fromStat); };
    if (auto error = writeUnder(out, fault, [&] { return watched(out, static_cast<std::uint64_t>(fromStat.st_size), copy); }))
        return error;
    // A source that changed its length while it was read is no faithful copy.
    if (out.written() != static_cast<std::uint64_t>(fromStat.st_size))
        return failure(std::errc::io_error);
    return errnoUnless(out.commit(replace));
}

bool FileOperations::watched(AtomicFile& out, std::uint64_t total, const std::function<bool()>& copy)
{
    if (!m_progress)
        return copy();
    out.writeBackAsWritten();
    m_progress(0, total);
    std::mutex lock;
    std::condition_variable ended;
    bool finished = false, copied = false;
    int error = 0;
    std::thread worker([&] {
        bool ok = copy();
        int reason = errno;
        std::lock_guard<std::mutex> guard(lock);
        copied = ok;
        error = reason;
        finished = true;
        ended.notify_one();
    });
    std::exception_ptr thrown;
    std::unique_lock<std::mutex> waiting(lock);
    while (!ended.wait_for(waiting, std::chrono::milliseconds(50), [&] { return finished; }) && !thrown) {
        waiting.unlock();
        try {
            m_progress(out.written(), total);
        } catch (...) {
            thrown = std::current_exception();
            out.cancel();
        }
        waiting.lock();
    }
    ended.wait(waiting, [&] { return finished; });
    waiting.unlock();
    worker.join();
    if (thrown)
        std::rethrow_exception(thrown);
    m_progress(out.written(), total);
    errno = error;
    return copied;
}

std::error_code FileOperations::copyFile(const std::string& from, const std::string& to, bool failIfExists)
{
    const IndexReset indexReset(m_resolver);
    auto source = m_resolver.resolve(from);
    auto target = m_resolver.resolve(to);
    if (!source || !target)
        return unresolved();
    if (!nameAfterSource(*source, *target))
        return failure(std::errc::invalid_argument);
    if (m_resolver.leavesDrive(from, source->host))
        return unresolved();
    struct stat src {}, dst {};
    if (::stat(source->host.c_str(), &src) != 0)
        return lastError();
    if (!S_ISREG(src.st_mode))
        return notAFile(src);
    // Onto itself would replace the file with a copy of a file being replaced: refuse, as Windows
    // does; so is a read-only file. A link out of a removable disk is no file there: the copy
    // takes its name and never writes through it.
    bool replacing = !m_resolver.leavesDrive(to, target->host) && ::stat(target->host.c_str(), &dst) == 0;
    if (replacing && (failIfExists || !S_ISREG(dst.st_mode) || sameFile(src, dst) || readOnly(target->host, dst)))
        return failure(std::errc::permission_denied);
    auto fault = faultFor(Fault::Op::Copy, to, from);
    // A file that is there keeps its name; a new one takes the name it is given.
    std::string destination = replacing ? m_resolver.spelledAsOnDisk(*target) : target->host;
    return copyData(source->host, src, destination, !failIfExists, fault);
}

std::error_code FileOperations::moveFile(const std::string& from, const std::string& to)
{
    const IndexReset indexReset(m_resolver);
    auto source = m_resolver.resolve(from);
    auto target = m_resolver.resolve(to);
    struct stat src {}, dst {};
    if (!source || !target)
        return unresolved();
    if (source->parent.empty() || target->parent.empty()) // a drive's root
        return failure(std::errc::permission_denied);
    if (!nameAfterSource(*source, *target))
        return failure(std::errc::invalid_argument);
    if (::lstat(source->host.c_str(), &src) != 0)
        return lastError();
    bool targetExists = ::lstat(target->host.c_str(), &dst) == 0;
    // The only existing target allowed is the source itself under another letter case.
    bool caseChange = targetExists && oneEntry(*source, src, *target, dst);
    if (targetExists && !caseChange)
        return failure(std::errc::file_exists);
    auto fault = faultFor(Fault::Op::Move, to, from);
    if (fault && (fault->fault.kind != Fault::Kind::DiskFull || !S_ISREG(src.st_mode)))
        return faultError(*fault);
    if (fault)
        return moveByCopy(*source, *target, fault);
    std::string destination = joinHost(target->parent, target->givenName);
    bool moved = caseChange ? renameCase(source->host, target->parent, target->givenName)
                            : renameNoReplace(source->host, destination);
    if (!moved && errno == EXDEV && S_ISREG(src.st_mode))
        return moveByCopy(*source, *target, fault);
    if (!moved)
        return lastError();
    syncParents(*source, *target);
    return {};
}

// Across host file systems a move is a copy that is put in place before the original goes.
std::error_code FileOperations::moveByCopy(const ResolvedPath& from, const ResolvedPath& to,
    const std::optional<FaultHit>& fault)
{
    struct stat src {};
    std::string destination = joinHost(to.parent, to.givenName);
    if (::stat(from.host.c_str(), &src) != 0)
        return lastError();
    if (auto error = copyData(from.host, src, destination, false, fault))
        return error;
    if (::unlink(from.host.c_str()) != 0) {
        auto error = lastError();
        ::unlink(destination.c_str());
        return error;
    }
    syncParents(from, to);
    return {};
}

std::error_code FileOperations::deleteFile(const std::string& path)
{
    return changeEntry(Fault::Op::Delete, path, refusalToDelete, ::unlink);
}

std::error_code FileOperations::createDirectory(const std::string& path)
{
    return changeEntry(Fault::Op::CreateDirectory, path, refusalToCreate,
        [](const char* host) { return ::mkdir(host, 0777); });
}

std::error_code FileOperations::changeEntry(Fault::Op op, const std::string& path,
    std::error_code (*refusal)(const ResolvedPath& target), int (*change)(const char* host))
{
    const IndexReset indexReset(m_resolver);
    auto target = m_resolver.resolve(path);
    if (!target)
        return unresolved();
    if (auto error = refusal(*target))
        return error;
    if (auto fault = faultFor(op, path))
        return faultError(*fault);
    if (change(target->host.c_str()) != 0)
        return lastError();
    syncDirectory(target->parent);
    return {};
}

Result<UniqueFd> FileOperations::openForReading(const std::string& winPath, struct stat& st) const
{
    WinPath path = m_resolver.absolute(winPath);
    auto root = m_resolver.mappedRoot(path.drive());
    if (!root)
        return unresolved();
    if (auto fault = faultFor(Fault::Op::Open, winPath))
        return faultError(*fault);
    // Most names are spelled as on disk; only a miss needs the case-blind look-up.
    // Never blocks on a FIFO or takes a terminal; the kind is checked before anything is read.
    UniqueFd fd(::open(PathResolver::exactHost(*root, path.parts()).c_str(), kReadFlags));
    if (!fd) {
        auto source = m_resolver.resolveUnder(*root, path.parts());
        if (!source || !source->found)
            return unresolved();
        fd = UniqueFd(::open(source->host.c_str(), kReadFlags));
    }
    if (!fd || ::fstat(fd.get(), &st) != 0)
        return lastError();
    if (!S_ISREG(st.st_mode))
        return notAFile(st);
    // Where the file opened really lies: a link out of a removable disk is no file there.
    if (m_resolver.leavesDrive(winPath, "/proc/self/fd/" + std::to_string(fd.get())))
        return unresolved();
    return fd;
}

Result<HeaderRead> FileOperations::readHeader(const std::string& path, std::size_t n) const
{
    struct stat st {};
    auto fd = openForReading(path, st);
    if (!fd)
        return fd.error();
    HeaderRead header;
    header.bytes.resize(n);
    ssize_t got = readSome(fd->get(), header.bytes.data(), n);
    if (got < 0)
        return lastError();
    header.bytes.resize(static_cast<std::size_t>(got));
    header.length = static_cast<std::uint64_t>(st.st_size);
    return header;
}

Result<std::string> FileOperations::readFile(const std::string& path) const
{
    struct stat st {};
    auto fd = openForReading(path, st);
    if (!fd)
        return fd.error();
    if (static_cast<std::uint64_t>(std::max<off_t>(st.st_size, 0)) > kMaxWholeFile)
        return failure(std::errc::file_too_large);
    // A file is read in one call of the size it reports; only a file that reports no size (a
    // special file) is read in pieces to its end.
    std::string bytes(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)), '\0');
    std::size_t have = 0;
    while (have < bytes.size()) {
        ssize_t got = readSome(fd->get(), bytes.data() + have, bytes.size() - have);
        if (got < 0)
            return lastError();
        if (got == 0)
            break;
        have += static_cast<std::size_t>(got);
    }
    bytes.resize(have);
    if (st.st_size > 0)
        return bytes;
    char buffer[65536];
    for (;;) {
        ssize_t got = readSome(fd->get(), buffer, sizeof buffer);
        if (got < 0)
            return lastError();
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > kMaxWholeFile)
            return failure(std::errc::file_too_large);
    }
}

std::error_code FileOperations::writeFileAtomic(const std::string& path, std::string_view bytes)
{
    const IndexReset indexReset(m_resolver);
    auto target = m_resolver.resolve(path);
    struct stat st {};
    if (!target || target->parent.empty())
        return unresolved();
    bool exists = ::stat(target->host.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode))
        return notAFile(st);
    // The rename would replace a file the user may not write, and hand it to him.
    if (exists && readOnly(target->host, st))
        return failure(std::errc::permission_denied);
    if (!exists && unknownListedName(*target))
        return failure(std::errc::invalid_argument);
    auto fault = faultFor(Fault::Op::Write, path);
    AtomicFile file(exists ? m_resolver.spelledAsOnDisk(*target) : target->host);
    if (!file.open(exists ? st.st_mode & 07777 : 0644))
        return lastError();
    if (auto error = writeUnder(file, fault, [&] { return file.write(bytes); }))
        return error;
    return errnoUnless(file.commit(true));
}

Result<int> FileOperations::removeAbandonedPartials(const std::string& dir)
{
    auto resolved = m_resolver.resolve(dir);
    if (!resolved || !resolved->found)
        return unresolved();
    const IndexReset indexReset(m_resolver);
    return AtomicFile::sweepAbandoned(resolved->host);
}

}
