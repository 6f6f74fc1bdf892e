// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <system_error>
#include <utility>

namespace platform {

// A value, or the reason there is none. The reason travels with the answer, so a caller that words
// its message later still has it; errno would have been overwritten by then.
template <class T>
class Result {
public:
    Result(T value)
        : m_value(std::move(value))
    {
    }
    Result(std::error_code error)
        : m_error(error)
    {
    }

    explicit operator bool() const { return m_value.has_value(); }
    T& operator*() { return *m_value; }
    const T& operator*() const { return *m_value; }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }
    // No error when there is a value.
    std::error_code error() const { return m_error; }

    friend bool operator==(const Result& result, const T& value) { return result.m_value == value; }

private:
    std::optional<T> m_value;
    std::error_code m_error;
};

// std::errc names a reason but does not turn into a std::error_code by itself.
inline std::error_code failure(std::errc reason)
{
    return std::make_error_code(reason);
}

}
