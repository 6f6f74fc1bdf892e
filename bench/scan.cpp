// SPDX-License-Identifier: MIT
// The archive scan against a plain loop making the same system calls: listing the directory, then
// per image open, size, read of the 64-byte header, close, five existence tests (.cat and four
// companions) and, where there is a .cat file, its open, read and close. Run for 1,000, 10,000 and
// 30,000 images; the last line is the 10,000 ratio.
#include "tests/support/program.h"

#include "bench/ratio_reporter.h"

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>

namespace {

struct Archive {
    std::unique_ptr<Program> program;
    std::string roms, ram;
};

// A third of the games have a save file and a category. One archive at a time: the drive
// letters belong to the newest.
Archive theArchive;
int archiveSize = 0;

Archive& archive(int count)
{
    Archive& a = theArchive;
    if (archiveSize == count)
        return a;
    a.program.reset();
    archiveSize = count;
    a.program = std::make_unique<Program>();
    Program& p = *a.program;
    p.drives.write("d:\\ram\\.keep", "");
    const std::uint64_t sizes[] = { 32, 64, 96, 128, 256, 512 };
    for (int i = 0; i < count; ++i) {
        std::string base = "game" + std::to_string(100000 + i);
        RomImage image { .title = "GAME " + std::to_string(i), .size = sizes[i % 6] * 131072, .byteSwapped = i % 2 == 0 };
        p.rom("d:\\roms\\", base + ".v64", image);
        if (i % 3 == 0) {
            p.drives.write("d:\\ram\\" + base + ".eep", "save");
            p.drives.write("d:\\ram\\" + base + ".cat", "Racing\r\n");
        }
    }
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    p.start();
    a.roms = p.drives.host("d:\\roms\\");
    a.ram = p.drives.host("d:\\ram\\");
    return a;
}

void BM_Scan(benchmark::State& state)
{
    Archive& a = archive(static_cast<int>(state.range(0)));
    for (auto _ : state)
        a.program->form->diskrefreshClick(nullptr);
    if (a.program->form->disk->RowCount() != state.range(0))
        state.SkipWithError("scan lost rows");
}

void BM_Baseline(benchmark::State& state)
{
    Archive& a = archive(static_cast<int>(state.range(0)));
    static const char* const companions[] = { ".cat", ".eep", ".ram", ".zcc", ".ips" };
    for (auto _ : state) {
        std::vector<std::string> names;
        DIR* dir = ::opendir(a.roms.c_str());
        while (const dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.')
                names.emplace_back(entry->d_name);
        ::closedir(dir);
        unsigned char header[64];
        struct stat st {};
        for (const auto& name : names) {
            int fd = ::open((a.roms + "/" + name).c_str(), O_RDONLY);
            ::fstat(fd, &st);
            benchmark::DoNotOptimize(::read(fd, header, sizeof header));
            ::close(fd);
            std::string base = name.substr(0, name.find('.'));
            for (const char* ext : companions) {
                std::string path = a.ram + "/" + base + ext;
                if (::stat(path.c_str(), &st) == 0 && ext == companions[0]) {
                    char text[256];
                    int cat = ::open(path.c_str(), O_RDONLY);
                    benchmark::DoNotOptimize(::read(cat, text, sizeof text));
                    ::close(cat);
                }
            }
        }
    }
}

// Side by side, size by size, so each archive is built once.
const int registered = [] {
    for (int count : { 1000, 10000, 30000 }) {
        benchmark::RegisterBenchmark("BM_Baseline", BM_Baseline)->Arg(count)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_Scan", BM_Scan)->Arg(count)->Unit(benchmark::kMillisecond);
    }
    return 0;
}();

}

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // The window and its drives go while the application is still whole.
    theArchive.program.reset();
    for (const char* size : { "10000", "30000", "1000" }) {
        double scan = reporter.times[std::string("BM_Scan/") + size];
        double baseline = reporter.times[std::string("BM_Baseline/") + size];
        if (scan > 0 && baseline > 0) {
            std::printf("ratio: %.2f\n", scan / baseline);
            break;
        }
    }
    std::fflush(stdout);
    benchmark::Shutdown();
    return 0;
}
