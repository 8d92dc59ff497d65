#include "framework/Clipboard.h"

#include "framework/GlobalMemory.h"

#include <cstring>

namespace fw {

bool CClipboard::SetText(const std::string& text)
{
    if (!m_bOpen)
        return false;
    // The block is filled before the clipboard is emptied: a failure leaves the old content.
    CGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1));
    if (memory.Get() == nullptr)
        return false;
    {
        CGlobalLock lock(memory.Get());
        if (lock.Get() == nullptr)
            return false;
        std::memcpy(lock.Get(), text.c_str(), text.size() + 1);
    }
    if (!::EmptyClipboard() || ::SetClipboardData(CF_TEXT, memory.Get()) == nullptr)
        return false;
    memory.Detach();
    return true;
}

} // namespace fw
