// SPDX-License-Identifier: MIT
#include "platform/classes_root.h"

#include "platform/ascii.h"
#include "platform/filesystem.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

std::vector<std::string> splitPaths(const char* value, const char* fallback)
{
    std::string text = value && *value ? value : fallback;
    std::vector<std::string> dirs;
    std::stringstream in(text);
    for (std::string dir; std::getline(in, dir, ':');)
        if (!dir.empty())
            dirs.push_back(dir);
    return dirs;
}

std::string homeOr(const char* value, const char* underHome)
{
    if (value && *value)
        return value;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + underHome;
}

// The Exec line with the codes for files and addresses as "%1"; other field codes go.
std::string windowsCommand(const std::string& exec)
{
    std::string out;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] != '%' || i + 1 == exec.size()) {
            out += exec[i];
            continue;
        }
        char code = exec[++i];
        if (code == 'u' || code == 'U' || code == 'f' || code == 'F')
            out += "%1";
        else if (code == '%')
            out += '%';
    }
    out = trimmed(out);
    // The program is named as the program's own paths are: a Windows path on a mapped drive.
    if (!out.empty() && out[0] == '/') {
        auto end = out.find(' ');
        if (auto program = FileSystem::instance().windowsPath(out.substr(0, end)))
            out = *program + (end == std::string::npos ? std::string() : out.substr(end));
    }
    return out;
}

}

ClassesRoot ClassesRoot::open()
{
    Paths paths;
    paths.configDirs.push_back(homeOr(std::getenv("XDG_CONFIG_HOME"), "/.config"));
    for (auto& dir : splitPaths(std::getenv("XDG_CONFIG_DIRS"), "/etc/xdg"))
        paths.configDirs.push_back(dir);
    paths.dataDirs.push_back(homeOr(std::getenv("XDG_DATA_HOME"), "/.local/share"));
    for (auto& dir : splitPaths(std::getenv("XDG_DATA_DIRS"), "/usr/local/share:/usr/share"))
        paths.dataDirs.push_back(dir);
    return open(paths);
}

ClassesRoot ClassesRoot::open(const Paths& paths)
{
    ClassesRoot root;
    root.readGlobs(paths);
    root.readDefaults(paths);
    return root;
}

bool ClassesRoot::keyExists(const std::string& key) const
{
    return m_values.count(asciiLowerCopy(key)) > 0;
}

std::optional<std::string> ClassesRoot::defaultValue(const std::string& key) const
{
    auto it = m_values.find(asciiLowerCopy(key));
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

// "\.ext" -> MIME type, the first table that names the extension winning (most important first).
void ClassesRoot::readGlobs(const Paths& paths)
{
    auto add = [this](const std::string& extension, const std::string& type) {
        m_values.emplace(asciiLowerCopy("\\" + extension), type);
    };
    for (const auto& dir : paths.dataDirs) {
        std::ifstream globs(dir + "/mime/globs2");
        for (std::string line; std::getline(globs, line);) {
            // weight:type:pattern
            auto first = line.find(':'), second = line.find(':', first + 1);
            if (line.empty() || line[0] == '#' || second == std::string::npos)
                continue;
            std::string pattern = trimmed(line.substr(second + 1, line.find(':', second + 1) - second - 1));
            if (pattern.rfind("*.", 0) == 0 && pattern.find_first_of("*?[", 1) == std::string::npos)
                add(pattern.substr(1), line.substr(first + 1, second - first - 1));
        }
    }
    std::ifstream types("/etc/mime.types");
    for (std::string line; std::getline(types, line);) {
        std::stringstream words(line);
        std::string type, extension;
        if (line.empty() || line[0] == '#' || !(words >> type))
            continue;
        while (words >> extension)
            add("." + extension, type);
    }
}

// "\<type>\shell\open\command" -> the Exec line of the type's default application.
void ClassesRoot::readDefaults(const Paths& paths)
{
    std::vector<std::string> lists;
    for (const auto& dir : paths.configDirs)
        lists.push_back(dir + "/mimeapps.list");
    for (const auto& dir : paths.dataDirs)
        lists.push_back(dir + "/applications/mimeapps.list");
    for (const auto& file : lists) {
        std::ifstream in(file);
        bool defaults = false;
        for (std::string line; std::getline(in, line);) {
            line = trimmed(line);
            if (!line.empty() && line[0] == '[') {
                defaults = line == "[Default Applications]";
                continue;
            }
            auto equals = line.find('=');
            if (!defaults || equals == std::string::npos)
                continue;
            std::string type = trimmed(line.substr(0, equals));
            std::string key = asciiLowerCopy("\\" + type + "\\shell\\open\\command");
            if (m_values.count(key))
                continue;
            std::stringstream entries(line.substr(equals + 1));
            for (std::string entry; std::getline(entries, entry, ';');) {
                if (auto command = commandOf(trimmed(entry), paths)) {
                    m_values.emplace(asciiLowerCopy("\\" + type), std::string());
                    m_values.emplace(asciiLowerCopy("\\" + type + "\\shell"), std::string());
                    m_values.emplace(asciiLowerCopy("\\" + type + "\\shell\\open"), std::string());
                    m_values.emplace(key, *command);
                    break;
                }
            }
        }
    }
}

std::optional<std::string> ClassesRoot::commandOf(const std::string& desktopEntry, const Paths& paths) const
{
    if (desktopEntry.empty())
        return std::nullopt;
    for (const auto& dir : paths.dataDirs) {
        std::ifstream in(dir + "/applications/" + desktopEntry);
        bool entry = false;
        for (std::string line; in && std::getline(in, line);) {
            line = trimmed(line);
            if (!line.empty() && line[0] == '[')
                entry = line == "[Desktop Entry]";
            else if (entry && line.rfind("Exec=", 0) == 0)
                return windowsCommand(line.substr(5));
        }
    }
    return std::nullopt;
}

}
