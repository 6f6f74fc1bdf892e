#include "tests/support/program.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(Render, Snapshot)
{
    Program p;
    p.drives.write("d:\\roms\\.keep", "");
    p.settings({ "z:\\", "d:\\roms\\", "d:\\roms\\", "-", "1" });
    p.rom("d:\\roms\\", "alpha.v64", { .title = "ALPHA ADVENTURE" });
    p.rom("d:\\roms\\", "beta.v64", { .title = "BETA RACER", .country = 'P' });
    p.rom("z:\\", "gamma.v64", { .title = "GAMMA QUEST", .size = 256 * 131072 });
    auto& f = p.startAndSettle();
    const char* out = getenv("TAVISCO_SNAPSHOT");
    if (!out)
        GTEST_SKIP() << "set TAVISCO_SNAPSHOT to a PNG path to look at the window";
    std::string base = out;
    f.Render().copy(0, 0, 731, 548).save(QString::fromStdString(base + ".png"));
    for (tk::TPanel* panel : { f.zipram, f.Panel2, f.infop, f.Panel3, f.Panel4 }) {
        panel->Show();
        f.Render().copy(0, 0, 731, 548).save(QString::fromStdString(base + "_" + panel->Name() + ".png"));
        panel->Hide();
    }
}

}
