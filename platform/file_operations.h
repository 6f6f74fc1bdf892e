// SPDX-License-Identifier: MIT
#pragma once

#include "platform/fault_injector.h"
#include "platform/path_resolver.h"
#include "platform/result.h"
#include "platform/unique_fd.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

struct stat;

namespace platform {

class AtomicFile;

struct HeaderRead {
    std::vector<unsigned char> bytes; // up to the n bytes asked for
    std::uint64_t length = 0;         // the whole file's length
};

// The calls that change files, and whole-file reads and writes, with their Windows meaning. Each
// says why it failed: an error code that is empty on success, or a result that holds the reason.
class FileOperations {
public:
    // How far the file being copied is: bytes written of its length.
    using CopyProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

    FileOperations(const PathResolver& resolver, FaultInjector& faults);

    // While set, a copy's data goes on a thread of its own, and the calling thread hears how far it
    // is when it starts, every 50 ms and at its end (so it can keep a window painted). What the
    // observer throws stops the copy, which is then undone, and goes on to the caller.
    void watchCopies(CopyProgress observer) { m_progress = std::move(observer); }

    std::error_code copyFile(const std::string& from, const std::string& to, bool failIfExists);
    std::error_code moveFile(const std::string& from, const std::string& to); // never replaces another file
    std::error_code deleteFile(const std::string& path);                      // files only
    std::error_code createDirectory(const std::string& path); // one level; fails where the name exists

    // Shared-read access that never blocks on a FIFO or takes a terminal; regular files only.
    Result<HeaderRead> readHeader(const std::string& path, std::size_t n) const;
    // Refuses a file over 64 MiB (std::errc::file_too_large) rather than allocate its size.
    Result<std::string> readFile(const std::string& path) const;
    // Through a temporary file beside it, so the old file stays whole until the new one is.
    std::error_code writeFileAtomic(const std::string& path, std::string_view bytes);

    // Partial files that copies killed part-way left in `dir`; how many were removed. Copies still
    // running, here or in another instance, keep theirs.
    Result<int> removeAbandonedPartials(const std::string& dir);

private:
    std::optional<FaultHit> faultFor(Fault::Op op, const std::string& path, const std::string& other = {}) const;
    // The one entry a delete or a create-directory changes: made unless `refusal` has a reason
    // against it or a fault is armed for it; its directory then goes to the device.
    std::error_code changeEntry(Fault::Op op, const std::string& path,
        std::error_code (*refusal)(const ResolvedPath& target), int (*change)(const char* host));
    Result<UniqueFd> openForReading(const std::string& winPath, struct stat& st) const;
    std::error_code moveByCopy(const ResolvedPath& from, const ResolvedPath& to, const std::optional<FaultHit>& fault);
    std::error_code copyData(const std::string& fromHost, const struct stat& fromStat, const std::string& toHost,
        bool replace, const std::optional<FaultHit>& fault);

    bool watched(AtomicFile& out, std::uint64_t total, const std::function<bool()>& copy);

    const PathResolver& m_resolver;
    FaultInjector& m_faults;
    CopyProgress m_progress;
};

}
