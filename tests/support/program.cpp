// SPDX-License-Identifier: MIT
#include "tests/support/program.h"

#include "platform/filesystem.h"
#include "tests/support/qt_app.h"
#include "toolkit/application.h"
#include "toolkit/clipboard.h"

using tk::Application;

Program::Program()
{
    ensureGuiApp();
    Application().SetClock(std::make_unique<tk::TVirtualClock>());
    auto scripted = std::make_unique<ScriptedDialogs>();
    dialogs = scripted.get();
    Application().SetDialogs(std::move(scripted));
    Application().SetClipboard(std::make_unique<tk::TClipboard>());
    Application().OnException = nullptr;
    drives.map('d');
    drives.map('z');
}

Program::~Program()
{
    form.reset();
    Application().SetDialogs(std::make_unique<tk::TDialogs>());
    Application().SetClock(std::make_unique<tk::TRealClock>());
}

void Program::startIn(const std::string& winDir)
{
    m_startDir = winDir.ends_with('\\') ? winDir : winDir + "\\";
    drives.write(m_startDir + ".keep", "");
}

void Program::settings(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    drives.write(m_startDir + "tavisco.ini", text);
}

void Program::rom(const std::string& dir, const std::string& name, const RomImage& image)
{
    writeRom(drives, dir + name, image);
}

TForm1& Program::start()
{
    form.reset();
    auto& files = platform::FileSystem::instance();
    files.resetCurrentDirectories();
    if (!m_startDir.empty())
        files.setCurrentDirectory(m_startDir);
    form = std::make_unique<TForm1>();
    form->Show();
    return *form;
}

TForm1& Program::startAndSettle()
{
    start();
    // Tick 15 comes 1.4 s after the first scans end, however long they took; the first presence
    // poll follows a second later and scans the Zip disk again.
    for (int i = 0; i < 1000 && form->StartupTicks < 15; ++i)
        advance(100);
    advance(1000);
    drain();
    return *form;
}

void Program::advance(std::int64_t ms)
{
    Application().Advance(ms);
}

std::int64_t Program::now() const
{
    return Application().Clock().Now();
}

void Program::drain()
{
    for (int i = 0; i < 1000 && form->sysmem->Lines().Count() > 0; ++i)
        advance(50);
}

void Program::clickAt(tk::TControl* control, int x, int y, tk::TMouseButton button)
{
    tk::TPoint p = control->ClientToForm({ x, y });
    form->DispatchMouseDown(button, 0, p.X, p.Y);
    form->DispatchMouseUp(button, 0, p.X, p.Y);
}

void Program::click(tk::TControl* control)
{
    clickAt(control, control->Width() / 2, control->Height() / 2);
}

void Program::doubleClickAt(tk::TControl* control, int x, int y)
{
    tk::TPoint p = control->ClientToForm({ x, y });
    form->DispatchMouseDown(tk::mbLeft, 0, p.X, p.Y);
    form->DispatchMouseUp(tk::mbLeft, 0, p.X, p.Y);
    form->DispatchMouseDown(tk::mbLeft, 0, p.X, p.Y, true);
    form->DispatchMouseUp(tk::mbLeft, 0, p.X, p.Y);
}

void Program::key(unsigned short vk)
{
    form->DispatchKeyDown(vk, 0);
}

void Program::type(char c)
{
    form->DispatchKeyPress(c);
}

void Program::clickRow(tk::TStringGrid* grid, int row, tk::TMouseButton button)
{
    int pitch = grid->DefaultRowHeight() + ((grid->Options() & tk::goHorzLine) ? grid->GridLineWidth() : 0);
    clickAt(grid, 10, (row - grid->TopRow()) * pitch + pitch / 2, button);
}

std::vector<std::string> Program::console() const
{
    return { form->l1->Caption(), form->l2->Caption(), form->l3->Caption(), form->l4->Caption(),
        form->l5->Caption(), form->l6->Caption(), form->l7->Caption(), form->l8->Caption(),
        form->l9->Caption() };
}

std::vector<std::string> Program::consoleText() const
{
    std::vector<std::string> text;
    for (const auto& line : console())
        if (line.find_first_not_of(' ') != std::string::npos)
            text.push_back(line);
    return text;
}

std::string Program::clipboard() const
{
    return Application().Clipboard().AsText();
}

std::vector<std::vector<std::string>> Program::rows(const tk::TStringGrid* grid)
{
    std::vector<std::vector<std::string>> result;
    for (int r = 0; r < grid->RowCount(); ++r)
        result.push_back(grid->RowCells(r));
    return result;
}
