// SPDX-License-Identifier: MIT
#include "platform/shell.h"

#include "platform/codepage.h"
#include "platform/filesystem.h"
#include "platform/program_path.h"
#include "platform/win_path.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

std::unique_ptr<Shell>& current()
{
    static std::unique_ptr<Shell> shell = std::make_unique<Shell>();
    return shell;
}

// In the program's own process, between fork and exec: calls that are safe there only.
[[noreturn]] void runProgram(char* const* argv, int report)
{
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::setsid();
    ::execv(argv[0], argv);
    int error = errno;
    (void)!::write(report, &error, sizeof error);
    ::_exit(127);
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
    auto opener = programOnPath("xdg-open");
    return opener && startDetached(*opener, { cp1252ToUtf8(address) });
}

bool Shell::startProgram(const std::string& program, const std::string& parameters)
{
    if (!WinPath::parse(program).absolute())
        return false;
    auto host = FileSystem::instance().hostPath(program);
    return host && startDetached(*host, { cp1252ToUtf8(parameters) });
}

// The program is started by a go-between that ends at once and is collected here, so the program
// belongs to the system, which collects it when it ends. A failed exec writes its errno into the
// pipe; a successful one closes the pipe unwritten.
bool Shell::startDetached(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<std::string> words { program };
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    pid_t between = ::fork();
    if (between == 0) {
        pid_t child = ::fork();
        if (child == 0)
            runProgram(argv.data(), report[1]);
        int error = errno;
        if (child < 0)
            (void)!::write(report[1], &error, sizeof error);
        ::_exit(0);
    }
    ::close(report[1]);
    bool started = false;
    if (between > 0) {
        while (::waitpid(between, nullptr, 0) < 0 && errno == EINTR) {
        }
        int error = 0;
        ssize_t got = 0;
        while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
        }
        started = got == 0;
    }
    ::close(report[0]);
    return started;
}

}
