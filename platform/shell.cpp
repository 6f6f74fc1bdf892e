// SPDX-License-Identifier: MIT
#include "platform/shell.h"

#include "platform/codepage.h"
#include "platform/filesystem.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace platform {

namespace {
std::unique_ptr<Shell>& current()
{
    static std::unique_ptr<Shell> shell = std::make_unique<Shell>();
    return shell;
}
}

Shell& Shell::instance()
{
    return *current();
}

void Shell::replace(std::unique_ptr<Shell> shell)
{
    current() = shell ? std::move(shell) : std::make_unique<Shell>();
}

bool Shell::openAddress(const std::string& address)
{
    return spawn("xdg-open", { cp1252ToUtf8(address) }, true);
}

bool Shell::startProgram(const std::string& program, const std::string& parameters)
{
    auto host = FileSystem::instance().hostPath(program);
    return host && spawn(*host, { cp1252ToUtf8(parameters) }, false);
}

bool Shell::spawn(const std::string& file, const std::vector<std::string>& arguments, bool searchPath)
{
    reapFinished();
    std::vector<std::string> words { file };
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    int error = searchPath ? ::posix_spawnp(&child, file.c_str(), nullptr, nullptr, argv.data(), environ)
                           : ::posix_spawn(&child, file.c_str(), nullptr, nullptr, argv.data(), environ);
    if (error != 0)
        return false;
    m_children.push_back(child);
    return true;
}

// Children are not waited for, but the ended ones are collected so none lingers.
void Shell::reapFinished()
{
    std::erase_if(m_children, [](pid_t child) { return ::waitpid(child, nullptr, WNOHANG) != 0; });
}

}
