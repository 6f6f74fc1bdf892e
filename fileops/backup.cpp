// SPDX-License-Identifier: MIT
#include "fileops/backup.h"

#include "catalogue/text.h"
#include "platform/filesystem.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kKept = 10;
constexpr int kMaxPerSecond = 1000;

std::string stamp(std::time_t now)
{
    std::tm local {};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

bool digits(const std::string& text, std::size_t from, std::size_t count)
{
    if (from + count > text.size())
        return false;
    return std::all_of(text.begin() + long(from), text.begin() + long(from + count),
        [](char c) { return c >= '0' && c <= '9'; });
}

// The order of a backup among its file's others: its stamp, then its counter; nothing for a name
// that is no backup of that file.
std::optional<std::pair<std::string, int>> age(const std::string& name, const std::string& prefix)
{
    if (name.size() < prefix.size() + 15 || lowerAZ(name.substr(0, prefix.size())) != lowerAZ(prefix))
        return {};
    std::string rest = name.substr(prefix.size());
    if (!digits(rest, 0, 8) || rest[8] != '-' || !digits(rest, 9, 6))
        return {};
    if (rest.size() == 15)
        return std::pair { rest, 1 };
    if (rest.size() < 17 || rest.size() > 25 || rest[15] != '-' || !digits(rest, 16, rest.size() - 16))
        return {};
    return std::pair { rest.substr(0, 15), std::stoi(rest.substr(16)) };
}

bool ensureFolders(const std::string& folder)
{
    auto& files = platform::FileSystem::instance();
    for (std::size_t end = folder.find('\\', 3); end != std::string::npos; end = folder.find('\\', end + 1)) {
        std::string level = folder.substr(0, end + 1);
        if (!files.directoryExists(level) && !files.CreateDirectoryA(level))
            return false;
    }
    return true;
}

void dropOldest(const std::string& folder, const std::string& prefix)
{
    auto& files = platform::FileSystem::instance();
    auto names = files.listFiles(folder, prefix + "*");
    if (!names)
        return;
    std::vector<std::pair<std::pair<std::string, int>, std::string>> backups;
    for (const std::string& name : *names)
        if (auto order = age(name, prefix))
            backups.emplace_back(*order, name);
    if (backups.size() <= kKept)
        return;
    std::sort(backups.begin(), backups.end());
    for (std::size_t i = 0; i + kKept < backups.size(); ++i)
        files.DeleteFileA(folder + backups[i].second);
}

}

std::optional<std::string> keepBackup(const std::string& file, const std::string& folder, std::time_t now)
{
    if (!ensureFolders(folder))
        return {};
    auto& files = platform::FileSystem::instance();
    std::string prefix = fileNameOf(file) + ".";
    std::string base = folder + prefix + stamp(now);
    for (int counter = 1; counter <= kMaxPerSecond; ++counter) {
        std::string target = counter == 1 ? base : base + "-" + std::to_string(counter);
        files.forgetListings();
        if (files.fileExists(target))
            continue;
        if (!files.CopyFileA(file, target, true))
            return {};
        dropOldest(folder, prefix);
        return target;
    }
    return {};
}
