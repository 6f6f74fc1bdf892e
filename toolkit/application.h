// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/clock.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tk {

class TBackend;
class TClipboard;
class TDialogs;
class TForm;
class TTimer;

// The program's one event loop: forms, timers, the clock, and the services that stand between the
// program and the desktop (clipboard, message boxes, input dialogs).
class TApplication {
public:
    TApplication();
    ~TApplication();

    // How the desktop knows the program: the name task bars and window switchers show, its icon
    // (the pictures "<name>_<size>.png" among the resources, one per size) and the base name of its
    // desktop entry, which ties its windows to the menu entry. Set before the first form is shown,
    // as some desktops read them once, when the first window appears.
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title);
    const std::string& Icon() const { return m_icon; }
    void SetIcon(const std::string& name);
    const std::string& DesktopEntry() const { return m_desktopEntry; }
    void SetDesktopEntry(const std::string& name);

    TClock& Clock() { return *m_clock; }
    // Replaces the clock; timers keep their remaining waits.
    void SetClock(std::unique_ptr<TClock>);
    void Sleep(int ms) { m_clock->Sleep(ms); }

    TBackend* Backend() const { return m_backend.get(); }
    void SetBackend(std::unique_ptr<TBackend>);
    TClipboard& Clipboard() { return *m_clipboard; }
    void SetClipboard(std::unique_ptr<TClipboard>);
    TDialogs& Dialogs() { return *m_dialogs; }
    void SetDialogs(std::unique_ptr<TDialogs>);

    // Forms: the first one created is the main form; closing it ends the program.
    TForm* MainForm() const { return m_forms.empty() ? nullptr : m_forms.front(); }
    const std::vector<TForm*>& Forms() const { return m_forms; }
    void AddForm(TForm*);
    void RemoveForm(TForm*);

    // Runs the event loop until Terminate (through the backend).
    void Run();
    void Terminate();
    // Called by a handler that runs long (a copy), often: the windows stay painted, and nothing
    // else the loop would do happens (no input, no ticks).
    void KeepPainted();
    // The desktop session ends, or the program is told to stop: the main form closes as its close
    // button closes it, once the handler running now (a copy) has ended.
    void EndSession();
    bool Terminated() const { return m_terminated; }

    // Timers.
    void AddTimer(TTimer*);
    void RemoveTimer(TTimer*);
    void TimersChanged();
    // Earliest due time of a running timer, or -1 when none runs.
    std::int64_t NextDue() const;
    // Delivers the ticks that are due now, each timer at most once, earliest first.
    void DeliverDueTimers();
    // Virtual clock only: moves time forward by ms, delivering due ticks in order at their times.
    void Advance(std::int64_t ms);

    // Runs a handler; an exception escaping it goes to the default handler and the program goes on.
    void Guard(const std::function<void()>&);
    void HandleException(const std::exception&);
    std::function<void(const std::exception&)> OnException;

private:
    void ChangeIdentity(std::string& property, const std::string& value);
    TTimer* EarliestTimer(std::int64_t notAfter) const;

    std::string m_title;
    std::string m_icon;
    std::string m_desktopEntry;
    std::unique_ptr<TClock> m_clock;
    std::unique_ptr<TBackend> m_backend;
    std::unique_ptr<TClipboard> m_clipboard;
    std::unique_ptr<TDialogs> m_dialogs;
    std::vector<TForm*> m_forms;
    std::vector<TTimer*> m_timers;
    bool m_terminated { false };
};

// The one application object of the process.
TApplication& Application();

}
