// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/component.h"

#include <string>
#include <vector>

namespace tk {

class TControl;

// One entry of a pop-up menu; hidden items are not offered.
class TMenuItem : public TComponent {
public:
    TMenuItem(TComponent* owner, std::string name, std::string caption);

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& v) { m_caption = v; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool v) { m_visible = v; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool v) { m_enabled = v; }
    void Click();

    TNotifyEvent OnClick;

private:
    std::string m_caption;
    bool m_visible { true };
    bool m_enabled { true };
};

// A menu that opens at the pointer over the control it is attached to.
class TPopupMenu : public TComponent {
public:
    TPopupMenu(TComponent* owner, std::string name);

    TMenuItem* Add(std::string name, std::string caption);
    const std::vector<TMenuItem*>& Items() const { return m_items; }
    std::vector<TMenuItem*> VisibleItems() const;

    TControl* PopupComponent() const { return m_popupComponent; }
    void SetPopupComponent(TControl* c) { m_popupComponent = c; }
    // Shows the menu (modal); the chosen item's OnClick runs before this returns.
    void Popup(int screenX, int screenY);

    TNotifyEvent OnPopup;

private:
    std::vector<TMenuItem*> m_items;
    TControl* m_popupComponent { nullptr };
};

}
