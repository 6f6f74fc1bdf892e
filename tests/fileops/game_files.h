// SPDX-License-Identifier: MIT
#pragma once

#include "platform/filesystem.h"
#include "tests/support/program.h"
#include "toolkit/application.h"
#include "toolkit/form_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Every line the console types, in order: a line is complete when its cursor goes away. Lines
// scroll off the nine labels quickly; this keeps the whole run.
// A backup's name split up: the file it keeps, its time stamp, and its counter within that second
// (1 when it has none). Nothing when the name carries no stamp.
struct BackupName {
    std::string file, stamp;
    int counter { 1 };
};
inline std::optional<BackupName> backupName(const std::string& name)
{
    std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return std::nullopt;
    std::string stamp = name.substr(dot + 1);
    auto digits = [&stamp](std::size_t from, std::size_t to) {
        return to > from && stamp.size() >= to
            && std::all_of(stamp.begin() + long(from), stamp.begin() + long(to), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (stamp.size() < 15 || !digits(0, 8) || stamp[8] != '-' || !digits(9, 15))
        return std::nullopt;
    if (stamp.size() == 15)
        return BackupName { name.substr(0, dot), stamp, 1 };
    if (stamp[15] != '-' || !digits(16, stamp.size()))
        return std::nullopt;
    return BackupName { name.substr(0, dot), stamp.substr(0, 15), std::stoi(stamp.substr(16)) };
}

class Transcript : public tk::TFormHost {
public:
    explicit Transcript(const TForm1& form)
        : m_form(form)
    {
    }

    void Invalidate() override { }
    void RepaintNow() override
    {
        std::string bottom = m_form.l9->Caption();
        bool typing = continues(bottom);
        if (m_typing && !typing) {
            lines.push_back(bottom);
            started.push_back(tk::Application().Clock().Now() - 10 * m_typed);
            callsBefore.push_back(platform::FileSystem::instance().callsCounted());
            m_typed = 0;
        }
        m_typing = typing;
        m_typed += typing;
        m_previous = bottom;
    }
    void GeometryChanged() override { }
    void VisibilityChanged() override { }
    void CaptionChanged() override { }

    // The typed lines that begin with the prefix.
    std::vector<std::string> starting(const std::string& prefix) const
    {
        std::vector<std::string> found;
        for (const auto& line : lines)
            if (line.starts_with(prefix))
                found.push_back(line);
        return found;
    }

    void clear()
    {
        lines.clear();
        started.clear();
        callsBefore.clear();
    }

    std::vector<std::string> lines;
    std::vector<std::int64_t> started; // when typing of each line began
    std::vector<int> callsBefore;      // file system calls counted by the time each line was typed

private:
    // A line being typed shows one more character of it and the cursor at each repaint; what
    // follows the last one is the whole line (only its start is typed when it is wider than the
    // console).
    bool continues(const std::string& bottom) const
    {
        if (bottom.size() < 2 || bottom.back() != '_')
            return false;
        if (!m_typing)
            return bottom.size() == 2;
        return bottom.size() == m_previous.size() + 1
            && bottom.compare(0, m_previous.size() - 1, m_previous, 0, m_previous.size() - 1) == 0;
    }

    const TForm1& m_form;
    std::string m_previous;
    bool m_typing { false };
    std::int64_t m_typed { 0 };
};

// An archive in d:\roms with its RAM files in d:\ram, the Zip disk on z:. A test lays out the
// files, starts the program and then works it through its buttons and menus.
class GameDesk {
public:
    using Lines = std::vector<std::string>;

    // The two archive folders and the settings that point at them.
    void layOut()
    {
        p.drives.write("d:\\roms\\.keep", "");
        p.drives.write("d:\\ram\\.keep", "");
        p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    }

    // Starts the program, lets start-up finish and from then on records what the console types.
    TForm1& start()
    {
        auto& f = p.startAndSettle();
        auto host = std::make_unique<Transcript>(f);
        typed = host.get();
        f.SetHost(std::move(host));
        return f;
    }

    void pickDisk(int row)
    {
        p.clickRow(p.form->disk, row);
        p.drain();
    }
    void pickZip(int row)
    {
        p.clickRow(p.form->zip, row);
        p.drain();
    }
    // A click on an operation button; a hidden one would not be there for the user to click.
    void press(tk::TControl* button)
    {
        EXPECT_TRUE(button->Visible()) << button->Name() << " is hidden";
        p.click(button);
    }

    void file(const std::string& winPath, const std::string& bytes) { p.drives.write(winPath, bytes); }
    std::string content(const std::string& winPath) const { return p.drives.read(winPath); }
    bool exists(const std::string& winPath) const { return p.drives.exists(winPath); }

    // Every entry of a directory as it is on the host, hidden ones (temporary files) included;
    // only the marker that keeps a folder is left out.
    Lines dir(const std::string& winDir) const
    {
        Lines names = TempDrives::entries(p.drives.host(winDir));
        std::erase(names, ".keep");
        return names;
    }

    // The title cell of a row: the header's 20 characters, blanks kept.
    static std::string cell(const std::string& title)
    {
        std::string padded(20, ' ');
        padded.replace(0, std::min<std::size_t>(title.size(), 20), title, 0, 20);
        return padded;
    }
    static Lines blanks(std::size_t n) { return Lines(n, " "); }
    static Lines join(Lines a, const Lines& b)
    {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    static void fail(const platform::Fault& fault) { platform::FileSystem::instance().injectFault(fault); }

    Program p;
    Transcript* typed { nullptr };
};

class GameFiles : public ::testing::Test, public GameDesk {
protected:
    void SetUp() override { layOut(); }
};
