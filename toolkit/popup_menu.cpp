// SPDX-License-Identifier: MIT
#include "toolkit/popup_menu.h"

#include "toolkit/application.h"
#include "toolkit/dialogs.h"

namespace tk {

TMenuItem::TMenuItem(TComponent* owner, std::string name, std::string caption)
    : TComponent(owner, std::move(name))
    , m_caption(std::move(caption))
{
}

void TMenuItem::Click()
{
    if (m_enabled && OnClick)
        OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* owner, std::string name)
    : TComponent(owner, std::move(name))
{
}

TMenuItem* TPopupMenu::Add(std::string name, std::string caption)
{
    auto* item = new TMenuItem(this, std::move(name), std::move(caption));
    m_items.push_back(item);
    return item;
}

std::vector<TMenuItem*> TPopupMenu::VisibleItems() const
{
    std::vector<TMenuItem*> visible;
    for (auto* item : m_items)
        if (item->Visible())
            visible.push_back(item);
    return visible;
}

void TPopupMenu::Popup(int screenX, int screenY)
{
    CallEvent(OnPopup, this);
    Application().Dialogs().Popup(*this, screenX, screenY);
}

}
