// SPDX-License-Identifier: MIT
#pragma once

#include "tests/catalogue/archive_fixture.h"

// The archive fixture with pointer moves: over a control, over the bare window, and drags.
class ChromeTest : public ArchiveTest {
protected:
    // A point (window coordinates) where the pointer reaches the control itself.
    tk::TPoint pointOn(const tk::TControl* control) const
    {
        for (int y = control->Height() / 2; y < control->Height(); ++y)
            for (int x = control->Width() / 2; x < control->Width(); ++x) {
                tk::TPoint at = control->ClientToForm({ x, y });
                if (p.form->ControlAtPoint(at.X, at.Y) == control)
                    return at;
            }
        ADD_FAILURE() << control->Name() << " can't be pointed at";
        return { -1, -1 };
    }
    // A point of the window that no control covers.
    tk::TPoint background() const
    {
        for (int y = 0; y < p.form->Height(); y += 2)
            for (int x = 0; x < p.form->Width(); x += 2)
                if (!p.form->ControlAtPoint(x, y))
                    return { x, y };
        ADD_FAILURE() << "the window has no bare background";
        return { -1, -1 };
    }
    void moveTo(tk::TPoint at) { p.form->DispatchMouseMove(0, at.X, at.Y); }
    void moveOver(const tk::TControl* control) { moveTo(pointOn(control)); }
    void moveOverBackground() { moveTo(background()); }

    // The lines queued for the console since it last drained; the console then types them.
    std::vector<std::string> takeQueued()
    {
        std::vector<std::string> queued = p.form->sysmem->Lines().Lines();
        p.drain();
        return queued;
    }
    // The first line of the topic queued since the console last drained, or "" when none was.
    std::string topicShown()
    {
        auto queued = takeQueued();
        if (queued.size() != 19)
            return queued.empty() ? "" : "unexpected queue of " + std::to_string(queued.size()) + " lines";
        return queued[10];
    }

    // Started with the first archive game selected, then help mode switched on.
    TForm1& startInHelpMode()
    {
        auto& f = p.startAndSettle();
        p.clickRow(f.disk, 0);
        p.click(f.hcap);
        p.drain();
        return f;
    }
};
