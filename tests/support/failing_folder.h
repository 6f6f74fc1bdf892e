// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

// A folder whose listing breaks off with an I/O error after its first entry, as the listing of a
// failing medium or a dropped network mount does: a tiny file system the test serves itself over
// /dev/fuse. It holds the sub-directories named; listing gives the first, then fails. Needs root
// and FUSE; where they are missing, mounted() is false and whyNot() says which.
class FailingFolder {
public:
    FailingFolder(std::string mountDir, std::vector<std::string> subdirectories);
    ~FailingFolder();
    FailingFolder(const FailingFolder&) = delete;
    FailingFolder& operator=(const FailingFolder&) = delete;

    bool mounted() const { return m_mounted; }
    const std::string& whyNot() const { return m_whyNot; }

private:
    void serve();
    void answer(const unsigned char* request);
    void reply(std::uint64_t unique, int error, const void* data = nullptr, std::size_t size = 0);

    std::string m_dir;
    std::vector<std::string> m_names;
    int m_fd { -1 };
    bool m_mounted { false };
    std::string m_whyNot;
    std::atomic<bool> m_stop { false };
    std::thread m_server;
};
