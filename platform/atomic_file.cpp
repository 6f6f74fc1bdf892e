#include "platform/atomic_file.h"

#include "platform/posix_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

constexpr std::size_t kChunk = 1 << 20;
constexpr std::size_t kMaxNameInTemp = 180; // keeps the temp name under NAME_MAX

std::string tempNameFor(const std::string& target)
{
    static std::atomic<unsigned> counter { 0 };
    std::string name = nameOf(target).substr(0, kMaxNameInTemp);
    std::string suffix = ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    return joinHost(parentOf(target), "." + name + suffix);
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

bool AtomicFile::open(mode_t mode)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temp = tempNameFor(m_target);
        m_fd = ::open(m_temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (m_fd >= 0)
            return true;
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

bool AtomicFile::copyFrom(int sourceFd)
{
    bool kernelCopy = true;
    for (;;) {
        if (m_budget == 0)
            return failIfMoreData(sourceFd);
        std::size_t size = allowance(kChunk);
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
    syncDirectory(parentOf(m_target));
    return true;
}

void AtomicFile::discard()
{
    int saved = errno;
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_temp.empty())
        ::unlink(m_temp.c_str());
    errno = saved;
}

}
