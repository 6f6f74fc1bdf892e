// SPDX-License-Identifier: MIT
#include "catalogue/text.h"
#include "tests/fileops/game_files.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>

// Each operation that changes files runs once to count the calls a fault could hit, then once more
// for every one of those calls failing in each way a medium fails. After every run the files must
// be whole, the console truthful and the program still working.

namespace {

using Kind = platform::Fault::Kind;
using Lines = GameDesk::Lines;

// Every file under the temporary drives: path -> a digest of its bytes. A missing path is a value
// too (no entry).
using Files = std::map<std::string, std::string>;
using Entry = std::optional<std::string>;

std::string digest(const std::string& bytes)
{
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : bytes)
        h = (h ^ c) * 1099511628211ull;
    return std::to_string(bytes.size()) + ":" + std::to_string(h);
}

// A backup is named by the second it was made in; runs made in other seconds are alike.
std::string unstamped(const std::string& path)
{
    auto backup = path.starts_with("d/ram/backup/") ? backupName(path) : std::nullopt;
    if (!backup)
        return path;
    return backup->file + ".<made>" + (backup->counter > 1 ? "-" + std::to_string(backup->counter) : "");
}

Files snapshot(const std::string& root)
{
    Files files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        files[unstamped(entry.path().lexically_relative(root).string())] = digest(bytes);
    }
    return files;
}

Entry at(const Files& files, const std::string& path)
{
    auto it = files.find(path);
    return it == files.end() ? Entry() : Entry(it->second);
}

bool temporary(const std::string& path)
{
    std::string name = std::filesystem::path(path).filename().string();
    return name.find("~tavisco-") != std::string::npos || name.ends_with("~case");
}

// Companion files are longer than the room a full disk leaves, and each one's bytes are its own.
std::string companion(const std::string& name)
{
    std::string bytes;
    while (bytes.size() < 3000)
        bytes += name + " ";
    return bytes;
}

// The games on the desk: two in the archive, one on the Zip disk, every kind of companion, and the
// folders of a region. Some operations want mario on the Zip disk too, some the Zip disk to be a
// flash cart's card, whose saves\ holds a save of mario written later than the one in the root.
void layGames(GameDesk& desk, bool marioOnZip, bool card)
{
    constexpr std::uint64_t size = 256 * 1024;
    desk.p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO", .size = size });
    desk.p.rom("d:\\roms\\", "wario.v64", { .title = "WARIO", .size = size + 4096 });
    for (const char* ext : { ".eep", ".ips", ".aps", ".zcc", ".ram", ".cat", ".nfo" })
        desk.file(std::string("d:\\ram\\mario") + ext, companion(std::string("archive mario") + ext));
    desk.file("d:\\ram\\wario.eep", companion("archive wario.eep"));
    desk.file("d:\\ram\\luigi.eep", companion("archive luigi.eep"));
    for (const char* dir : { "d:\\roms\\usa\\", "d:\\ram\\usa\\", "d:\\ram\\usa\\boxart\\", "d:\\ram\\usa\\screens\\" })
        desk.file(std::string(dir) + ".keep", "");
    desk.p.rom("z:\\", "luigi.v64", { .title = "LUIGI", .size = 2 * size });
    for (const char* ext : { ".eep", ".ips", ".aps", ".zcc", ".ram" })
        desk.file(std::string("z:\\luigi") + ext, companion(std::string("zip luigi") + ext));
    if (marioOnZip) {
        desk.p.rom("z:\\", "mario.v64", { .title = "MARIO", .size = size });
        for (const char* ext : { ".eep", ".zcc", ".ram" })
            desk.file(std::string("z:\\mario") + ext, companion(std::string("zip mario") + ext));
    } else {
        desk.file("z:\\mario.eep", companion("zip mario.eep, a save left behind"));
    }
    if (card) {
        desk.file("z:\\menu\\.keep", "");
        desk.file("z:\\saves\\mario.sav", companion("card mario.sav"));
        auto root = std::filesystem::last_write_time(desk.p.drives.host("z:\\mario.eep"));
        std::filesystem::last_write_time(desk.p.drives.host("z:\\saves\\mario.sav"), root + std::chrono::minutes(1));
    }
}

