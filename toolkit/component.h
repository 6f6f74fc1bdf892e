// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/object.h"

#include <memory>
#include <string>
#include <vector>

namespace tk {

// A named part of a form. An owner destroys the components it owns, last created first.
class TComponent : public TObject {
public:
    TComponent(TComponent* owner, std::string name);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const std::string& Name() const { return m_name; }
    TComponent* Owner() const { return m_owner; }
    const std::vector<TComponent*>& Components() const { return m_components; }
    TComponent* FindComponent(const std::string& name) const;

protected:
    // Called by derived destructors that must outlive their owned components.
    void DestroyComponents();

private:
    void RemoveComponent(TComponent*);

    std::string m_name;
    TComponent* m_owner { nullptr };
    std::vector<TComponent*> m_components;
};

}
