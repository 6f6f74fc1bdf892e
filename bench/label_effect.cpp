// SPDX-License-Identifier: MIT
// The effect label painting itself over the whole window (930 x 611): both layers real (they
// tint what lies beneath) and the face graduated, against the plain raised label with the same
// caption. The last line is the effect-to-plain ratio.
#include "tests/support/qt_app.h"
#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/form.h"
#include "widgets/LblEffct.h"

#include "bench/ratio_reporter.h"

#include <benchmark/benchmark.h>


namespace {

void paintLabel(benchmark::State& state, bool effects)
{
    ensureGuiApp();
    tk::TForm form("form");
    form.SetBounds(0, 0, 930, 611);
    auto* label = new TLabelEffect(&form, "label");
    label->SetBounds(0, 0, 930, 611);
    label->Font().SetName("Arial");
    label->Font().SetHeight(-48);
    label->Font().SetStyle(tk::fsBold);
    label->SetCaption("Tavisco");
    if (effects) {
        label->SetStyleHighlight(eoReal);
        label->SetStyleShadow(eoReal);
        label->SetDepthHighlight(2);
        label->SetDepthShadow(3);
        label->SetGraduateFace(goVertical);
        label->SetGraduateFrom(tk::clYellow);
    }
    tk::TBitmap window;
    window.SetSize(930, 611);
    tk::TCanvas& canvas = window.Canvas();
    for (auto _ : state) {
        canvas.Brush().SetColor(tk::clSilver);
        canvas.FillRect(tk::TRect { 0, 0, 930, 611 });
        label->Paint(canvas);
    }
}

void BM_PlainLabel(benchmark::State& state) { paintLabel(state, false); }
void BM_RealLayersAndGradient(benchmark::State& state) { paintLabel(state, true); }

}

BENCHMARK(BM_PlainLabel)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RealLayersAndGradient)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runWithRatio(argc, argv, "BM_RealLayersAndGradient", "BM_PlainLabel");
}