void typeText(GameDesk& desk, tk::TControl* editor, const std::string& text)
{
    desk.p.click(editor);
    for (char c : text)
        desk.p.type(c);
}

// One file-changing operation: how the user gets to it (not counted), the step that does it
// (counted), and how it says whether it worked: a closing console line, or for the editors and
// the settings an error box when it failed.
struct Operation {
    std::string name;
    bool marioOnZip { false };
    bool card { false };
    std::function<void(GameDesk&)> prepare;
    std::function<void(GameDesk&)> act;
    std::string success;
    std::string failure;

    bool reportsOnConsole() const { return !success.empty(); }
};

std::ostream& operator<<(std::ostream& out, const Operation& op)
{
    return out << op.name;
}

std::vector<Operation> operations()
{
    auto onDisk = [](int row) { return [row](GameDesk& d) { d.pickDisk(row); }; };
    auto onZip = [](int row) { return [row](GameDesk& d) { d.pickZip(row); }; };
    auto press = [](auto button) { return [button](GameDesk& d) { d.press(d.p.form.get()->*button); }; };
    // A menu item chosen from its pop-up menu, which reports what its handler throws.
    auto choose = [](tk::TMenuItem* TForm1::*item) {
        return [item](GameDesk& d) { tk::Application().Guard([&] { (d.p.form.get()->*item)->Click(); }); };
    };
    return {
        { "CopyToZipDisk", false, false, onDisk(0), press(&TForm1::b1), "Copy complete.", "Copy failed !!!" },
        { "CopyToCard", false, true, onDisk(0), press(&TForm1::b1), "Copy complete.", "Copy failed !!!" },
        { "CopyToArchive", false, false, onZip(0), press(&TForm1::b2), "Copy complete.", "Copy failed !!!" },
        { "Update", true, false, onZip(1), press(&TForm1::b3), "Update complete.", "Update failed !!!" },
        { "UpdateFromCard", true, true, onZip(1), press(&TForm1::b3), "Update complete.", "Update failed !!!" },
        { "UpdateAll", true, false, onZip(1), choose(&TForm1::Updateall1), "Update complete.",
            "Update failed !!!" },
        { "DeleteFromCard", true, true,
            [](GameDesk& d) {
                d.pickZip(1);
                d.p.dialogs->answerBoxes({ tk::IDOK });
            },
            press(&TForm1::b6), "Delete complete", "Delete failed !!!" },
        { "Delete", true, false,
            [](GameDesk& d) {
                d.pickZip(1);
                d.p.dialogs->answerBoxes({ tk::IDOK });
            },
            press(&TForm1::b6), "Delete complete", "Delete failed !!!" },
        { "Clear", true, false, [](GameDesk& d) { d.p.dialogs->answerBoxes({ tk::IDOK }); },
            choose(&TForm1::ClearZipDisk1), "Zipdisc cleared.", "Delete failed !!!" },
        { "Rename", false, false,
            [](GameDesk& d) {
                d.pickDisk(0);
                d.p.dialogs->answerQuery("peach");
            },
            press(&TForm1::b4), "Rename complete.", "Rename failed !!!" },
        { "MoveToRegion", false, false, onDisk(0), choose(&TForm1::MovetoUSA1), "Move complete.",
            "Move failed !!!" },
        { "CategoryOk", false, false,
            [choose](GameDesk& d) {
                d.pickDisk(0);
                choose(&TForm1::Setcategory1)(d);
                d.p.form->Edit1->SetText("Platform");
            },
            [](GameDesk& d) { d.p.click(d.p.form->BitBtn1); }, "", "" },
        { "InfoClose", false, false,
            [](GameDesk& d) {
                d.pickDisk(0);
                d.press(d.p.form->b5);
                typeText(d, d.p.form->info, "Jumps. ");
            },
            [](GameDesk& d) { d.p.click(d.p.form->Button3); }, "", "" },
        { "CheatTextClose", false, false,
            [choose](GameDesk& d) {
                d.pickDisk(0);
                choose(&TForm1::ViewEditZCC1)(d);
                typeText(d, d.p.form->zcc, "8033B21E 0008\r");
            },
            [](GameDesk& d) { d.p.click(d.p.form->Button6); }, "", "" },
        { "SettingsSaveAtClose", false, false, [](GameDesk& d) { d.p.click(d.p.form->ddmode); },
            [](GameDesk& d) { d.p.form->Close(); }, "", "" },
    };
}

