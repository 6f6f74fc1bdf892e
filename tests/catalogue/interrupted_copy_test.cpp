// SPDX-License-Identifier: MIT
#include "tests/catalogue/archive_fixture.h"

#include "platform/atomic_file.h"

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Names = std::vector<std::string>;

// A process that has ended (a copy killed part-way), or one that goes on until it is stopped.
pid_t endedProcess()
{
    pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

pid_t runningProcess()
{
    pid_t child = ::fork();
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    return child;
}

class InterruptedCopies : public ArchiveTest {
protected:
    void TearDown() override
    {
        if (running > 0) {
            ::kill(running, SIGKILL);
            ::waitpid(running, nullptr, 0);
        }
    }
    // The partial file a copy of `target` by process `pid` writes, as its host name.
    std::string partial(const std::string& winDir, const std::string& target, pid_t pid, const std::string& host) const
    {
        std::string name = platform::AtomicFile::tempNameFor(target, pid, 0, host);
        std::string path = p.drives.host(winDir) + "/" + name;
        std::FILE* f = std::fopen(path.c_str(), "w");
        std::fputs("half a copy", f);
        std::fclose(f);
        return name;
    }
    Names everything(const std::string& winDir) const { return TempDrives::entries(p.drives.host(winDir)); }
    pid_t running { -1 };
};

TEST_F(InterruptedCopies, ScansRemoveWhatKilledCopiesLeftAndNothingElse)
{
    p.rom("z:\\", "mario.v64", { .title = "MARIO" });
    p.rom("d:\\roms\\", "zelda.v64", { .title = "ZELDA" });
    std::string here = platform::AtomicFile::hostName();
    running = runningProcess();
    std::string killedOnZip = partial("z:\\", "luigi.v64", endedProcess(), here);
    std::string elsewhere = partial("z:\\", "wario.eep", 4242, "another-machine");
    std::string stillCopying = partial("z:\\", "peach.v64", running, here);
    std::string killedInArchive = partial("d:\\roms\\", "yoshi.v64", endedProcess(), here);
    p.drives.write("z:\\.settings", "kept");
    p.drives.write("z:\\.luigi.v64.tmp", "kept");

    auto& f = p.startAndSettle();
    Names kept { ".luigi.v64.tmp", ".settings", stillCopying, "mario.v64" };
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(everything("z:\\"), kept);
    EXPECT_EQ(everything("d:\\roms\\"), (Names { ".keep", "zelda.v64" }));
    EXPECT_EQ(Program::rows(f.zip).size(), 1u);
}

TEST_F(InterruptedCopies, TheArchiveScanSweepsTheRamFoldersToo)
{
    p.rom("d:\\roms\\", "zelda.v64", { .title = "ZELDA" });
    std::string here = platform::AtomicFile::hostName();
    p.drives.write("d:\\ram\\boxart\\zelda.bmp", "art");
    p.drives.write("d:\\ram\\screens\\.keep", "");
    partial("d:\\ram\\", "zelda.eep", endedProcess(), here);
    partial("d:\\ram\\boxart\\", "zelda.bmp", endedProcess(), here);
    partial("d:\\ram\\screens\\", "zelda.bmp", endedProcess(), here);
    p.drives.write("d:\\ram\\.zelda.eep.tmp", "kept");

    p.startAndSettle();
    EXPECT_EQ(everything("d:\\ram\\"), (Names { ".keep", ".zelda.eep.tmp", "boxart", "screens" }));
    EXPECT_EQ(everything("d:\\ram\\boxart\\"), (Names { "zelda.bmp" }));
    EXPECT_EQ(everything("d:\\ram\\screens\\"), (Names { ".keep" }));
}

}
