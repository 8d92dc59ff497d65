#pragma once

#include <windows.h>

// A block of memory inside the process that owns a window. Messages such as
// LVM_GETITEMTEXTA carry a pointer that the receiving control dereferences in
// its own address space, so a driver in another process must place the
// structure and the text buffer there and read the answer back.
class CRemoteBlock {
public:
    CRemoteBlock(HWND hwndOwner, SIZE_T cbSize);
    ~CRemoteBlock();
    CRemoteBlock(const CRemoteBlock&) = delete;
    CRemoteBlock& operator=(const CRemoteBlock&) = delete;

    bool IsValid() const { return m_pBlock != nullptr; }
    // The address of `offset` as the owning process sees it.
    void* At(SIZE_T offset) const { return static_cast<char*>(m_pBlock) + offset; }
    bool Write(SIZE_T offset, const void* pData, SIZE_T cbData);
    bool Read(SIZE_T offset, void* pData, SIZE_T cbData) const;

private:
    HANDLE m_hProcess = nullptr;
    void* m_pBlock = nullptr;
};
