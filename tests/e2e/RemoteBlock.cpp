#include "tests/e2e/RemoteBlock.h"

CRemoteBlock::CRemoteBlock(HWND hwndOwner, SIZE_T cbSize)
{
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hwndOwner, &dwProcessId);
    m_hProcess =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, dwProcessId);
    if (m_hProcess != nullptr) {
        m_pBlock =
            VirtualAllocEx(m_hProcess, nullptr, cbSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
}

CRemoteBlock::~CRemoteBlock()
{
    if (m_pBlock != nullptr) {
        VirtualFreeEx(m_hProcess, m_pBlock, 0, MEM_RELEASE);
    }
    if (m_hProcess != nullptr) {
        CloseHandle(m_hProcess);
    }
}

bool CRemoteBlock::Write(SIZE_T offset, const void* pData, SIZE_T cbData)
{
    SIZE_T cbDone = 0;
    return WriteProcessMemory(m_hProcess, At(offset), pData, cbData, &cbDone) && cbDone == cbData;
}

bool CRemoteBlock::Read(SIZE_T offset, void* pData, SIZE_T cbData) const
{
    SIZE_T cbDone = 0;
    return ReadProcessMemory(m_hProcess, At(offset), pData, cbData, &cbDone) && cbDone == cbData;
}