// What one run of an operation left behind.
struct Outcome {
    Files files;
    Lines typed;
    std::optional<std::size_t> closing; // index in `typed` of the last closing line
    int callsBeforeClosing { 0 };
    int calls { 0 };
    std::size_t boxes { 0 }; // message boxes shown while the operation ran
};

class FaultLoop : public ::testing::TestWithParam<Operation> {
protected:
    // The operation on a fresh desk, with call `failing` (none for 0) failing as `kind` says.
    Outcome run(int failing, Kind kind, Files* before)
    {
        const Operation& op = GetParam();
        // One desk at a time: each puts its own drives in place and the one before back.
        m_desk.reset();
        m_desk = std::make_unique<GameDesk>();
        GameDesk& d = *m_desk;
        d.layOut();
        layGames(d, op.marioOnZip, op.card);
        d.start();
        op.prepare(d);
        if (before)
            *before = snapshot(d.p.drives.root());
        auto& files = platform::FileSystem::instance();
        std::size_t boxesBefore = d.p.dialogs->boxes.size();
        d.typed->clear();
        files.countCalls();
        // A full disk leaves room for a single byte: part-way through any file here.
        if (failing)
            files.failCall(failing, kind, kind == Kind::DiskFull ? 1 : 0);
        op.act(d);
        Outcome out;
        out.calls = files.callsCounted();
        files.clearFaults();
        out.files = snapshot(d.p.drives.root());
        out.typed = d.typed->lines;
        out.boxes = d.p.dialogs->boxes.size() - boxesBefore;
        for (std::size_t i = 0; i < out.typed.size(); ++i) {
            if (out.typed[i] == op.success || out.typed[i] == op.failure) {
                out.closing = i;
                out.callsBeforeClosing = d.typed->callsBefore[i];
            }
        }
        return out;
    }

    // Problems with a run in which call `failing` failed; none when it survived the fault.
    std::vector<std::string> judge(const Files& before, const Files& done, const Outcome& out, int failing)
    {
        const Operation& op = GetParam();
        std::vector<std::string> problems;
        std::set<std::string> paths;
        for (const Files* files : { &before, &done, &out.files })
            for (const auto& [path, bytes] : *files)
                paths.insert(path);
        for (const std::string& path : paths) {
            Entry now = at(out.files, path), was = at(before, path), wanted = at(done, path);
            if (temporary(path))
                problems.push_back("temporary file left: " + path);
            else if (now != was && now != wanted)
                problems.push_back(path + " is neither as it was nor as the operation makes it");
        }
        // A file the operation moves or copies must still be somewhere it belongs.
        for (const auto& [path, bytes] : before) {
            if (at(done, path) == bytes)
                continue;
            bool kept = at(out.files, path) == bytes;
            bool carried = false;
            for (const auto& [to, moved] : done)
                if (moved == bytes && at(before, to) != bytes) {
                    carried = true;
                    kept = kept || at(out.files, to) == bytes;
                }
            if (carried && !kept)
                problems.push_back("the contents of " + path + " are lost");
        }
        if (op.reportsOnConsole()) {
            if (!out.closing)
                problems.push_back("no closing line on the console");
            else {
                bool stepFailed = failing <= out.callsBeforeClosing;
                const std::string& line = out.typed[*out.closing];
                if (stepFailed && line != op.failure)
                    problems.push_back("closes with \"" + line + "\" though call " + std::to_string(failing) + " failed");
                if (!stepFailed && line != op.success)
                    problems.push_back("closes with \"" + line + "\" though every step worked");
            }
        } else if (out.boxes == 0) {
            problems.push_back("the failure was not reported");
        }
        bool claimedSuccess = out.closing && out.typed[*out.closing] == op.success;
        if (claimedSuccess && out.files != done)
            problems.push_back("reports success but the files are not as the operation makes them");
        if (auto listing = rescanProblem())
            problems.push_back(*listing);
        return problems;
    }

