// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace platform {

// A new file built under a hidden temporary name beside its target, and put in place by one rename
// once its data is on the device. Until then the target is untouched; a temp file that is never
// committed is removed.
class AtomicFile {
public:
    explicit AtomicFile(std::string targetHostPath);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file with exactly these permission bits.
    bool open(mode_t mode);
    bool write(std::string_view bytes);
    bool copyFrom(int sourceFd);
    bool keepTimesOf(const struct stat& source);
    // fsync, close, rename over the target (or fail with EEXIST when `replace` is false), fsync dir.
    bool commit(bool replace);

    // Makes data writes fail with `error` once `bytes` more bytes have been written: a full disk,
    // or a medium pulled out, met through the same code as the real thing.
    void failWritesAfter(std::uint64_t bytes, int error);
    // Data goes at most at this pace (a slow medium, for tests); 0 for as fast as it can.
    void throttle(std::uint64_t bytesPerSecond) { m_pace = bytesPerSecond; }
    // Sends each piece of a copy to the device as it goes, so what has been written is what has
    // arrived (a copy someone watches), rather than leaving it all to the final flush.
    void writeBackAsWritten() { m_writeBack = true; }
    // From another thread: the copy running stops at its next piece, failing with ECANCELED.
    void cancel() { m_cancelled = true; }

    const std::string& tempPath() const { return m_temp; }
    // Readable from another thread while a copy runs.
    std::uint64_t written() const { return m_written; }

    // The hidden name a partial file for `targetName` gets: it carries the writing process's id
    // and host, so a scan can tell a copy that was killed from one still running.
    static std::string tempNameFor(const std::string& targetName, pid_t pid, unsigned serial, const std::string& host);
    static std::string hostName();
    // Removes from a host directory the partial files that no running copy owns; nothing else.
    // Returns how many went.
    static int sweepAbandoned(const std::string& hostDir);

private:
    void spend(std::uint64_t bytes);
    std::size_t allowance(std::size_t wanted) const;
    bool failIfMoreData(int sourceFd);
    ssize_t pumpChunk(int sourceFd, std::size_t size);
    void pace(std::uint64_t startedNs);
    void writeBack(std::uint64_t from, std::uint64_t length);
    void discard();

    std::string m_target;
    std::string m_temp;
    int m_fd { -1 };
    bool m_committed { false };
    std::atomic<std::uint64_t> m_written { 0 };
    std::uint64_t m_pace { 0 };
    bool m_writeBack { false };
    std::atomic<bool> m_cancelled { false };
    std::uint64_t m_budget { std::numeric_limits<std::uint64_t>::max() };
    int m_budgetError { 0 };
    std::string m_buffer;
};

}
