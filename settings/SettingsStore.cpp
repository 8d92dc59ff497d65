#include "settings/SettingsStore.h"

#include <algorithm>
#include <cstdio>

namespace {
const char kColors[] = "Colors";
const char kAttributes[] = "Attributes";
// A stored number beyond what an int holds counts as the largest (or smallest) int.
constexpr long long kSaturated = 2147483647;

// The keys of "Colors", in the order the Settings dialog's OK writes them.
const struct CColorKey {
    const char* pszKey;
    COLORREF CSettings::*pColor;
} kColorKeys[] = {
    {"BackColor", &CSettings::crBackColor},
    {"CustomColor", &CSettings::crCustomColor},
    {"SystemColor", &CSettings::crSystemColor},
    {"StatisticsColor", &CSettings::crStatisticsColor},
    {"SelectColor", &CSettings::crSelectColor},
    {"NewColor", &CSettings::crNewColor},
    {"RemovedColor", &CSettings::crRemovedColor},
};
} // namespace

CSettingsStore::CSettingsStore(std::string fileName) : m_strFileName(std::move(fileName)) {}

int CSettingsStore::ReadInt(const char* section, const char* key, int defaultValue) const
{
    // Read as text: the profile reader's own number gives 0 for text that is no number
    // ("green") and wraps numbers that do not fit ("4294967297" is 1).
    char text[32] = {};
    ::GetPrivateProfileStringA(section, key, "", text, sizeof(text), m_strFileName.c_str());
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return defaultValue;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = std::min(value * 10 + (*p - '0'), kSaturated);
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p != '\0')
        return defaultValue;
    return static_cast<int>(negative ? -value : value);
}

void CSettingsStore::WriteInt(const char* section, const char* key, int value) const
{
    char text[16];
    std::snprintf(text, sizeof(text), "%i", value);
    ::WritePrivateProfileStringA(section, key, text, m_strFileName.c_str());
}

bool CSettingsStore::ReadNonZero(const char* key, bool defaultValue) const
{
    return ReadInt(kAttributes, key, defaultValue ? 1 : 0) != 0;
}

bool CSettingsStore::ReadOne(const char* key, bool defaultValue) const
{
    return ReadInt(kAttributes, key, defaultValue ? 1 : 0) == 1;
}

CUpdateInterval CSettingsStore::ReadInterval(int defaultSeconds) const
{
    const int stored = ReadInt(kAttributes, "UpdateInterval", defaultSeconds);
    if (stored <= 0)
        return {defaultSeconds, false};
    if (stored > kMaxIntervalSeconds)
        return {kMaxIntervalSeconds, false};
    return {stored, true};
}

COLORREF CSettingsStore::ReadColor(const char* key, COLORREF defaultValue) const
{
    // Above 0x00FFFFFF a COLORREF is no colour: -1 means "none" to a list control, and
    // a set high byte selects a palette entry. Text that is no number gives the default too.
    int value = ReadInt(kColors, key, static_cast<int>(defaultValue));
    return value >= 0 && value <= 0x00FFFFFF ? static_cast<COLORREF>(value) : defaultValue;
}

CSettings CSettingsStore::Load() const
{
    const CSettings defaults;
    CSettings s;
    for (const CColorKey& color : kColorKeys)
        s.*color.pColor = ReadColor(color.pszKey, defaults.*color.pColor);
    s.bGridLines = ReadNonZero("GridLines", defaults.bGridLines);
    s.interval = ReadInterval(defaults.interval.nSeconds);
    s.bXpMenu = ReadOne("MenuStyle", defaults.bXpMenu);
    s.bOnTop = ReadNonZero("OnTop", defaults.bOnTop);
    s.bIPv6 = ReadOne("IPv6", defaults.bIPv6);
    s.bProcess = ReadOne("Process", defaults.bProcess);
    s.bHighlight = ReadOne("Highlight", defaults.bHighlight);
    s.bLogChanges = ReadOne("LogChanges", defaults.bLogChanges);
    // The 8-bit profile calls pass the UTF-8 bytes through the code page and back unchanged.
    char path[MAX_PATH * 4] = {};
    ::GetPrivateProfileStringA(kAttributes, "LogFile", "", path, sizeof(path),
                               m_strFileName.c_str());
    s.strLogFile = path;
    return s;
}

void CSettingsStore::StoreDialogKeys(const CSettings& s) const
{
    for (const CColorKey& color : kColorKeys)
        WriteInt(kColors, color.pszKey, static_cast<int>(s.*color.pColor));
    WriteSwitch("GridLines", s.bGridLines);
    WriteSwitch("OnTop", s.bOnTop);
    WriteInt(kAttributes, "UpdateInterval", s.interval.nSeconds);
}

void CSettingsStore::WriteSwitch(const char* key, bool on) const
{
    WriteInt(kAttributes, key, on ? 1 : 0);
}

void CSettingsStore::StoreMenuStyle(bool xpStyle) const
{
    WriteSwitch("MenuStyle", xpStyle);
}

void CSettingsStore::StoreIPv6(bool on) const
{
    WriteSwitch("IPv6", on);
}

void CSettingsStore::StoreProcess(bool on) const
{
    WriteSwitch("Process", on);
}

void CSettingsStore::StoreHighlight(bool on) const
{
    WriteSwitch("Highlight", on);
}

void CSettingsStore::StoreLog(bool on, const std::string& path) const
{
    WriteSwitch("LogChanges", on);
    ::WritePrivateProfileStringA(kAttributes, "LogFile", path.c_str(), m_strFileName.c_str());
}
