// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>
#include <system_error>

namespace platform {

// Thin POSIX helpers that retry on EINTR and report failure through errno.

// errno as an error code for a call that failed; EIO where errno names no reason.
std::error_code lastError();

ssize_t readSome(int fd, void* buffer, std::size_t size);
bool writeAll(int fd, std::string_view bytes);
// Flushes a directory's entries (a rename inside it) to the device. A file system that does not
// support fsync on a directory is no failure; a flush that fails is.
bool syncDirectory(const std::string& dir);
// rename(2) that fails with EEXIST instead of replacing: renameat2(RENAME_NOREPLACE) where the
// file system has it, else link + unlink, else a check right before a plain rename.
bool renameNoReplace(const std::string& from, const std::string& to);
bool sameFile(const struct stat& a, const struct stat& b); // same device and inode
// Read-only as Windows sees it: no write permission for the user (on FAT media the attribute).
bool readOnly(const std::string& hostPath, const struct stat& st);
bool hasEntryNamed(const std::string& hostDir, const std::string& name); // spelled exactly so
std::string parentOf(const std::string& hostPath);
std::string nameOf(const std::string& hostPath);
std::string joinHost(const std::string& dir, const std::string& name);

}
