// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/object.h"

namespace tk {

// Tells code that calls out to a handler whether the object it works on was destroyed meanwhile,
// so it touches the object no more. Watches live on the stack, while a call runs.
class TObjectWatch {
public:
    explicit TObjectWatch(TObject& object);
    ~TObjectWatch();
    TObjectWatch(const TObjectWatch&) = delete;
    TObjectWatch& operator=(const TObjectWatch&) = delete;

    bool Gone() const { return m_object == nullptr; }

private:
    friend class TObject;

    TObject* m_object;
    TObjectWatch* m_next;
};

}
