// SPDX-License-Identifier: MIT
#include "platform/classes_root.h"

#include "platform/ascii.h"
#include "platform/filesystem.h"
#include "platform/program_path.h"

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

// The Exec line's codes for files and addresses as "%1"; other field codes go.
std::string windowsCodes(const std::string& exec)
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
    return trimmed(out);
}

// The host path of the program an Exec line names: a bare name is looked for on PATH, as a
// launcher does; anything else must be absolute. Never a program of the current folder.
std::optional<std::string> hostProgram(const std::string& program)
{
    if (program.find('/') == std::string::npos)
        return programOnPath(program);
    if (program[0] == '/')
        return program;
    return std::nullopt;
}

// The Exec line as a Windows command: the program (first word, or the quoted first text) named by
// its absolute Windows path, as the program's own paths are, then the rest of the line. nullopt
// when the program has no such name (not found, a relative path, a place on no drive).
std::optional<std::string> windowsCommand(const std::string& exec)
{
    std::string line = windowsCodes(exec);
    bool quoted = !line.empty() && line[0] == '"';
    std::size_t end = quoted ? line.find('"', 1) : line.find(' ');
    if (line.empty() || (quoted && end == std::string::npos))
        return std::nullopt;
    std::string program = quoted ? line.substr(1, end - 1) : line.substr(0, end);
    std::string rest = end == std::string::npos ? std::string() : line.substr(quoted ? end + 1 : end);
    auto host = hostProgram(program);
    auto windows = host ? FileSystem::instance().windowsPath(*host) : std::nullopt;
    if (!windows)
        return std::nullopt;
    return quoted ? "\"" + *windows + "\"" + rest : *windows + rest;
}

// A line "Key = value" of a desktop entry or a list, blanks around "=" allowed.
std::optional<std::pair<std::string, std::string>> keyAndValue(const std::string& line)
{
    auto equals = line.find('=');
    if (equals == std::string::npos)
        return std::nullopt;
    return std::pair { trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1)) };
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
            auto pair = keyAndValue(line);
            if (!defaults || !pair)
                continue;
            const std::string& type = pair->first;
            std::string key = asciiLowerCopy("\\" + type + "\\shell\\open\\command");
            if (m_values.count(key))
                continue;
            std::stringstream entries(pair->second);
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

// The entry's file in the most important data folder that has one is the entry; a hidden one is
// one the user removed, and hides those of the folders beneath.
std::optional<std::string> ClassesRoot::commandOf(const std::string& desktopEntry, const Paths& paths) const
{
    if (desktopEntry.empty() || desktopEntry.find('/') != std::string::npos)
        return std::nullopt;
    for (const auto& dir : paths.dataDirs) {
        std::ifstream in(dir + "/applications/" + desktopEntry);
        if (!in)
            continue;
        bool entry = false, hidden = false;
        std::string exec;
        for (std::string line; std::getline(in, line);) {
            line = trimmed(line);
            if (!line.empty() && line[0] == '[')
                entry = line == "[Desktop Entry]";
            else if (auto pair = keyAndValue(line); entry && pair && pair->first == "Exec")
                exec = pair->second;
            else if (entry && pair && pair->first == "Hidden")
                hidden = pair->second == "true";
        }
        if (hidden || exec.empty())
            return std::nullopt;
        return windowsCommand(exec);
    }
    return std::nullopt;
}

}
