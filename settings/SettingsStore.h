#pragma once

#include <windows.h>

#include <string>

// The values kept in the settings file, as stored (the interval in seconds).
struct CSettings {
    COLORREF crBackColor = RGB(200, 200, 205);
    COLORREF crSystemColor = RGB(220, 255, 220);
    COLORREF crCustomColor = RGB(255, 255, 220);
    COLORREF crSelectColor = RGB(200, 200, 255);
    COLORREF crStatisticsColor = RGB(200, 230, 255);
    COLORREF crNewColor = RGB(120, 220, 120);
    COLORREF crRemovedColor = RGB(240, 120, 120);
    int nGridLines = 1;
    int nUpdateInterval = 2;
    int nMenuStyle = 1;
    int nOnTop = 0;
    int nIPv6 = 0;
    int nProcess = 0;
    int nHighlight = 0;
    int nLogChanges = 0;
    // The change log's path, in UTF-8.
    std::string strLogFile;
};

// The private INI file that holds the settings. Every read and write goes to the file
// itself; nothing is cached.
class CSettingsStore {
public:
    static constexpr const char* kDefaultFileName = "Tarnwick.ini";
    // The longest auto-update period accepted from the file: one day.
    static constexpr int kMaxIntervalSeconds = 24 * 60 * 60;

    // A bare file name is placed by the system (the Windows directory).
    explicit CSettingsStore(std::string fileName = kDefaultFileName);

    const std::string& GetFileName() const { return m_strFileName; }

    // All sixteen keys; missing ones, values that are no whole number, and colours out of range
    // give their defaults.
    CSettings Load() const;
    // The ten keys the Settings dialog owns (the colours, grid lines, on-top and interval).
    void StoreDialogKeys(const CSettings& settings) const;
    void StoreMenuStyle(bool xpStyle) const;
    // "IPv6": 1 shows the IPv6 endpoints; any other value means off.
    void StoreIPv6(bool on) const;
    // "Process": 1 shows the program that owns each endpoint; any other value means off.
    void StoreProcess(bool on) const;
    // "Highlight": 1 colours the endpoints that appear and go; any other value means off.
    void StoreHighlight(bool on) const;
    // "LogChanges" (1 while logging) and "LogFile", the log's path in UTF-8.
    void StoreLog(bool on, const std::string& path) const;

    // The auto-update period in milliseconds for a stored "UpdateInterval": 0 or less
    // (or no number at all) gives 2 seconds, more than a day (however much) gives a day.
    static int IntervalMilliseconds(int storedSeconds);

private:
    // A whole decimal number, blanks around it allowed; saturates at the int range.
    int ReadInt(const char* section, const char* key, int defaultValue) const;
    // A key of "Colors"; what is no colour gives the default.
    COLORREF ReadColor(const char* key, COLORREF defaultValue) const;
    void WriteInt(const char* section, const char* key, int value) const;

    std::string m_strFileName;
};
