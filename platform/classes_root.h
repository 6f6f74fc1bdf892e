// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A read-only view of the registry's HKEY_CLASSES_ROOT as far as the program asks it: the default
// values of "\.ext" (the file type name, here the MIME type) and of "\<type>\shell\open\command"
// (the Exec line of the desktop's default application for that type, its file and address codes
// written as "%1", its program named by an absolute Windows path: a bare name as found on PATH).
// An entry whose program can't be named so, or that is hidden, is passed over. Built from the XDG
// MIME tables (globs2, mime.types) and the mimeapps.list files of the XDG search paths each time
// it is opened, as a registry key is read fresh.
class ClassesRoot {
public:
    // The environment's XDG paths (XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_DATA_HOME, XDG_DATA_DIRS).
    static ClassesRoot open();

    // Whether a key exists and its default value; keys are compared ignoring ASCII case.
    bool keyExists(const std::string& key) const;
    std::optional<std::string> defaultValue(const std::string& key) const;

    struct Paths {
        std::vector<std::string> configDirs; // most important first, XDG_CONFIG_HOME included
        std::vector<std::string> dataDirs;   // most important first, XDG_DATA_HOME included
    };
    static ClassesRoot open(const Paths&);

private:
    void readGlobs(const Paths&);
    void readDefaults(const Paths&);
    std::optional<std::string> commandOf(const std::string& desktopEntry, const Paths&) const;

    std::map<std::string, std::string> m_values; // lower-cased key -> default value
};

}
