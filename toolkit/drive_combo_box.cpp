// SPDX-License-Identifier: MIT
#include "toolkit/drive_combo_box.h"

#include "platform/ascii.h"
#include "platform/filesystem.h"
#include "toolkit/button.h"
#include "toolkit/canvas.h"
#include "toolkit/object_watch.h"
#include "toolkit/directory_list_box.h"
#include "toolkit/file_errors.h"
#include "toolkit/popup_menu.h"
#include "toolkit/sunken_border.h"

#include <algorithm>

namespace tk {

namespace {

constexpr int arrowWidth = 16;

}

TDriveComboBox::TDriveComboBox(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
{
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 145, 22);
    std::string current = platform::FileSystem::instance().currentDirectory();
    if (!current.empty())
        m_drive = platform::asciiLower(current[0]);
    Update();
}

std::string TDriveComboBox::EntryText(char letter)
{
    std::string text { platform::asciiLower(letter), ':' };
    std::string label = platform::FileSystem::instance().volumeLabel(platform::asciiLower(letter));
    return label.empty() ? text : text + " [" + label + "]";
}

void TDriveComboBox::Update()
{
    // A disk mounted since the list last opened is offered at once, with its letter.
    auto& fs = platform::FileSystem::instance();
    fs.noticeVolumes();
    m_letters = fs.drives();
    std::vector<std::string> entries;
    for (char letter : m_letters)
        entries.push_back(EntryText(letter));
    m_items.SetLines(std::move(entries));
    Invalidate();
}

int TDriveComboBox::ItemIndex() const
{
    auto it = std::find(m_letters.begin(), m_letters.end(), m_drive);
    return it == m_letters.end() ? -1 : int(it - m_letters.begin());
}

void TDriveComboBox::SetDrive(char letter)
{
    letter = platform::asciiLower(letter);
    if (letter == m_drive)
        return;
    auto& fs = platform::FileSystem::instance();
    auto mapped = fs.drives();
    if (std::find(mapped.begin(), mapped.end(), letter) == mapped.end())
        throw EInOutError(std::string("Drive ") + platform::asciiUpper(letter) + ": does not exist.");
    // The list goes first: if it can't enter the drive, the selector stays where it was.
    if (m_dirList)
        m_dirList->SetDirectory(fs.driveCurrentDirectory(letter));
    m_drive = letter;
    Invalidate();
    CallEvent(OnChange, this);
}

void TDriveComboBox::DropDown()
{
    Update();
    delete m_menu;
    m_menu = new TPopupMenu(this, "DriveList");
    for (char letter : m_letters) {
        TMenuItem* item = m_menu->Add(std::string("Drive") + letter, EntryText(letter));
        item->OnClick = [this, letter](TObject*) { SetDrive(letter); };
    }
    m_menu->SetPopupComponent(this);
    TPoint below = ClientToScreen({ 0, Height() });
    m_menu->Popup(below.X, below.Y);
}

void TDriveComboBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus())
        SetFocus();
    TWinControl::MouseDown(button, shift, x, y);
}

void TDriveComboBox::ClickOnRelease()
{
    TObjectWatch watch(*this);
    Click();
    if (!watch.Gone())
        DropDown();
}

void TDriveComboBox::KeyDown(unsigned short& key, TShiftState shift)
{
    TObjectWatch watch(*this);
    TWinControl::KeyDown(key, shift);
    if (watch.Gone() || (key != VK_UP && key != VK_DOWN))
        return;
    Update();
    int index = ItemIndex() + (key == VK_UP ? -1 : 1);
    if (index >= 0 && index < int(m_letters.size()))
        SetDrive(m_letters[std::size_t(index)]);
}

void TDriveComboBox::PaintArrowButton(TCanvas& canvas, TRect box)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(box);
    DrawButtonFrame(canvas, box, false, false);
    int cx = box.Left + box.Width() / 2, cy = box.Top + box.Height() / 2;
    canvas.Pen().SetColor(clBtnText);
    canvas.Brush().SetColor(clBtnText);
    canvas.Polygon({ { cx - 3, cy - 1 }, { cx + 3, cy - 1 }, { cx, cy + 2 } });
}

void TDriveComboBox::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    FillBackground(canvas);
    DrawSunkenBorder(canvas, r);
    PaintArrowButton(canvas, Rect(r.Right - arrowWidth, r.Top, r.Right, r.Bottom));
    canvas.Save();
    canvas.IntersectClip(Rect(r.Left, r.Top, r.Right - arrowWidth, r.Bottom));
    canvas.Font().Assign(Font());
    std::string text = Text();
    TRect textBox = Rect(r.Left + 1, r.Top + 1, r.Left + 4 + canvas.TextWidth(text), r.Bottom - 1);
    bool focused = Focused();
    if (focused) {
        canvas.Brush().SetColor(clHighlight);
        canvas.FillRect(textBox);
        canvas.Font().SetColor(clHighlightText);
    }
    canvas.Brush().SetStyle(bsClear);
    TRect textRect = Rect(r.Left + 3, r.Top, r.Right - arrowWidth, r.Bottom);
    canvas.DrawText(text, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    canvas.Restore();
}

}
