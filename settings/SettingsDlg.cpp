#include "SettingsDlg.h"

#include "ColorDialog.h"
#include "resource.h"

namespace {

// The interval choices in list order, in seconds; there are no 4 or 6 second choices.
const int kIntervals[] = {1, 2, 3, 5, 7};
const int kIntervalCount = sizeof(kIntervals) / sizeof(kIntervals[0]);
// "3 sec": shown for a stored interval that is no choice, and put back by Default.
const int kFallbackIndex = 2;
// What OK writes when the list has no selection.
const int kNoSelectionSeconds = 2;

} // namespace

CSettingsDlg::CSettingsDlg(const CSettingsStore& store, HWND owner)
    : CDialog(IDD_SETTINGS, owner), m_store(store)
{}

void CSettingsDlg::SetCheck(int id, int state) const
{
    ::SendDlgItemMessageA(m_hWnd, id, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

int CSettingsDlg::GetCheck(int id) const
{
    return static_cast<int>(::SendDlgItemMessageA(m_hWnd, id, BM_GETCHECK, 0, 0));
}

BOOL CSettingsDlg::OnInitDialog()
{
    m_swSelectColor.SubclassWindow(GetDlgItem(IDC_SELECT_COLOR));
    m_swBackColor.SubclassWindow(GetDlgItem(IDC_BACK_COLOR));
    m_swStatisticsColor.SubclassWindow(GetDlgItem(IDC_STATISTICS_COLOR));
    m_swSystemColor.SubclassWindow(GetDlgItem(IDC_SYSTEM_COLOR));
    m_swCustomColor.SubclassWindow(GetDlgItem(IDC_CUSTOM_COLOR));
    m_swNewColor.SubclassWindow(GetDlgItem(IDC_NEW_COLOR));
    m_swRemovedColor.SubclassWindow(GetDlgItem(IDC_REMOVED_COLOR));

    HICON icon =
        static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETTINGS),
                                        IMAGE_ICON, 16, 16, LR_SHARED));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    CSettings settings = m_store.Load();
    HWND interval = GetDlgItem(IDC_INTERVAL);
    int selection = kFallbackIndex;
    for (int index = 0; index < kIntervalCount; ++index) {
        std::string text = std::to_string(kIntervals[index]) + " sec";
        ::SendMessageA(interval, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (kIntervals[index] == settings.nUpdateInterval)
            selection = index;
    }
    ::SendMessageA(interval, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);

    m_swBackColor.SetColor(settings.crBackColor);
    m_swCustomColor.SetColor(settings.crCustomColor);
    m_swSystemColor.SetColor(settings.crSystemColor);
    m_swStatisticsColor.SetColor(settings.crStatisticsColor);
    m_swSelectColor.SetColor(settings.crSelectColor);
    m_swNewColor.SetColor(settings.crNewColor);
    m_swRemovedColor.SetColor(settings.crRemovedColor);
    SetCheck(IDC_GRID_LINES, settings.nGridLines);
    SetCheck(IDC_ON_TOP, settings.nOnTop);
    return TRUE;
}

bool CSettingsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A static with SS_NOTIFY reports a click with STN_CLICKED, the code of BN_CLICKED.
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_BACK_COLOR:
            OnSwatchClicked(m_swBackColor);
            return true;
        case IDC_SELECT_COLOR:
            OnSwatchClicked(m_swSelectColor);
            return true;
        case IDC_SYSTEM_COLOR:
            OnSwatchClicked(m_swSystemColor);
            return true;
        case IDC_CUSTOM_COLOR:
            OnSwatchClicked(m_swCustomColor);
            return true;
        case IDC_STATISTICS_COLOR:
            OnSwatchClicked(m_swStatisticsColor);
            return true;
        case IDC_NEW_COLOR:
            OnSwatchClicked(m_swNewColor);
            return true;
        case IDC_REMOVED_COLOR:
            OnSwatchClicked(m_swRemovedColor);
            return true;
        case IDC_DEFAULT:
            OnDefault();
            return true;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CSettingsDlg::OnSwatchClicked(CLinkStatic& swatch)
{
    // The chooser starts at black, not at the swatch's colour.
    fw::CColorDialog chooser(RGB(0, 0, 0), 0, m_hWnd);
    if (chooser.DoModal() == IDOK)
        swatch.SetColor(chooser.GetColor());
}

void CSettingsDlg::OnDefault()
{
    const CSettings defaults;
    m_swBackColor.SetColor(defaults.crBackColor);
    m_swSelectColor.SetColor(defaults.crSelectColor);
    m_swSystemColor.SetColor(defaults.crSystemColor);
    m_swCustomColor.SetColor(defaults.crCustomColor);
    m_swStatisticsColor.SetColor(defaults.crStatisticsColor);
    m_swNewColor.SetColor(defaults.crNewColor);
    m_swRemovedColor.SetColor(defaults.crRemovedColor);
    SetCheck(IDC_GRID_LINES, BST_CHECKED);
    SetCheck(IDC_ON_TOP, BST_UNCHECKED);
    // Not the file's default of 2 seconds.
    ::SendDlgItemMessageA(m_hWnd, IDC_INTERVAL, CB_SETCURSEL, kFallbackIndex, 0);
}

void CSettingsDlg::OnOK()
{
    CSettings settings;
    settings.crBackColor = m_swBackColor.GetColor();
    settings.crCustomColor = m_swCustomColor.GetColor();
    settings.crSystemColor = m_swSystemColor.GetColor();
    settings.crStatisticsColor = m_swStatisticsColor.GetColor();
    settings.crSelectColor = m_swSelectColor.GetColor();
    settings.crNewColor = m_swNewColor.GetColor();
    settings.crRemovedColor = m_swRemovedColor.GetColor();
    settings.nGridLines = GetCheck(IDC_GRID_LINES);
    settings.nOnTop = GetCheck(IDC_ON_TOP);
    auto index = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_INTERVAL, CB_GETCURSEL, 0, 0));
    settings.nUpdateInterval =
        index >= 0 && index < kIntervalCount ? kIntervals[index] : kNoSelectionSeconds;
    m_store.StoreDialogKeys(settings);
    CDialog::OnOK();
}
