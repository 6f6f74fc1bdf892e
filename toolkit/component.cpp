// SPDX-License-Identifier: MIT
#include "toolkit/component.h"

#include <algorithm>

namespace tk {

TComponent::TComponent(TComponent* owner, std::string name)
    : m_name(std::move(name))
    , m_owner(owner)
{
    if (m_owner)
        m_owner->m_components.push_back(this);
}

TComponent::~TComponent()
{
    DestroyComponents();
    if (m_owner)
        m_owner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    for (auto* c : m_components)
        if (c->Name() == name)
            return c;
    return nullptr;
}

void TComponent::DestroyComponents()
{
    while (!m_components.empty())
        delete m_components.back(); // its destructor removes it from the list
}

void TComponent::RemoveComponent(TComponent* c)
{
    auto it = std::find(m_components.begin(), m_components.end(), c);
    if (it != m_components.end())
        m_components.erase(it);
}

}
