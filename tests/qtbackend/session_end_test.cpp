// SPDX-License-Identifier: MIT
#include "qt_fixture.h"

#include "tests/support/program.h"

#include <QElapsedTimer>
#include <QTimer>

#include <csignal>

namespace {

// The whole program with its real windows: told to stop by a signal or by the session's end, it
// ends as its close button ends it, with the settings written.
class SessionEnd : public QtBackendTest {
protected:
    void SetUp() override
    {
        QtBackendTest::SetUp();
        p.drives.write("d:\\roms\\.keep", "");
        p.drives.write("d:\\ram\\.keep", "");
        p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    }
    // The loop runs a moment, as it does between two handlers.
    static void idle(int ms)
    {
        QElapsedTimer running;
        running.start();
        while (running.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    // The double-click mode the settings file holds (its fifth line).
    std::string savedMode() const
    {
        std::string text = p.drives.read("c:\\tavisco.ini");
        std::size_t at = 0;
        for (int line = 0; line < 4 && at != std::string::npos; ++line)
            at = text.find('\n', at) + 1;
        return text.substr(at, text.find_first_of("\r\n", at) - at);
    }

    Program p;
};

TEST_F(SessionEnd, ASignalWhileIdleEndsTheProgramWithItsSettingsWritten)
{
    for (int signal : { SIGTERM, SIGHUP }) {
        auto& f = p.startAndSettle();
        f.ddmodeClick(nullptr);
        ASSERT_NE(savedMode(), f.ini->Lines()[4]);
        ::raise(signal);
        idle(200);
        EXPECT_FALSE(f.Visible()) << signal;
        EXPECT_TRUE(tk::Application().Terminated()) << signal;
        EXPECT_EQ(savedMode(), f.ini->Lines()[4]) << signal;
    }
}

TEST_F(SessionEnd, ASignalDuringACopyEndsTheProgramOnceTheCopyIsComplete)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO", .size = 2 << 20 });
    auto& f = p.startAndSettle();
    f.ddmodeClick(nullptr);
    p.clickRow(f.disk, 0);
    platform::FileSystem::instance().injectFault(platform::Fault::slowed(platform::Fault::Op::Copy, 4 << 20, "mario.v64"));
    QTimer::singleShot(150, [] { ::raise(SIGINT); });
    p.click(f.b1);
    EXPECT_TRUE(f.Visible());
    EXPECT_NE(savedMode(), f.ini->Lines()[4]);
    EXPECT_EQ(p.drives.read("z:\\mario.v64"), p.drives.read("d:\\roms\\mario.v64"));
    idle(200);
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(savedMode(), f.ini->Lines()[4]);
}

}
