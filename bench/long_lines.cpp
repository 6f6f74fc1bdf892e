// SPDX-License-Identifier: MIT
// The info and cheat editors in a real (offscreen) window with their native editors: opening a text
// of one 1 MB line, and a 10 MB Rich Text file, then typing into them and leaving them idle.
// Goals: open within 1 s, a typed key within 16 ms, no CPU while idle. The same for a 1 KB text is
// the baseline; the last lines are the long-to-short ratios and the idle CPU share.
#include "toolkit/application.h"
#include "toolkit/backend.h"
#include "toolkit/form.h"
#include "toolkit/memo.h"
#include "toolkit/panel.h"
#include "toolkit/qt/qt_form_host.h"
#include "toolkit/qt/qt_startup.h"
#include "toolkit/rich_edit.h"

#include "bench/ratio_reporter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

namespace {

enum Text { Short, LongLine, BigRtf };

std::string bytesOf(int kind)
{
    std::string words;
    while (words.size() < (kind == Short ? 1000u : 1000000u))
        words += "lorem ipsum dolor sit amet ";
    if (kind != BigRtf)
        return words;
    // Ten MB of Rich Text: paragraphs of formatted words, as a word processor writes them.
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}";
    while (rtf.size() < 10000000u)
        rtf += "\\pard\\sa120 {\\b\\f1 Heading} " + words.substr(0, 300) + "{\\i slanted} words\\par\r\n";
    return rtf + "}";
}

// A form holding the editor in a panel, as the program's are, shown in a real window.
struct Window {
    explicit Window(bool rich)
    {
        form = std::make_unique<tk::TForm>("form");
        form->SetBounds(0, 0, 640, 520);
        auto* panel = new tk::TPanel(form.get(), "panel");
        panel->SetBounds(0, 0, 600, 500);
        panel->Hide();
        if (rich) {
            auto* info = new tk::TRichEdit(panel, "info");
            info->SetScrollBars(tk::ssBoth);
            edit = info;
        } else {
            auto* zcc = new tk::TMemo(panel, "zcc");
            zcc->SetScrollBars(tk::ssVertical);
            edit = zcc;
        }
        edit->SetBounds(4, 24, 560, 470);
        edit->SetWordWrap(false);
        form->Show();
    }
    void open(int kind)
    {
        std::string bytes = bytesOf(kind);
        if (auto* rich = dynamic_cast<tk::TRichEdit*>(edit))
            rich->LoadFromStream(bytes);
        else
            edit->SetText(bytes);
        edit->Parent()->Show();
        settle();
    }
    QWidget* peer() const
    {
        auto* host = dynamic_cast<tk::TQtFormHost*>(form->Host());
        return host ? host->Peer(edit) : nullptr;
    }
    // Lets the loop run and the window paint what it has to.
    void settle()
    {
        QApplication::processEvents();
        if (auto* host = dynamic_cast<tk::TQtFormHost*>(form->Host()))
            host->Window()->repaint();
        if (QWidget* p = peer())
            p->repaint();
        QApplication::processEvents();
    }
    std::unique_ptr<tk::TForm> form;
    tk::TTextEdit* edit { nullptr };
};

void BM_Open(benchmark::State& state)
{
    for (auto _ : state) {
        Window window(state.range(0) != LongLine || state.range(1));
        window.open(int(state.range(0)));
        state.PauseTiming();
        window.form.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void key(QWidget* target, int code, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void BM_Key(benchmark::State& state)
{
    Window window(state.range(0) != LongLine || state.range(1));
    window.open(int(state.range(0)));
    QWidget* peer = window.peer();
    if (!peer) {
        state.SkipWithError("no native editor");
        return;
    }
    peer->setFocus();
    for (auto _ : state) {
        key(peer, Qt::Key_A, "a");
        window.settle();
        key(peer, Qt::Key_Backspace, {});
        window.settle();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

double cpuSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// CPU used while the editor shows its text and the loop runs for two seconds, as a share of the
// wall-clock time.
double idleShare(int kind, bool rich)
{
    Window window(rich);
    window.open(kind);
    double before = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    // A real loop that sleeps until something happens; the timed processEvents would spin.
    QEventLoop loop;
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
    return (cpuSeconds() - before) / (double(wall.elapsed()) / 1000.0);
}

}

// Arguments: the text, and (for the long line) whether the info editor (1) or the cheat memo (0).
BENCHMARK(BM_Open)->Args({ Short, 1 })->Args({ LongLine, 1 })->Args({ LongLine, 0 })->Args({ BigRtf, 1 })
    ->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Key)->Args({ Short, 1 })->Args({ LongLine, 1 })->Args({ LongLine, 0 })->Args({ BigRtf, 1 })
    ->Iterations(10)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    tk::installQtBackend();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double shortKey = reporter.times["BM_Key/0/1/iterations:10"];
    for (const char* name : { "BM_Key/1/1/iterations:10", "BM_Key/1/0/iterations:10", "BM_Key/2/1/iterations:10" })
        if (shortKey > 0 && reporter.times[name] > 0)
            std::printf("%s per key pair vs 1 KB: ratio %.2f\n", name, reporter.times[name] / shortKey);
    std::printf("idle CPU, 1 MB line, info editor: %.1f %%\n", 100 * idleShare(LongLine, true));
    std::printf("idle CPU, 1 MB line, cheat memo: %.1f %%\n", 100 * idleShare(LongLine, false));
    std::printf("idle CPU, 1 KB text, info editor: %.1f %%\n", 100 * idleShare(Short, true));
    std::fflush(stdout);
    benchmark::Shutdown();
    tk::Application().SetBackend(nullptr);
    return 0;
}
