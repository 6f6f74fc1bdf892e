// SPDX-License-Identifier: MIT
#pragma once

#include "app/tavisco.h"
#include "tests/support/rom_image.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_drives.h"

#include <memory>
#include <string>
#include <vector>

// The whole program on temporary drives and a virtual clock: c: is the start directory (it holds
// tavisco.ini), the archive lies on d: and the Zip disk is z:. Tests write files, start the window
// and then click, type and let time pass as a user would.
class Program {
public:
    Program();
    ~Program();

    TempDrives drives;
    ScriptedDialogs* dialogs { nullptr };
    std::unique_ptr<TForm1> form;

    // The directory the program is started in, "c:\\" unless moved here before settings().
    void startIn(const std::string& winDir);
    // Started as a new process is: in the host's working directory, wherever the drive map puts
    // it (startDir() is then "").
    void startInWorkingDirectory() { m_startDir.clear(); }
    const std::string& startDir() const { return m_startDir; }
    // Writes tavisco.ini in the start directory; lines end with CR LF.
    void settings(const std::vector<std::string>& lines);
    // An image in the given Windows directory, e.g. rom("d:\\roms\\", "mario.v64", {...}).
    void rom(const std::string& dir, const std::string& name, const RomImage& image = {});
    // Creates the window (FormCreate runs) and shows it, as the program entry does. A window of an
    // earlier start goes first, and the directories are a new process's: the start directory is
    // current, every other drive at its root.
    TForm1& start();
    // Runs start-up to its end: tick 15 of the start-up timer and the first presence poll, then
    // lets the console drain.
    TForm1& startAndSettle();

    void advance(std::int64_t ms);
    std::int64_t now() const;
    // Lets the console type everything that is queued.
    void drain();

    // Input through the form, at the centre of a control or at a point inside it.
    void click(tk::TControl* control);
    void clickAt(tk::TControl* control, int x, int y, tk::TMouseButton button = tk::mbLeft);
    void doubleClickAt(tk::TControl* control, int x, int y);
    void key(unsigned short vk);
    void type(char c);
    // Clicks a row of a table (row counted from the first shown row).
    void clickRow(tk::TStringGrid* grid, int row, tk::TMouseButton button = tk::mbLeft);

    // The nine console lines, top to bottom.
    std::vector<std::string> console() const;
    // The non-blank console lines.
    std::vector<std::string> consoleText() const;
    std::string clipboard() const;
    // The rows of a table, each as its seven cells.
    static std::vector<std::vector<std::string>> rows(const tk::TStringGrid* grid);

private:
    std::string m_startDir { "c:\\" };
};
