// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "toolkit/application.h"

#include <algorithm>

namespace {
constexpr int idleInterval = 500;
constexpr int lineInterval = 250;
constexpr int blankInterval = 1;
constexpr int typingDelay = 10;
const std::string blankLine = " ";
}

void TForm1::sys(const std::string& text)
{
    auto& queue = sysmem->Lines();
    if (text == "#") {
        queue.Clear();
        for (int i = 0; i < 10; ++i)
            queue.Add(blankLine);
    } else if (text == "+") {
        queue.Clear();
        // Nothing is left to type: a draining console goes idle instead of ticking on an empty
        // queue; an idle one keeps its timer as it is.
        if (Timer3->Enabled()) {
            Timer3->SetEnabled(false);
            Timer3->SetInterval(idleInterval);
        }
        for (int i = 0; i < 10; ++i)
            sysdis(blankLine);
    } else {
        queue.Add(text);
    }
}

void TForm1::sysdis(const std::string& text)
{
    tk::TLabel* lines[] = { l1, l2, l3, l4, l5, l6, l7, l8, l9 };
    for (int i = 0; i < 8; ++i)
        lines[i]->SetCaption(lines[i + 1]->Caption());
    std::size_t shown = shownLength(text);
    for (std::size_t i = 1; i <= shown; ++i) {
        l9->SetCaption(text.substr(0, i) + "_");
        tk::Application().Sleep(typingDelay);
        Repaint();
    }
    l9->SetCaption(text);
    Repaint();
}

// How many characters of a line begin inside the console's width: only those are typed, the
// rest would be typed beyond the right edge. The search looks no further than one character per
// pixel of the width, however long the line is.
std::size_t TForm1::shownLength(const std::string& text) const
{
    std::size_t low = 1, high = std::min(text.size(), static_cast<std::size_t>(std::max(1, l9->Width())));
    if (text.empty() || l9->TextWidth(text.substr(0, high)) < l9->Width())
        return high;
    // The shortest start that reaches the edge: its last character is the last one seen.
    while (low < high) {
        std::size_t mid = (low + high) / 2;
        if (l9->TextWidth(text.substr(0, mid)) < l9->Width())
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

void TForm1::sysmemChange(TObject*)
{
    Timer3->SetEnabled(false);
    Timer3->SetEnabled(true);
    if (sysmem->Lines().Count() == 0) {
        Timer3->SetEnabled(false);
        Timer3->SetInterval(idleInterval);
    }
}

void TForm1::Timer3Timer(TObject*)
{
    // The picture half: a few frames of noise, then the game's screenshot.
    switch (NoiseStep) {
    case 1:
    case 3: box->Picture().Assign(rausch->Picture()); break;
    case 2:
    case 4: box->Picture().Assign(rausch2->Picture()); break;
    case 5: showScreenshot(); break;
    default: break;
    }
    ++NoiseStep;

    auto& queue = sysmem->Lines();
    if (queue.Count() == 0) {
        Timer3->SetEnabled(false);
        Timer3->SetInterval(idleInterval);
        return;
    }
    std::string line = queue[0];
    Timer3->SetInterval(line == blankLine ? blankInterval : lineInterval);
    sysdis(line);
    queue.Delete(0);
}
