#pragma once

#include <windows.h>

#include <utility>

/// Owns one GDI object (a font, a brush) and deletes it once.
template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : m_handle(handle) {}
    GdiObject(const GdiObject &) = delete;
    GdiObject &operator=(const GdiObject &) = delete;
    GdiObject(GdiObject &&other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    GdiObject &operator=(GdiObject &&other) noexcept
    {
        reset(std::exchange(other.m_handle, nullptr));
        return *this;
    }
    ~GdiObject() { reset(); }

    Handle get() const { return m_handle; }
    void reset(Handle handle = nullptr)
    {
        if (m_handle)
            DeleteObject(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
