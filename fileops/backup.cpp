// SPDX-License-Identifier: MIT
#include "fileops/backup.h"

#include "catalogue/text.h"
#include "platform/filesystem.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
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

// A name with no Windows-1252 form is listed with '?' in its place, which no new file can be
// named: its backups take '_' there and a mark of the name on disk after the base name, so two
// such games keep their backups apart.
std::string backupName(const std::string& file)
{
    std::string name = fileNameOf(file);
    if (name.find('?') == std::string::npos)
        return name;
    auto host = platform::FileSystem::instance().hostPath(file);
    std::uint32_t mark = 2166136261u;
    for (unsigned char c : host ? host->substr(host->rfind('/') + 1) : name)
        mark = (mark ^ c) * 16777619u;
    std::replace(name.begin(), name.end(), '?', '_');
    char hex[16];
    std::snprintf(hex, sizeof hex, "-%08x", mark);
    name.insert(std::min(name.find('.'), name.size()), hex);
    return name;
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

// The backups of one file in a folder, oldest first; nothing when the folder cannot be read.
std::optional<std::vector<std::string>> backupsOf(const std::string& folder, const std::string& prefix)
{
    auto names = platform::FileSystem::instance().listFiles(folder, prefix + "*");
    if (!names)
        return {};
    std::vector<std::pair<std::pair<std::string, int>, std::string>> backups;
    for (const std::string& name : *names)
        if (auto order = age(name, prefix))
            backups.emplace_back(*order, name);
    std::sort(backups.begin(), backups.end());
    std::vector<std::string> oldestFirst;
    for (auto& backup : backups)
        oldestFirst.push_back(std::move(backup.second));
    return oldestFirst;
}

}

std::optional<std::string> keepBackup(const std::string& file, const std::string& folder, std::time_t now)
{
    if (!ensureFolders(folder))
        return {};
    auto& files = platform::FileSystem::instance();
    std::string prefix = backupName(file) + ".";
    // The older copies are known before the new one is made and go only once it is whole; a
    // folder that cannot be read takes no copy either.
    auto older = backupsOf(folder, prefix);
    if (!older)
        return {};
    std::string base = folder + prefix + stamp(now);
    for (int counter = 1; counter <= kMaxPerSecond; ++counter) {
        std::string target = counter == 1 ? base : base + "-" + std::to_string(counter);
        files.forgetListings();
        if (files.fileExists(target))
            continue;
        if (!files.CopyFileA(file, target, true))
            return {};
        for (std::size_t i = 0; i + kKept < older->size() + 1; ++i)
            files.DeleteFileA(folder + (*older)[i]);
        return target;
    }
    return {};
}
