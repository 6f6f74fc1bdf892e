// SPDX-License-Identifier: MIT
#include "toolkit/application.h"

#include "toolkit/backend.h"
#include "toolkit/clipboard.h"
#include "toolkit/dialogs.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"

#include <algorithm>
#include <stdexcept>

namespace tk {

TApplication::TApplication()
    : m_clock(std::make_unique<TRealClock>())
    , m_clipboard(std::make_unique<TClipboard>())
    , m_dialogs(std::make_unique<TDialogs>())
{
}

TApplication::~TApplication() = default;

void TApplication::SetClock(std::unique_ptr<TClock> clock)
{
    std::int64_t shift = clock->Now() - m_clock->Now();
    m_clock = std::move(clock);
    for (auto* t : m_timers)
        t->ShiftDue(shift);
}

void TApplication::SetTitle(const std::string& title)
{
    ChangeIdentity(m_title, title);
}

void TApplication::SetIcon(const std::string& name)
{
    ChangeIdentity(m_icon, name);
}

void TApplication::SetDesktopEntry(const std::string& name)
{
    ChangeIdentity(m_desktopEntry, name);
}

// Title, icon and desktop entry: the desktop is told of each change.
void TApplication::ChangeIdentity(std::string& property, const std::string& value)
{
    if (property == value)
        return;
    property = value;
    if (m_backend)
        m_backend->IdentityChanged();
}

void TApplication::SetBackend(std::unique_ptr<TBackend> backend)
{
    m_backend = std::move(backend);
    if (m_backend)
        m_backend->IdentityChanged();
    for (auto* form : m_forms)
        form->SetHost(m_backend ? m_backend->CreateHost(*form) : nullptr);
}

void TApplication::SetClipboard(std::unique_ptr<TClipboard> clipboard)
{
    m_clipboard = std::move(clipboard);
}

void TApplication::SetDialogs(std::unique_ptr<TDialogs> dialogs)
{
    m_dialogs = std::move(dialogs);
}

void TApplication::AddForm(TForm* form)
{
    m_forms.push_back(form);
    if (m_backend)
        form->SetHost(m_backend->CreateHost(*form));
}

void TApplication::RemoveForm(TForm* form)
{
    std::erase(m_forms, form);
}

void TApplication::Run()
{
    m_terminated = false;
    if (m_backend)
        m_backend->Run();
}

void TApplication::Terminate()
{
    m_terminated = true;
    if (m_backend)
        m_backend->Quit();
}

void TApplication::KeepPainted()
{
    if (m_backend)
        m_backend->KeepPainted();
}

void TApplication::EndSession()
{
    if (TForm* main = MainForm())
        Guard([main] { main->Close(); });
    else
        Terminate();
}

void TApplication::AddTimer(TTimer* timer)
{
    m_timers.push_back(timer);
}

void TApplication::RemoveTimer(TTimer* timer)
{
    std::erase(m_timers, timer);
    TimersChanged();
}

void TApplication::TimersChanged()
{
    if (m_backend)
        m_backend->TimersChanged();
}

std::int64_t TApplication::NextDue() const
{
    TTimer* t = EarliestTimer(INT64_MAX);
    return t ? t->Due() : -1;
}

TTimer* TApplication::EarliestTimer(std::int64_t notAfter) const
{
    TTimer* best = nullptr;
    for (auto* t : m_timers)
        if (t->Running() && !t->Firing() && t->Due() <= notAfter && (!best || t->Due() < best->Due()))
            best = t;
    return best;
}

void TApplication::DeliverDueTimers()
{
    std::int64_t now = m_clock->Now();
    std::vector<TTimer*> due;
    for (auto* t : m_timers)
        if (t->Running() && t->Due() <= now)
            due.push_back(t);
    std::stable_sort(due.begin(), due.end(), [](TTimer* a, TTimer* b) { return a->Due() < b->Due(); });
    for (auto* t : due)
        if (std::find(m_timers.begin(), m_timers.end(), t) != m_timers.end() && t->Due() <= now)
            t->Fire();
}

void TApplication::Advance(std::int64_t ms)
{
    auto* clock = dynamic_cast<TVirtualClock*>(m_clock.get());
    if (!clock)
        return;
    std::int64_t target = clock->Now() + ms;
    while (TTimer* t = EarliestTimer(target)) {
        if (t->Due() > clock->Now())
            clock->SetNow(t->Due());
        t->Fire();
    }
    if (clock->Now() < target)
        clock->SetNow(target);
}

void TApplication::Guard(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        // Whatever else a handler throws is reported too; the program goes on.
        HandleException(std::runtime_error("An unexpected error occurred."));
    }
}

void TApplication::HandleException(const std::exception& e)
{
    if (OnException) {
        OnException(e);
        return;
    }
    m_dialogs->MessageBox(e.what(), m_title, MB_OK);
}

TApplication& Application()
{
    static TApplication application;
    return application;
}

}
