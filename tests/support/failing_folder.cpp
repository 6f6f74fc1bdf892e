// SPDX-License-Identifier: MIT
#include "tests/support/failing_folder.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <linux/fuse.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::uint64_t rootNode = FUSE_ROOT_ID;
// Entries of the root's listing that come before the failure: ".", ".." and the first name.
constexpr std::uint64_t entriesBeforeFailure = 3;

fuse_attr directoryAttr(std::uint64_t node)
{
    fuse_attr attr {};
    attr.ino = node;
    attr.mode = S_IFDIR | 0755;
    attr.nlink = 2;
    attr.blksize = 4096;
    return attr;
}

// One listing entry, padded as the protocol wants.
void addEntry(std::vector<unsigned char>& out, std::uint64_t node, std::uint64_t offset, const std::string& name)
{
    std::size_t at = out.size();
    out.resize(at + FUSE_DIRENT_ALIGN(FUSE_NAME_OFFSET + name.size()));
    auto* entry = reinterpret_cast<fuse_dirent*>(out.data() + at);
    entry->ino = node;
    entry->off = offset;
    entry->namelen = static_cast<std::uint32_t>(name.size());
    entry->type = DT_DIR;
    std::memcpy(out.data() + at + FUSE_NAME_OFFSET, name.data(), name.size());
}

}

FailingFolder::FailingFolder(std::string mountDir, std::vector<std::string> subdirectories)
    : m_dir(std::move(mountDir))
    , m_names(std::move(subdirectories))
{
    if (::geteuid() != 0) {
        m_whyNot = "failing folder skipped: mounting a FUSE file system needs root";
        return;
    }
    m_fd = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (m_fd < 0) {
        m_whyNot = "failing folder skipped: no FUSE on this machine (/dev/fuse)";
        return;
    }
    std::filesystem::create_directories(m_dir);
    std::string options = "fd=" + std::to_string(m_fd) + ",rootmode=40000,user_id=0,group_id=0";
    if (::mount("failing", m_dir.c_str(), "fuse.failing", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
        m_whyNot = std::string("failing folder skipped: FUSE mount refused (") + std::strerror(errno) + ")";
        return;
    }
    m_mounted = true;
    m_server = std::thread([this] { serve(); });
}

FailingFolder::~FailingFolder()
{
    if (m_mounted)
        ::umount2(m_dir.c_str(), MNT_DETACH);
    m_stop = true;
    if (m_server.joinable())
        m_server.join();
    if (m_fd >= 0)
        ::close(m_fd);
}

void FailingFolder::serve()
{
    std::vector<unsigned char> buffer(FUSE_MIN_READ_BUFFER + (1 << 17));
    while (!m_stop) {
        pollfd ready { m_fd, POLLIN, 0 };
        if (::poll(&ready, 1, 50) <= 0)
            continue;
        ssize_t n = ::read(m_fd, buffer.data(), buffer.size());
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == ENOENT))
            continue;
        if (n < static_cast<ssize_t>(sizeof(fuse_in_header)))
            return; // unmounted
        answer(buffer.data());
    }
}

void FailingFolder::answer(const unsigned char* request)
{
    const auto* in = reinterpret_cast<const fuse_in_header*>(request);
    const unsigned char* body = request + sizeof(fuse_in_header);
    switch (in->opcode) {
    case FUSE_INIT: {
        const auto* init = reinterpret_cast<const fuse_init_in*>(body);
        fuse_init_out out {};
        out.major = FUSE_KERNEL_VERSION;
        out.minor = FUSE_KERNEL_MINOR_VERSION;
        out.max_readahead = init->max_readahead;
        out.max_background = 4;
        out.congestion_threshold = 3;
        out.max_write = 4096;
        out.time_gran = 1;
        reply(in->unique, 0, &out, sizeof out);
        return;
    }
    case FUSE_GETATTR: {
        fuse_attr_out out {};
        out.attr = directoryAttr(in->nodeid);
        reply(in->unique, 0, &out, sizeof out);
        return;
    }
    case FUSE_LOOKUP: {
        std::string name(reinterpret_cast<const char*>(body));
        for (std::size_t i = 0; in->nodeid == rootNode && i < m_names.size(); ++i) {
            if (m_names[i] != name)
                continue;
            fuse_entry_out out {};
            out.nodeid = rootNode + 1 + i;
            out.attr = directoryAttr(out.nodeid);
            reply(in->unique, 0, &out, sizeof out);
            return;
        }
        reply(in->unique, -ENOENT);
        return;
    }
    case FUSE_OPENDIR: {
        fuse_open_out out {};
        reply(in->unique, 0, &out, sizeof out);
        return;
    }
    case FUSE_READDIR: {
        const auto* read = reinterpret_cast<const fuse_read_in*>(body);
        std::vector<unsigned char> out;
        if (in->nodeid != rootNode) {
            reply(in->unique, 0);
            return;
        }
        if (read->offset >= entriesBeforeFailure) {
            reply(in->unique, -EIO);
            return;
        }
        if (read->offset == 0) {
            addEntry(out, rootNode, 1, ".");
            addEntry(out, rootNode, 2, "..");
            if (!m_names.empty())
                addEntry(out, rootNode + 1, 3, m_names.front());
        }
        reply(in->unique, 0, out.data(), out.size());
        return;
    }
    case FUSE_STATFS: {
        fuse_statfs_out out {};
        out.st.bsize = 4096;
        out.st.namelen = 255;
        reply(in->unique, 0, &out, sizeof out);
        return;
    }
    case FUSE_RELEASEDIR:
    case FUSE_ACCESS:
        reply(in->unique, 0);
        return;
    case FUSE_FORGET:
    case FUSE_BATCH_FORGET:
    case FUSE_INTERRUPT:
        return; // no answer is expected
    default:
        reply(in->unique, -ENOSYS);
        return;
    }
}

void FailingFolder::reply(std::uint64_t unique, int error, const void* data, std::size_t size)
{
    fuse_out_header header {};
    header.len = static_cast<std::uint32_t>(sizeof header + size);
    header.error = error;
    header.unique = unique;
    iovec parts[2] = { { &header, sizeof header }, { const_cast<void*>(data), size } };
    (void)::writev(m_fd, parts, size ? 2 : 1);
}
