#pragma once

#include <windows.h>

#include <string>

// The auto-update period the settings file asks for.
struct CUpdateInterval {
    // Seconds, 1 to a day: a stored number that is not positive gives 2, more than a day (however
    // much) a day.
    int nSeconds = 2;
    // The file holds exactly this number (or nothing, for the default): the Settings dialog shows
    // only such a number as its choice.
    bool bAsStored = true;

    int Milliseconds() const { return nSeconds * 1000; }
};

// The values kept in the settings file, as they mean: what the file holds is interpreted once,
// on reading.
struct CSettings {
    COLORREF crBackColor = RGB(200, 200, 205);
    COLORREF crSystemColor = RGB(220, 255, 220);
    COLORREF crCustomColor = RGB(255, 255, 220);
    COLORREF crSelectColor = RGB(200, 200, 255);
    COLORREF crStatisticsColor = RGB(200, 230, 255);
    COLORREF crNewColor = RGB(120, 220, 120);
    COLORREF crRemovedColor = RGB(240, 120, 120);
    // "GridLines" and "OnTop": any number but 0 is on.
    bool bGridLines = true;
    bool bOnTop = false;
    CUpdateInterval interval;
    // "MenuStyle": 1 is the XP look; 0, and any other number, the classic one.
    bool bXpMenu = true;
    // "IPv6", "Process", "Highlight" and "LogChanges": 1 is on; any other number means off.
    bool bIPv6 = false;
    bool bProcess = false;
    bool bHighlight = false;
    bool bLogChanges = false;
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
    void StoreIPv6(bool on) const;
    void StoreProcess(bool on) const;
    void StoreHighlight(bool on) const;
    // "LogChanges" (1 while logging) and "LogFile", the log's path in UTF-8.
    void StoreLog(bool on, const std::string& path) const;

private:
    // A whole decimal number, blanks around it allowed; saturates at the int range.
    int ReadInt(const char* section, const char* key, int defaultValue) const;
    // A key of "Attributes" that is on for any number but 0, or for 1 only.
    bool ReadNonZero(const char* key, bool defaultValue) const;
    bool ReadOne(const char* key, bool defaultValue) const;
    CUpdateInterval ReadInterval(int defaultSeconds) const;
    // A key of "Colors"; what is no colour gives the default.
    COLORREF ReadColor(const char* key, COLORREF defaultValue) const;
    void WriteInt(const char* section, const char* key, int value) const;
    void WriteSwitch(const char* key, bool on) const;

    std::string m_strFileName;
};
