// SPDX-License-Identifier: MIT
#include "platform/atomic_file.h"

#include "platform/posix_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {

namespace {

constexpr std::size_t kChunk = 1 << 20;
// Together they keep the temp name under NAME_MAX.
constexpr std::size_t kMaxNameInTemp = 160;
constexpr std::size_t kMaxHostInTemp = 48;
constexpr std::string_view kMark = "~tavisco-";

// The temp files this process is writing now, by host path.
std::set<std::string>& liveTemps()
{
    static std::set<std::string> live;
    return live;
}

struct PartialName {
    pid_t pid { 0 };
    std::string host;
};

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "." name "~tavisco-" pid "-" serial "@" host, or nothing.
std::optional<PartialName> parsePartial(std::string_view name)
{
    auto mark = name.rfind(kMark);
    if (name.empty() || name[0] != '.' || mark == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = name.substr(mark + kMark.size());
    auto dash = rest.find('-');
    auto at = rest.find('@');
    if (dash == std::string_view::npos || at == std::string_view::npos || at < dash || at + 1 == rest.size())
        return std::nullopt;
    std::string_view pid = rest.substr(0, dash), serial = rest.substr(dash + 1, at - dash - 1);
    if (!allDigits(pid) || !allDigits(serial) || pid.size() > 9)
        return std::nullopt;
    return PartialName { static_cast<pid_t>(std::stol(std::string(pid))), std::string(rest.substr(at + 1)) };
}

bool processRunning(pid_t pid)
{
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

bool abandoned(const std::string& hostDir, const std::string& name)
{
    auto partial = parsePartial(name);
    if (!partial)
        return false;
    // A medium holds the files of one machine at a time; another machine's copy is not running here.
    if (partial->host != AtomicFile::hostName())
        return true;
    if (partial->pid == ::getpid())
        return !liveTemps().count(joinHost(hostDir, name));
    return !processRunning(partial->pid);
}

bool rangeCopyUnsupported(int error)
{
    return error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP || error == EBADF;
}

}

AtomicFile::AtomicFile(std::string targetHostPath)
    : m_target(std::move(targetHostPath))
{
}

AtomicFile::~AtomicFile()
{
    if (!m_committed)
        discard();
}

std::string AtomicFile::tempNameFor(const std::string& targetName, pid_t pid, unsigned serial, const std::string& host)
{
    return "." + targetName.substr(0, kMaxNameInTemp) + std::string(kMark) + std::to_string(pid) + "-"
        + std::to_string(serial) + "@" + host;
}

std::string AtomicFile::hostName()
{
    static const std::string name = [] {
        char buffer[256] = {};
        if (::gethostname(buffer, sizeof buffer - 1) != 0 || !buffer[0])
            return std::string("localhost");
        std::string host(buffer);
        std::replace(host.begin(), host.end(), '/', '_');
        return host.substr(0, kMaxHostInTemp);
    }();
    return name;
}

int AtomicFile::sweepAbandoned(const std::string& hostDir)
{
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(hostDir.c_str()), ::closedir);
    if (!handle)
        return 0;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(handle.get()))
        if (entry->d_name[0] == '.' && abandoned(hostDir, entry->d_name))
            stale.emplace_back(entry->d_name);
    int removed = 0;
    for (const auto& name : stale)
        removed += ::unlinkat(::dirfd(handle.get()), name.c_str(), 0) == 0;
    return removed;
}

bool AtomicFile::open(mode_t mode)
{
    static std::atomic<unsigned> counter { 0 };
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temp = joinHost(parentOf(m_target), tempNameFor(nameOf(m_target), ::getpid(), counter++, hostName()));
        m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd >= 0) {
            liveTemps().insert(m_temp);
            // The umask would change them; a file system without permissions may refuse, no harm.
            ::fchmod(m_fd, mode & 07777);
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    m_temp.clear();
    return false;
}

void AtomicFile::failWritesAfter(std::uint64_t bytes, int error)
{
    m_budget = bytes;
    m_budgetError = error;
}

std::size_t AtomicFile::allowance(std::size_t wanted) const
{
    return static_cast<std::size_t>(std::min<std::uint64_t>(wanted, m_budget));
}

void AtomicFile::spend(std::uint64_t bytes)
{
    if (m_budget != std::numeric_limits<std::uint64_t>::max())
        m_budget -= bytes;
}

