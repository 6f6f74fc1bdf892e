// SPDX-License-Identifier: MIT
#include "tests/components/form_fixture.h"

#include "platform/classes_root.h"
#include "platform/shell.h"
#include "tests/support/temp_drives.h"
#include "toolkit/application.h"
#include "toolkit/clipboard.h"
#include "toolkit/screen.h"
#include "widgets/corvaneURLLabel.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

using namespace tk;

namespace {

// What the label asked the shell to do.
class RecordingShell : public platform::Shell {
public:
    explicit RecordingShell(std::vector<std::string>& calls)
        : m_calls(calls)
    {
    }
    bool openAddress(const std::string& address) override
    {
        m_calls.push_back("open " + address);
        return true;
    }
    bool startProgram(const std::string& program, const std::string& parameters) override
    {
        m_calls.push_back("start " + program + " " + parameters);
        return true;
    }

private:
    std::vector<std::string>& m_calls;
};

void write(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
}

// A desktop of our own: XDG folders in a temporary tree, a browser entry and the default for web pages.
class Desktop {
public:
    explicit Desktop(const std::string& root)
        : m_root(root)
    {
        for (const char* name : { "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS" }) {
            const char* old = std::getenv(name);
            m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        }
        ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        ::setenv("XDG_CONFIG_DIRS", (root + "/etc").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
        ::setenv("XDG_DATA_DIRS", (root + "/share").c_str(), 1);
        write(root + "/share/mime/globs2", "50:text/html:*.html\n50:text/html:*.htm\n");
    }
    ~Desktop()
    {
        for (auto& [name, value] : m_saved)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }
    void browser(const std::string& exec)
    {
        entry("share", "web.desktop", "Exec=" + exec);
        defaults("missing.desktop;web.desktop;");
    }
    // A desktop entry in one of the data folders ("share" or the user's "data").
    void entry(const std::string& folder, const std::string& id, const std::string& lines)
    {
        write(m_root + "/" + folder + "/applications/" + id, "[Desktop Entry]\nName=Web\n" + lines + "\n");
    }
    void defaults(const std::string& ids)
    {
        write(m_root + "/config/mimeapps.list", "[Default Applications]\ntext/html=" + ids + "\n");
    }
    static std::optional<std::string> command()
    {
        return platform::ClassesRoot::open().defaultValue("\\text/html\\shell\\open\\command");
    }

private:
    std::string m_root;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

class HyperlinkLabel : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        Application().SetClipboard(std::make_unique<TClipboard>());
        platform::Shell::replace(std::make_unique<RecordingShell>(calls));
        link = new TCorvaneURLLabel(form.get(), "link");
        link->SetBounds(10, 10, 120, 16);
        link->SetCaption("www.tarnwick.example");
        link->SetUrl("http://www.tarnwick.example/");
    }
    void TearDown() override
    {
        platform::Shell::replace(nullptr);
        FormTest::TearDown();
    }
    TColor colour() const { return link->Font().Color(); }

