#pragma once

#include "NameLookup.h"
#include "UdpTable.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// Dispatches the thread's messages for `ms` milliseconds.
void PumpMessages(DWORD ms);
// Dispatches messages until `done` holds or `ms` milliseconds have passed.
bool PumpUntil(const std::function<bool()>& done, DWORD ms);

// A UDP table of fixed rows (address and port in host order), counting its reads.
class CFakeUdpTable : public tarnwick::IUdpTable {
public:
    struct Row {
        std::uint32_t address;
        std::uint16_t port;
    };
    std::vector<Row> rows;
    bool failTable = false;
    tarnwick::UdpStats stats = {1, 2, 3, 4, 5};
    int tableReads = 0;

    std::uint32_t ReadTable(void* buffer, std::uint32_t& size) override;
    bool ReadStatistics(tarnwick::UdpStats& out) override;
};

// Look-ups answered from fixed names, optionally blocking until released.
class CFakeNameLookup : public tarnwick::INameLookup {
public:
    std::string hostName = "TESTHOST";
    std::atomic<bool> block{false};
    std::atomic<int> lookups{0};

    bool LookupHost(std::uint32_t addressNetworkOrder, std::string& name) override;
    bool LocalHostName(std::string& name) override;
    bool LookupService(std::uint16_t portNetworkOrder, std::string& name) override;
    void Release() { block = false; }

private:
    void WaitWhileBlocked();
};

// A 24-bit top-down DIB section with direct access to its pixels.
class CDibSection {
public:
    CDibSection(int width, int height);
    ~CDibSection();
    CDibSection(const CDibSection&) = delete;
    CDibSection& operator=(const CDibSection&) = delete;

    HBITMAP Get() const { return m_bitmap; }
    // Copies the top-left part of `bitmap` (a DDB or DIB) over the whole section.
    void CopyFrom(HBITMAP bitmap);
    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);

private:
    HBITMAP m_bitmap = nullptr;
    unsigned char* m_bits = nullptr;
    int m_width;
    int m_height;
    int m_stride;
};
