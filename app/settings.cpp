// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"
#include "platform/filesystem.h"
#include "toolkit/application.h"
#include "toolkit/dialogs.h"
#include "toolkit/file_errors.h"

#include <utility>

namespace {
const char* const settingsName = "tavisco.ini";
const std::vector<std::string> defaultLines = { "z:\\", "c:\\", "c:\\", "0", "0" };

bool isDirectory(const std::string& path)
{
    return platform::FileSystem::instance().directoryExists(path);
}

std::string lineOrEmpty(const tk::TStrings& lines, int i)
{
    return i < lines.Count() ? lines[i] : std::string();
}
}

// A directory chosen in a list, with one trailing backslash; a drive root gives "X:\".
std::string TForm1::directoryValue(const tk::TDirectoryListBox* dirList) const
{
    std::string value = dirList->Directory() + "\\";
    if (value.size() >= 2 && value[value.size() - 2] == '\\')
        value = std::string(1, value[0]) + ":\\";
    return value;
}

void TForm1::saveSettings()
{
    std::string text;
    const auto& lines = ini->Lines().Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size() || SettingsEndWithBreak)
            text += "\r\n";
    }
    if (!platform::FileSystem::instance().writeFileAtomic(StartDir + settingsName, text))
        throw tk::EFCreateError("Cannot write the settings file \"" + StartDir + settingsName + "\".");
}

void TForm1::loadSettings()
{
    auto& fs = platform::FileSystem::instance();
    std::string file = StartDir + settingsName;
    if (!fs.fileExists(file)) {
        ini->Lines().SetLines(defaultLines);
        SettingsEndWithBreak = true;
        // A start folder the user may not write: reported, and the run goes on these lines.
        startupStep([this] { saveSettings(); });
    }
    if (fs.fileExists(file))
        readSettings(file);
    auto& lines = ini->Lines();

    ZipRoot = lineOrEmpty(lines, 0);
    RomDir = lineOrEmpty(lines, 1);
    RamDir = lineOrEmpty(lines, 2);
    RegionFolder = lineOrEmpty(lines, 3);
    DoubleClickMode = readInteger(trim(lineOrEmpty(lines, 4))).value_or(1);
    if (DoubleClickMode > 3)
        DoubleClickMode = 1;
    setModeCaption();
    if (RegionFolder == "-")
        RegionFolder.clear();
    while (lines.Count() < 5)
        lines.Add("-");
    RomPath = RomDir + RegionFolder;
    RamPath = RamDir + RegionFolder;

    // Set from the start directory, a list raises its change only for another directory; moved
    // quietly to the saved drive first, it must still do so (or a first start off drive c: would
    // never run them).
    std::string ramFrom = ramdir->Directory(), romFrom = romdir->Directory();
    std::string ramTo = isDirectory(RamDir) ? RamDir : "c:\\";
    std::string romTo = isDirectory(RomDir) ? RomDir : "c:\\";
    selectSavedDrives(ramTo, romTo);
    if (lowerAZ(ramTo) != lowerAZ(ramFrom))
        startupStep([this] { ramdirChange(this); });
    if (lowerAZ(romTo) != lowerAZ(romFrom))
        startupStep([this] { romdirChange(this); });
    // Started where the ROM list already stood (a drive root), no change ran: a region folder that
    // is not there is still no region.
    if (!RegionFolder.empty() && !isDirectory(RomDir + RegionFolder)) {
        RegionFolder.clear();
        lines.Put(3, RegionFolder);
        RomPath = RomDir;
        RamPath = RamDir;
    }
}

// Replaces the settings lines by the file's; one that can't be read is reported and the run goes
// on the default lines.
void TForm1::readSettings(const std::string& file)
{
    auto text = platform::FileSystem::instance().readFile(file);
    auto& lines = ini->Lines();
    if (text) {
        SettingsEndWithBreak = !text->empty() && (text->back() == '\n' || text->back() == '\r');
        lines.SetText(*text);
        return;
    }
    noteFailure(tk::openFailure(file, text.error()));
    lines.SetLines(defaultLines);
    SettingsEndWithBreak = true;
}

// Puts the drive selectors on the saved drives and the lists on the directories given. Moving a
// directory list to another drive must not replace the saved directory it is about to be given, so
// the lists stay quiet meanwhile; a drive that is gone, or an empty line, leaves the selector where
// it is. A list that can't go to its directory (c:\ not ready) stays too, and `ramTo` or `romTo`
// then says where it is.
void TForm1::selectSavedDrives(std::string& ramTo, std::string& romTo)
{
    // The handlers come back however this ends.
    struct Quiet {
        tk::TDirectoryListBox* list;
        tk::TNotifyEvent change;
        explicit Quiet(tk::TDirectoryListBox* l)
            : list(l)
            , change(std::exchange(l->OnChange, nullptr))
        {
        }
        ~Quiet() { list->OnChange = std::move(change); }
    } quietRom(romdir), quietRam(ramdir);
    auto choose = [](tk::TDriveComboBox* selector, const std::string& path) {
        if (path.empty())
            return;
        try {
            selector->SetDrive(path[0]);
        } catch (const std::exception&) {
        }
    };
    auto place = [](tk::TDirectoryListBox* list, std::string& to) {
        try {
            list->SetDirectory(to);
        } catch (const std::exception&) {
            to = list->Directory();
        }
    };
    choose(zipdrive, ZipRoot);
    choose(romdrive, RomPath);
    choose(ramdrive, RamPath);
    place(ramdir, ramTo);
    place(romdir, romTo);
}

void TForm1::zipdriveChange(TObject*)
{
    ZipRoot = std::string(1, zipdrive->Drive()) + ":\\";
    ini->Lines().Put(0, ZipRoot);
}

void TForm1::ramdirChange(TObject*)
{
    RamDir = directoryValue(ramdir);
    RamPath = isDirectory(RamDir + RegionFolder) ? RamDir + RegionFolder : RamDir;
    ini->Lines().Put(2, RamDir);
}

void TForm1::romdirChange(TObject*)
{
    RomDir = directoryValue(romdir);
    if (!isDirectory(RomDir + RegionFolder))
        RegionFolder.clear();
    ini->Lines().Put(1, RomDir);
    ini->Lines().Put(3, RegionFolder);
    RomPath = RomDir + RegionFolder;
    RamPath = RamDir + RegionFolder;
    if (isDirectory(RomPath))
        diskrefreshClick(this);
}

void TForm1::Button1Click(TObject*)
{
    sys("#");
    sys("Zipdrive: " + ZipRoot);
    sys("ROM-Direcotry: " + RomDir);
    sys("RAM-Direcotry: " + RamDir);
    zipram->Hide();
    ziprefreshClick(this);
    diskrefreshClick(this);
}

void TForm1::Button2Click(TObject*)
{
    zipram->SetVisible(!zipram->Visible());
}

void TForm1::FormClose(TObject*, tk::TCloseAction& action)
{
    // An open editor is closed as its Close button does; when its text can't be saved, the
    // program stays, with the editor open.
    tk::TCloseAction wanted = action;
    action = tk::caNone;
    closeeditors("");
    action = wanted;
    saveSettings();
}

// The program ends whatever becomes of the settings; a write that fails is told first.
void TForm1::clsClick(TObject*)
{
    closeeditors("");
    tk::Application().Guard([this] { saveSettings(); });
    tk::Application().Terminate();
}
