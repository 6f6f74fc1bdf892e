// SPDX-License-Identifier: MIT
// Sorting the archive table against a plain loop making the same n(n-1)/2 comparisons of keys
// folded beforehand. Text (Title) and number (Size) sorts of 1,000, 5,000 and 10,000 rows. Before
// timing, the order is checked against the sort done literally, step by step, on rows full of
// equal keys; the last line is the 5,000-row Title ratio.
#include "tests/support/literal_sort.h"
#include "tests/support/program.h"

#include "bench/ratio_reporter.h"
#include "catalogue/text.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <numeric>
#include <random>

namespace {

std::unique_ptr<Program> theProgram;

TForm1& window()
{
    if (!theProgram) {
        theProgram = std::make_unique<Program>();
        theProgram->settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
        theProgram->startAndSettle();
    }
    return *theProgram->form;
}

// Titles as a collection has them: a few common beginnings, then words of any letters and case.
Rows collection(int count)
{
    std::mt19937 random(64);
    const char* const beginnings[] = { "", "", "SUPER ", "THE LEGEND OF ", "Mario ", "NBA ", "WCW " };
    Rows rows;
    for (int i = 0; i < count; ++i) {
        std::string title = beginnings[random() % std::size(beginnings)];
        for (int k = 3 + int(random() % 10); k > 0; --k)
            title += char((random() % 2 ? 'A' : 'a') + random() % 26);
        title.resize(20, ' ');
        rows.push_back({ title, "USA", std::to_string(32 << (random() % 4)), "none", "-", "g" + std::to_string(i) + ".v64", "NM" });
    }
    return rows;
}

void fill(tk::TStringGrid& grid, const Rows& rows)
{
    grid.SetRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r)
        grid.SetRowCells(r, rows[std::size_t(r)]);
}

void sortBench(benchmark::State& state, bool bySize)
{
    TForm1& f = window();
    const Rows rows = collection(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        fill(*f.disk, rows);
        state.ResumeTiming();
        bySize ? f.c3Click(nullptr) : f.c1Click(nullptr);
    }
}

void BM_SortTitle(benchmark::State& state) { sortBench(state, false); }
void BM_SortSize(benchmark::State& state) { sortBench(state, true); }

// The least the sort can do: the same comparisons of precomputed folded titles, exchanging row
// numbers.
void BM_Baseline(benchmark::State& state)
{
    std::vector<std::string> keys;
    for (const auto& row : collection(int(state.range(0))))
        keys.push_back(lowerAZ(row[0]));
    for (auto _ : state) {
        std::vector<int> order(keys.size());
        std::iota(order.begin(), order.end(), 0);
        for (std::size_t i = 0; i + 1 < order.size(); ++i)
            for (std::size_t j = i + 1; j < order.size(); ++j)
                if (keys[std::size_t(order[i])] > keys[std::size_t(order[j])])
                    std::swap(order[i], order[j]);
        benchmark::DoNotOptimize(order.data());
    }
}

bool orderMatchesTheLiteralSort()
{
    TForm1& f = window();
    for (bool bySize : { false, true }) {
        Rows rows = rowsWithManyEqualKeys(2000, 7);
        fill(*f.disk, rows);
        bySize ? f.c3Click(nullptr) : f.c1Click(nullptr);
        literalSort(rows, bySize ? 2 : 0, bySize);
        if (Program::rows(f.disk) != rows)
            return false;
    }
    return true;
}

const int registered = [] {
    for (int count : { 1000, 5000, 10000 }) {
        benchmark::RegisterBenchmark("BM_Baseline", BM_Baseline)->Arg(count)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_SortTitle", BM_SortTitle)->Arg(count)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_SortSize", BM_SortSize)->Arg(count)->Unit(benchmark::kMillisecond);
    }
    return 0;
}();

}

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    bool sameOrder = orderMatchesTheLiteralSort();
    std::printf("order check: %s\n", sameOrder ? "the literal exchange sort's order" : "DIFFERENT ORDER");
    std::fflush(stdout);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    theProgram.reset();
    double sort = reporter.times["BM_SortTitle/5000"], baseline = reporter.times["BM_Baseline/5000"];
    if (sort > 0 && baseline > 0)
        std::printf("ratio: %.2f\n", sort / baseline);
    std::fflush(stdout);
    benchmark::Shutdown();
    return sameOrder ? 0 : 1;
}
