#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace platform {

// Thin POSIX helpers that retry on EINTR and report failure through errno.

ssize_t readSome(int fd, void* buffer, std::size_t size);
bool writeAll(int fd, std::string_view bytes);
// Flushes a directory's entries (a rename inside it) to the device. A file system that does not
// support fsync on a directory is no failure; a flush that fails is.
bool syncDirectory(const std::string& dir);
// rename(2) that fails with EEXIST instead of replacing: renameat2(RENAME_NOREPLACE) where the
// file system has it, else link + unlink, else a check right before a plain rename.
bool renameNoReplace(const std::string& from, const std::string& to);
std::string parentOf(const std::string& hostPath);
std::string nameOf(const std::string& hostPath);
std::string joinHost(const std::string& dir, const std::string& name);

}
