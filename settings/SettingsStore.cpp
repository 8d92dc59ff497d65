#include "SettingsStore.h"

#include <algorithm>
#include <cstdio>

namespace {
const char kColors[] = "Colors";
const char kAttributes[] = "Attributes";
// A stored number beyond what an int holds counts as the largest (or smallest) int.
constexpr long long kSaturated = 2147483647;
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
    s.crBackColor = ReadColor("BackColor", defaults.crBackColor);
    s.crSystemColor = ReadColor("SystemColor", defaults.crSystemColor);
    s.crCustomColor = ReadColor("CustomColor", defaults.crCustomColor);
    s.crSelectColor = ReadColor("SelectColor", defaults.crSelectColor);
    s.crStatisticsColor = ReadColor("StatisticsColor", defaults.crStatisticsColor);
    s.nGridLines = ReadInt(kAttributes, "GridLines", defaults.nGridLines);
    s.nUpdateInterval = ReadInt(kAttributes, "UpdateInterval", defaults.nUpdateInterval);
    s.nMenuStyle = ReadInt(kAttributes, "MenuStyle", defaults.nMenuStyle);
    s.nOnTop = ReadInt(kAttributes, "OnTop", defaults.nOnTop);
    s.nIPv6 = ReadInt(kAttributes, "IPv6", defaults.nIPv6);
    s.nProcess = ReadInt(kAttributes, "Process", defaults.nProcess);
    s.crNewColor = ReadColor("NewColor", defaults.crNewColor);
    s.crRemovedColor = ReadColor("RemovedColor", defaults.crRemovedColor);
    s.nHighlight = ReadInt(kAttributes, "Highlight", defaults.nHighlight);
    s.nLogChanges = ReadInt(kAttributes, "LogChanges", defaults.nLogChanges);
    // The 8-bit profile calls pass the UTF-8 bytes through the code page and back unchanged.
    char path[MAX_PATH * 4] = {};
    ::GetPrivateProfileStringA(kAttributes, "LogFile", "", path, sizeof(path),
                               m_strFileName.c_str());
    s.strLogFile = path;
    return s;
}

void CSettingsStore::StoreDialogKeys(const CSettings& s) const
{
    WriteInt(kColors, "BackColor", static_cast<int>(s.crBackColor));
    WriteInt(kColors, "CustomColor", static_cast<int>(s.crCustomColor));
    WriteInt(kColors, "SystemColor", static_cast<int>(s.crSystemColor));
    WriteInt(kColors, "StatisticsColor", static_cast<int>(s.crStatisticsColor));
    WriteInt(kColors, "SelectColor", static_cast<int>(s.crSelectColor));
    WriteInt(kColors, "NewColor", static_cast<int>(s.crNewColor));
    WriteInt(kColors, "RemovedColor", static_cast<int>(s.crRemovedColor));
    WriteInt(kAttributes, "GridLines", s.nGridLines);
    WriteInt(kAttributes, "OnTop", s.nOnTop);
    WriteInt(kAttributes, "UpdateInterval", s.nUpdateInterval);
}

void CSettingsStore::StoreMenuStyle(bool xpStyle) const
{
    WriteInt(kAttributes, "MenuStyle", xpStyle ? 1 : 0);
}

void CSettingsStore::StoreIPv6(bool on) const
{
    WriteInt(kAttributes, "IPv6", on ? 1 : 0);
}

void CSettingsStore::StoreProcess(bool on) const
{
    WriteInt(kAttributes, "Process", on ? 1 : 0);
}

void CSettingsStore::StoreHighlight(bool on) const
{
    WriteInt(kAttributes, "Highlight", on ? 1 : 0);
}

void CSettingsStore::StoreLog(bool on, const std::string& path) const
{
    WriteInt(kAttributes, "LogChanges", on ? 1 : 0);
    ::WritePrivateProfileStringA(kAttributes, "LogFile", path.c_str(), m_strFileName.c_str());
}

int CSettingsStore::IntervalMilliseconds(int storedSeconds)
{
    if (storedSeconds <= 0)
        storedSeconds = 2;
    if (storedSeconds > kMaxIntervalSeconds)
        storedSeconds = kMaxIntervalSeconds;
    return storedSeconds * 1000;
}