bool AtomicFile::write(std::string_view bytes)
{
    std::size_t allowed = allowance(bytes.size());
    if (!writeAll(m_fd, bytes.substr(0, allowed)))
        return false;
    spend(allowed);
    m_written += allowed;
    if (allowed < bytes.size()) {
        errno = m_budgetError;
        return false;
    }
    return true;
}

// Only the data the budget allows is written; when it is spent, more data means failure.
bool AtomicFile::failIfMoreData(int sourceFd)
{
    char probe;
    ssize_t n = readSome(sourceFd, &probe, 1);
    if (n < 0)
        return false;
    if (n == 0)
        return true;
    errno = m_budgetError;
    return false;
}

ssize_t AtomicFile::pumpChunk(int sourceFd, std::size_t size)
{
    m_buffer.resize(kChunk);
    ssize_t n = readSome(sourceFd, m_buffer.data(), size);
    if (n > 0 && !writeAll(m_fd, std::string_view(m_buffer.data(), static_cast<std::size_t>(n))))
        return -1;
    return n;
}

namespace {

std::uint64_t steadyNs()
{
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000ull + static_cast<std::uint64_t>(now.tv_nsec);
}

}

// Waits until the data written so far is due at the pace set.
void AtomicFile::pace(std::uint64_t startedNs)
{
    if (!m_pace)
        return;
    std::uint64_t due = startedNs + m_written * 1'000'000'000ull / m_pace;
    for (std::uint64_t now = steadyNs(); now < due; now = steadyNs()) {
        timespec wait { static_cast<time_t>((due - now) / 1'000'000'000ull), static_cast<long>((due - now) % 1'000'000'000ull) };
        ::nanosleep(&wait, nullptr);
    }
}

// This piece starts for the device, and the piece before it must be there: the data in flight stays
// one piece, whatever the device's speed. A file system that can't do it is left to the final flush.
void AtomicFile::writeBack(std::uint64_t from, std::uint64_t length)
{
    if (!m_writeBack)
        return;
    ::sync_file_range(m_fd, static_cast<off64_t>(from), static_cast<off64_t>(length), SYNC_FILE_RANGE_WRITE);
    if (from > 0)
        ::sync_file_range(m_fd, 0, static_cast<off64_t>(from),
            SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
}

bool AtomicFile::copyFrom(int sourceFd)
{
    bool kernelCopy = true;
    std::uint64_t started = steadyNs();
    // A slow pace goes in pieces of a twentieth of a second, so progress moves smoothly.
    std::size_t piece = m_pace ? static_cast<std::size_t>(std::clamp<std::uint64_t>(m_pace / 20, 4096, kChunk)) : kChunk;
    for (;;) {
        if (m_cancelled) {
            errno = ECANCELED;
            return false;
        }
        if (m_budget == 0)
            return failIfMoreData(sourceFd);
        std::size_t size = allowance(piece);
        ssize_t n = kernelCopy ? ::copy_file_range(sourceFd, nullptr, m_fd, nullptr, size, 0)
                               : pumpChunk(sourceFd, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && kernelCopy && rangeCopyUnsupported(errno)) {
            kernelCopy = false;
            continue;
        }
        if (n <= 0)
            return n == 0;
        spend(static_cast<std::uint64_t>(n));
        writeBack(m_written, static_cast<std::uint64_t>(n));
        m_written += static_cast<std::uint64_t>(n);
        pace(started);
    }
}

bool AtomicFile::keepTimesOf(const struct stat& source)
{
    const timespec times[2] = { source.st_atim, source.st_mtim };
    return ::futimens(m_fd, times) == 0;
}

bool AtomicFile::commit(bool replace)
{
    if (m_fd < 0 || ::fsync(m_fd) != 0)
        return false;
    int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0)
        return false;
    bool placed = replace ? ::rename(m_temp.c_str(), m_target.c_str()) == 0 : renameNoReplace(m_temp, m_target);
    if (!placed)
        return false;
    m_committed = true;
    liveTemps().erase(m_temp);
    // The new name is only safe once the directory is on the device too.
    return syncDirectory(parentOf(m_target));
}

void AtomicFile::discard()
{
    int saved = errno;
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        liveTemps().erase(m_temp);
    }
    errno = saved;
}

}
