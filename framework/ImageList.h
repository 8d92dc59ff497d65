#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace fw {

// Owning image list handle.
class CImageList {
public:
    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList() { Reset(); }

    bool Create(int cx, int cy, UINT flags, int initial, int grow)
    {
        Reset(::ImageList_Create(cx, cy, flags, initial, grow));
        return m_himl != nullptr;
    }
    void Reset(HIMAGELIST himl = nullptr)
    {
        if (m_himl != nullptr)
            ::ImageList_Destroy(m_himl);
        m_himl = himl;
    }
    HIMAGELIST Get() const { return m_himl; }
    operator HIMAGELIST() const { return m_himl; }
    int GetImageCount() const { return m_himl ? ::ImageList_GetImageCount(m_himl) : 0; }

private:
    HIMAGELIST m_himl = nullptr;
};

} // namespace fw
