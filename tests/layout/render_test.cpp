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
    if (const char* out = getenv("TAVISCO_SNAPSHOT"))
        f.Render().save(out);
}

}