    // With the medium back, a scan must show each table's folder as it is.
    std::optional<std::string> rescanProblem()
    {
        GameDesk& d = *m_desk;
        TForm1& f = *d.p.form;
        f.ziprefreshClick(nullptr);
        f.diskrefreshClick(nullptr);
        for (auto [grid, folder] : { std::pair { f.zip, f.ZipRoot }, std::pair { f.disk, f.RomPath } }) {
            Lines shown, images;
            for (int r = 0; r < grid->RowCount(); ++r) {
                if (grid->Cell(0, r) == "Error !!!")
                    return "a scan after the run could not read " + grid->Cell(5, r);
                if (!grid->Cell(5, r).empty())
                    shown.push_back(lowerAZ(grid->Cell(5, r)));
            }
            for (const std::string& name : d.dir(folder))
                if (name.ends_with(".v64") || name.ends_with(".rom"))
                    images.push_back(lowerAZ(name));
            std::sort(shown.begin(), shown.end());
            if (shown != images)
                return "a scan after the run does not list " + folder + " as it is";
        }
        return std::nullopt;
    }

    void TearDown() override { m_desk.reset(); }

    std::unique_ptr<GameDesk> m_desk;
};

TEST_P(FaultLoop, EveryCallFailingInEveryWayLeavesFilesWholeAndTheConsoleTruthful)
{
    const Operation& op = GetParam();
    Files before;
    Outcome reference = run(0, Kind::Refuse, &before);
    ASSERT_GT(reference.calls, 0);
    if (op.reportsOnConsole()) {
        ASSERT_TRUE(reference.closing);
        ASSERT_EQ(reference.typed[*reference.closing], op.success);
    } else {
        ASSERT_EQ(reference.boxes, 0u);
    }
    ASSERT_NE(reference.files, before) << "the operation changes no file";
    EXPECT_FALSE(rescanProblem());

    int runs = 0, survived = 0;
    for (Kind kind : { Kind::Refuse, Kind::DiskFull, Kind::DriveGone }) {
        for (int k = 1; k <= reference.calls; ++k) {
            Files start;
            Outcome out = run(k, kind, &start);
            EXPECT_EQ(start, before);
            auto problems = judge(before, reference.files, out, k);
            ++runs;
            survived += problems.empty();
            for (const auto& problem : problems)
                ADD_FAILURE() << op.name << ", call " << k << " of " << reference.calls << " failing ("
                              << (kind == Kind::Refuse ? "refused" : kind == Kind::DiskFull ? "disk full" : "drive gone")
                              << "): " << problem;
        }
    }
    std::cout << "[fault loop] " << op.name << ": " << reference.calls << " calls, " << runs << " runs, "
              << survived << " faults survived\n";
    EXPECT_EQ(survived, runs);
}

INSTANTIATE_TEST_SUITE_P(Operations, FaultLoop, ::testing::ValuesIn(operations()),
    [](const ::testing::TestParamInfo<Operation>& info) { return info.param.name; });

}
