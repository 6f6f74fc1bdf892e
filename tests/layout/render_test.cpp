// SPDX-License-Identifier: MIT
#include "tests/support/program.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// Each on-demand panel changes what the window shows. With TAVISCO_SNAPSHOT set to a path
// prefix the pictures are also saved, to be looked at.
TEST(Render, EveryPanelShowsWhenOpened)
{
    Program p;
    p.drives.write("d:\\roms\\.keep", "");
    p.settings({ "z:\\", "d:\\roms\\", "d:\\roms\\", "-", "1" });
    p.rom("d:\\roms\\", "alpha.v64", { .title = "ALPHA ADVENTURE" });
    p.rom("d:\\roms\\", "beta.v64", { .title = "BETA RACER", .country = 'P' });
    p.rom("z:\\", "gamma.v64", { .title = "GAMMA QUEST", .size = 256 * 131072 });
    auto& f = p.startAndSettle();
    const char* out = getenv("TAVISCO_SNAPSHOT");
    std::string base = out ? out : "";
    QImage window = f.Render().copy(0, 0, 731, 548);
    if (out)
        window.save(QString::fromStdString(base + ".png"));
    for (tk::TPanel* panel : { f.zipram, f.Panel2, f.infop, f.Panel3, f.Panel4 }) {
        panel->Show();
        QImage shown = f.Render().copy(0, 0, 731, 548);
        EXPECT_NE(shown, window) << panel->Name();
        if (out)
            shown.save(QString::fromStdString(base + "_" + panel->Name() + ".png"));
        panel->Hide();
    }
    EXPECT_EQ(f.Render().copy(0, 0, 731, 548), window) << "hiding them again restores the window";
}

}
