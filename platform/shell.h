// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform {

// The desktop shell: opening an address with the desktop's opener (xdg-open, found on PATH), or
// starting a program named by an absolute Windows path with parameters. Programs are started
// directly (never through a command line) and detached: they are not children of ours, so nothing
// waits for them and none lingers once it ends. A missing opener is a failed call, nothing more.
// Tests put a recording shell in its place.
class Shell {
public:
    virtual ~Shell() = default;
    static Shell& instance();
    static void replace(std::unique_ptr<Shell>); // nullptr puts the real shell back

    // ShellExecute's two uses here: open an address, or start a program. A program named by a
    // relative path is refused: it would be looked for in the current folder.
    virtual bool openAddress(const std::string& address);
    virtual bool startProgram(const std::string& program, const std::string& parameters);

protected:
    // `program` is an absolute host path; true once it runs.
    static bool startDetached(const std::string& program, const std::vector<std::string>& arguments);
};

}
