// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

#include <QImage>
#include <chrono>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

// What a person sees while a copy runs: when the window was painted with a copy's progress in the
// title bar, the gauge then, and the window as it was half-way.
class PaintWatch : public Transcript {
public:
    explicit PaintWatch(TForm1& form)
        : Transcript(form)
        , m_form(form)
    {
    }

    void RepaintNow() override
    {
        Transcript::RepaintNow();
        const std::string& caption = m_form.Caption();
        auto mark = caption.rfind(" - ");
        if (mark == std::string::npos || !caption.ends_with('%'))
            return;
        int percent = std::atoi(caption.c_str() + mark + 3);
        paints.push_back(Clock::now());
        gauge.push_back(m_form.full->Progress());
        if (halfway.isNull() && percent >= 50) {
            halfway = m_form.Render().copy(0, 0, 731, 548);
            halfwayCaption = caption;
        }
    }

    std::vector<Clock::time_point> paints;
    std::vector<int> gauge;
    QImage halfway;
    std::string halfwayCaption;

private:
    TForm1& m_form;
};

class LongCopies : public GameFiles {
protected:
    PaintWatch& watchPaints()
    {
        auto& f = p.startAndSettle();
        auto host = std::make_unique<PaintWatch>(f);
        PaintWatch& watch = *host;
        typed = host.get();
        f.SetHost(std::move(host));
        return watch;
    }
    // Paints a second while the copy ran, from the first paint that showed it to the last.
    static double paintsPerSecond(const PaintWatch& watch)
    {
        std::chrono::duration<double> span = watch.paints.back() - watch.paints.front();
        return (watch.paints.size() - 1) / span.count();
    }
};

// Four MiB at 2 MiB a second: two seconds in which the window must not freeze.
TEST_F(LongCopies, TheWindowStaysPaintedAndShowsHowFarTheCopyIs)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO", .size = 4 << 20 });
    auto& watch = watchPaints();
    auto& f = *p.form;
    pickDisk(0);
    fail(platform::Fault::slowed(platform::Fault::Op::Copy, 2 << 20, "mario.v64"));
    press(f.b1);

    ASSERT_GE(watch.paints.size(), 20u);
    EXPECT_GE(paintsPerSecond(watch), 10.0);
    // The gauge grew with the bytes, from the empty disk to the image's 32 Mbit.
    EXPECT_LT(watch.gauge.front(), 4);
    EXPECT_GE(watch.gauge.back(), 31);
    EXPECT_TRUE(std::is_sorted(watch.gauge.begin(), watch.gauge.end()));
    ASSERT_FALSE(watch.halfway.isNull());
    if (const char* out = std::getenv("TAVISCO_SNAPSHOT"))
        watch.halfway.save(QString::fromStdString(std::string(out) + "_copy_halfway.png"));
    EXPECT_EQ(f.Caption(), "Tavisco V2.41");
    EXPECT_EQ(typed->starting("Copy "), (Lines { "Copy " + cell("MARIO"), "Copy complete." }));
    EXPECT_EQ(f.full->Progress(), 32);

    // Back into the archive: the title bar counts too, and the gauge is the Zip disk's alone.
    p.drives.remove("d:\\roms\\mario.v64");
    f.diskrefreshClick(nullptr);
    pickZip(0);
    watch.paints.clear();
    watch.gauge.clear();
    press(f.b2);
    ASSERT_GE(watch.paints.size(), 20u);
    EXPECT_EQ(watch.gauge.front(), 32);
    EXPECT_EQ(watch.gauge.back(), 32);
    EXPECT_TRUE(content("d:\\roms\\mario.v64") == content("z:\\mario.v64"));
}

}
