// SPDX-License-Identifier: MIT
// Typing into the cheat text memo and the info editor: a key in the middle of a long text (20,000
// lines) or of one long line (20,000 characters) against the same key in a short text. Typing
// must cost about the same whatever the text's length; the last line is the long-to-short ratio.
#include "tests/support/qt_app.h"
#include "toolkit/form.h"
#include "toolkit/memo.h"
#include "toolkit/rich_edit.h"

#include "bench/ratio_reporter.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace {

std::vector<std::string> textOf(int kind)
{
    switch (kind) {
    case 1: return std::vector<std::string>(20000, "8011A5D3 0009 infinite lives");
    case 2: return { std::string(20000, 'x') };
    default: return { "8011A5D3 0009 infinite lives" };
    }
}

template <typename Edit>
void typeInto(benchmark::State& state)
{
    ensureGuiApp();
    tk::TForm form("form");
    auto* edit = new Edit(&form, "edit");
    edit->SetBounds(0, 0, 300, 300);
    edit->SetWordWrap(false);
    edit->Lines().SetLines(textOf(static_cast<int>(state.range(0))));
    form.Show();
    edit->SetFocus();
    QTextDocument& document = edit->Document();
    edit->SetSelection(document.characterCount() / 2, 0);
    for (auto _ : state) {
        char key = 'a';
        edit->KeyPress(key);
        unsigned short back = tk::VK_BACK;
        edit->KeyDown(back, 0);
    }
}

void BM_Memo(benchmark::State& state) { typeInto<tk::TMemo>(state); }
void BM_RichEdit(benchmark::State& state) { typeInto<tk::TRichEdit>(state); }



}

BENCHMARK(BM_Memo)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RichEdit)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    return runWithRatio(argc, argv, "BM_Memo/1", "BM_Memo/0");
}
