// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

// The desktop shell: opening an address with the desktop's opener (xdg-open), or starting a
// program with parameters. Programs are spawned directly (never through a command line) and not
// waited for; a missing opener is a failed call, nothing more. Tests put a recording shell in its
// place.
class Shell {
public:
    virtual ~Shell() = default;
    static Shell& instance();
    static void replace(std::unique_ptr<Shell>); // nullptr puts the real shell back

    // ShellExecute's two uses here: open an address, or start a program (a Windows path).
    virtual bool openAddress(const std::string& address);
    virtual bool startProgram(const std::string& program, const std::string& parameters);

protected:
    bool spawn(const std::string& file, const std::vector<std::string>& arguments, bool searchPath);
    void reapFinished();

    std::vector<pid_t> m_children;
};

}