    TempDrives drives;
    Desktop desktop { drives.root() };
    std::vector<std::string> calls;
    TCorvaneURLLabel* link { nullptr };
};

TEST_F(HyperlinkLabel, StartsAsABlueUnderlinedLinkWithTheHandCursor)
{
    EXPECT_EQ(colour(), 0xFF0000u);
    EXPECT_EQ(link->Font().Style(), fsUnderline);
    EXPECT_EQ(link->ColorMouseOver(), 255u);
    EXPECT_EQ(link->ColorActive(), 8388736u);
    EXPECT_EQ(link->PopupString(), "Copy Link Location");
    EXPECT_EQ(link->Cursor(), TCorvaneURLLabel::CursorSlot);
    ASSERT_NE(Screen().CustomCursor(TCorvaneURLLabel::CursorSlot), nullptr);
    EXPECT_EQ(Screen().CustomCursor(TCorvaneURLLabel::CursorSlot)->hotX, 4);
    // The slot is the program's: the label that loaded last decides for all.
    auto* other = new TCorvaneURLLabel(form.get(), "other");
    other->SetCursorMouseOver(crMSIE);
    EXPECT_EQ(Screen().CustomCursor(TCorvaneURLLabel::CursorSlot)->resource, "cursor_msie.png");
    other->SetCursorMouseOver(crDefaultCursor);
    EXPECT_EQ(other->Cursor(), crDefault);
}

TEST_F(HyperlinkLabel, ColoursFollowThePointerAndALeftClickInsideOpens)
{
    form->DispatchMouseMove(0, 20, 15);
    EXPECT_EQ(colour(), 255u);
    form->DispatchMouseDown(mbLeft, 0, 20, 15);
    EXPECT_EQ(colour(), 8388736u);
    EXPECT_TRUE(calls.empty());
    form->DispatchMouseUp(mbLeft, 0, 20, 15);
    EXPECT_EQ(colour(), 255u);
    EXPECT_EQ(calls, (std::vector<std::string> { "open http://www.tarnwick.example/" }));

    // Pressed, dragged off and released: nothing opens.
    form->DispatchMouseDown(mbLeft, 0, 20, 15);
    form->DispatchMouseMove(0, 300, 200);
    EXPECT_EQ(colour(), 0xFF0000u);
    form->DispatchMouseUp(mbLeft, 0, 300, 200);
    form->DispatchMouseMove(0, 300, 200);
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_EQ(colour(), 0xFF0000u);
}

TEST_F(HyperlinkLabel, RightPressHoversAndItsMenuCopiesTheAddress)
{
    dialogs->choose = "Copy Link Location";
    form->DispatchMouseMove(0, 20, 15);
    form->DispatchMouseDown(mbRight, 0, 20, 15);
    EXPECT_EQ(colour(), 255u);
    form->DispatchMouseUp(mbRight, 0, 20, 15);
    ASSERT_EQ(dialogs->popups.size(), 1u);
    EXPECT_EQ(dialogs->popups[0].captions, (std::vector<std::string> { "Copy Link Location" }));
    EXPECT_EQ(Application().Clipboard().AsText(), "http://www.tarnwick.example/");
    EXPECT_EQ(colour(), 0xFF0000u);
    EXPECT_TRUE(calls.empty());
    link->SetPopupString("Copy");
    form->DispatchMouseDown(mbRight, 0, 20, 15);
    form->DispatchMouseUp(mbRight, 0, 20, 15);
    EXPECT_EQ(dialogs->popups.back().captions, (std::vector<std::string> { "Copy" }));
}

TEST_F(HyperlinkLabel, TheDesktopsBrowserStartsWhenItsCommandNamesAProgram)
{
    // An Exec line with further words names no file: the opener gets the address.
    desktop.browser(drives.root() + "/c/usr/bin/web-browser --new-window %u");
    auto root = platform::ClassesRoot::open();
    EXPECT_EQ(root.defaultValue("\\.HTML"), "text/html");
    EXPECT_EQ(root.defaultValue("\\text/html\\shell\\open\\command"), "C:\\usr\\bin\\web-browser --new-window %1");
    EXPECT_FALSE(root.keyExists("\\.shtm"));
    link->OpenUrl();
    EXPECT_EQ(calls.back(), "open http://www.tarnwick.example/");

    // A command that is an existing program once "%1" goes: that program gets the address.
    write(drives.root() + "/c/browser/run", "#!/bin/sh\n");
    desktop.browser(drives.root() + "/c/browser/run%u");
    link->OpenUrl();
    EXPECT_EQ(calls.back(), "start C:\\browser\\run http://www.tarnwick.example/");
}

TEST_F(HyperlinkLabel, TheRegistryReadsEntriesAsTheDesktopDoes)
{
    // Blanks around "=", a program path with capitals.
    desktop.entry("share", "web.desktop", "Exec = " + drives.root() + "/c/Apps/WebBrowser --new %U");
    desktop.defaults("web.desktop;");
    EXPECT_EQ(Desktop::command(), "C:\\Apps\\WebBrowser --new %1");

    // A hidden entry of the user's is no entry, and hides the one beneath it: the next one counts.
    desktop.entry("data", "web.desktop", "Hidden=true\nExec=" + drives.root() + "/c/hidden %u");
    desktop.entry("share", "other.desktop", "Exec=" + drives.root() + "/c/other %u");
    desktop.defaults("web.desktop;other.desktop;");
    EXPECT_EQ(Desktop::command(), "C:\\other %1");
    desktop.defaults("web.desktop;");
    EXPECT_EQ(Desktop::command(), std::nullopt);
}

// Many desktops name the browser by a bare program name, and after a Zip scan the current folder is
// the removable disk's root: a program of that name there must never run. Real shell, real spawns.
TEST_F(HyperlinkLabel, AProgramInTheCurrentFolderNeverRuns)
{
    platform::Shell::replace(nullptr);
    std::string zip = drives.map('z'), bin = drives.root() + "/c/Tools", record = drives.root() + "/record";
    auto program = [&](const std::string& path, const std::string& who) {
        write(path, "#!/bin/sh\necho \"" + who + " $$ $1\" >> " + record + "\n");
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    };
    for (const char* name : { "firefox ", "webbrowse", "xdg-open" })
        program(zip + "/" + name, "disk");
    program(bin + "/xdg-open", "opener");
    program(bin + "/Browse", "browser");
    std::vector<std::string> opened;
    std::vector<pid_t> pids;
    auto open = [&] {
        link->OpenUrl();
        for (std::size_t before = opened.size(), i = 0; i < 300 && opened.size() == before; ++i) {
            ::usleep(10000);
            std::ifstream in(record);
            opened.clear();
            pids.clear();
            for (std::string who, pid, address; in >> who >> pid >> address;) {
                opened.push_back(who + " " + address);
                pids.push_back(std::stoi(pid));
            }
        }
    };
    ASSERT_TRUE(platform::SetCurrentDir("Z:\\"));
    std::string path = std::getenv("PATH"), cwd = std::filesystem::current_path();
    // Empty and relative entries of PATH would name the current folder too.
    ::setenv("PATH", (bin + "::.").c_str(), 1);
    std::filesystem::current_path(zip);

    desktop.browser("firefox %u"); // no such program on PATH: the entry is left out
    EXPECT_EQ(Desktop::command(), std::nullopt);
    open();
    desktop.browser("webbrowse");
    open();
    desktop.browser("Browse"); // found on PATH: named by its absolute path, capitals kept
    EXPECT_EQ(Desktop::command(), "C:\\Tools\\Browse");
    open();
    std::filesystem::current_path(cwd);
    ::setenv("PATH", path.c_str(), 1);
    const std::string url = " http://www.tarnwick.example/";
    EXPECT_EQ(opened, (std::vector<std::string> { "opener" + url, "opener" + url, "browser" + url }));

    // Ended programs are collected at once: none waits as a zombie of ours for the next click.
    ::usleep(50000);
    for (pid_t pid : pids)
        EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), -1) << "not a child of ours";
}

TEST(Shell, OpensThroughTheDesktopsOpenerWithoutAShellAndSurvivesItsAbsence)
{
    TempDrives drives;
    std::string bin = drives.root() + "/bin";
    std::string record = drives.root() + "/opened";
    write(bin + "/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > " + record + "\n");
    std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
    std::string path = std::getenv("PATH");
    ::setenv("PATH", (bin + ":" + path).c_str(), 1);
    EXPECT_TRUE(platform::Shell::instance().openAddress("http://a.example/?q=1;rm -rf x"));
    for (int i = 0; i < 200 && !std::filesystem::exists(record); ++i)
        ::usleep(10000);
    ::usleep(20000);
    std::ifstream in(record);
    std::string opened((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(opened, "http://a.example/?q=1;rm -rf x");
    ::setenv("PATH", drives.root().c_str(), 1);
    EXPECT_FALSE(platform::Shell::instance().openAddress("http://b.example/"));
    ::setenv("PATH", path.c_str(), 1);
}

}
