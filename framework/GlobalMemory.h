#pragma once

#include <windows.h>

#include <utility>

namespace fw {

// An owned global memory block, freed with the object unless Detach hands it on (to the
// clipboard, which then owns it).
class CGlobalMemory {
public:
    explicit CGlobalMemory(HGLOBAL handle) : m_handle(handle) {}
    CGlobalMemory(const CGlobalMemory&) = delete;
    CGlobalMemory& operator=(const CGlobalMemory&) = delete;
    ~CGlobalMemory()
    {
        if (m_handle != nullptr)
            ::GlobalFree(m_handle);
    }

    HGLOBAL Get() const { return m_handle; }
    HGLOBAL Detach() { return std::exchange(m_handle, nullptr); }

private:
    HGLOBAL m_handle;
};

// GlobalLock / GlobalUnlock pair; Get is nullptr when the block could not be locked.
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL handle) : m_handle(handle), m_pData(::GlobalLock(handle)) {}
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;
    ~CGlobalLock()
    {
        if (m_pData != nullptr)
            ::GlobalUnlock(m_handle);
    }

    void* Get() const { return m_pData; }

private:
    HGLOBAL m_handle;
    void* m_pData;
};

} // namespace fw
