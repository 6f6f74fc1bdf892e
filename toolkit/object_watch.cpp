// SPDX-License-Identifier: MIT
#include "toolkit/object_watch.h"

namespace tk {

TObject::~TObject()
{
    for (TObjectWatch* watch = m_watches; watch; watch = watch->m_next)
        watch->m_object = nullptr;
}

TObjectWatch::TObjectWatch(TObject& object)
    : m_object(&object)
    , m_next(object.m_watches)
{
    object.m_watches = this;
}

TObjectWatch::~TObjectWatch()
{
    if (!m_object)
        return;
    // Nested watches end in the reverse order they began, so this one is nearly always first.
    for (TObjectWatch** link = &m_object->m_watches; *link; link = &(*link)->m_next) {
        if (*link == this) {
            *link = m_next;
            return;
        }
    }
}

}
