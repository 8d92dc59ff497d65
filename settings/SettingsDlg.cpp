#include "settings/SettingsDlg.h"

#include "framework/ColorDialog.h"
#include "res/resource.h"

namespace {

// The interval choices in list order, in seconds; there are no 4 or 6 second choices.
const int kIntervals[] = {1, 2, 3, 5, 7};
const int kIntervalCount = sizeof(kIntervals) / sizeof(kIntervals[0]);
// "3 sec": shown for a stored interval that is no choice, and put back by Default.
const int kFallbackIndex = 2;
// What OK writes when the list has no selection.
const int kNoSelectionSeconds = 2;

} // namespace

const CSettingsDlg::CSwatch CSettingsDlg::kSwatches[kSwatchCount] = {
    {IDC_BACK_COLOR, &CSettings::crBackColor, IDC_BACK_LABEL},
    {IDC_CUSTOM_COLOR, &CSettings::crCustomColor, IDC_CUSTOM_LABEL},
    {IDC_SYSTEM_COLOR, &CSettings::crSystemColor, IDC_SYSTEM_LABEL},
    {IDC_STATISTICS_COLOR, &CSettings::crStatisticsColor, IDC_STATISTICS_LABEL},
    {IDC_SELECT_COLOR, &CSettings::crSelectColor, IDC_SELECT_LABEL},
    {IDC_NEW_COLOR, &CSettings::crNewColor, IDC_NEW_LABEL},
    {IDC_REMOVED_COLOR, &CSettings::crRemovedColor, IDC_REMOVED_LABEL},
};

CSettingsDlg::CSettingsDlg(const CSettingsStore& store, HWND owner)
    : CDialog(IDD_SETTINGS, owner), m_store(store)
{}

void CSettingsDlg::SetCheck(int id, bool checked) const
{
    ::SendDlgItemMessageA(m_hWnd, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CSettingsDlg::GetCheck(int id) const
{
    return ::SendDlgItemMessageA(m_hWnd, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CSettingsDlg::ShowColors(const CSettings& settings)
{
    for (std::size_t i = 0; i < kSwatchCount; ++i)
        m_swatches[i].SetColor(settings.*kSwatches[i].pColor);
}

bool CSettingsDlg::OnInitDialog()
{
    for (std::size_t i = 0; i < kSwatchCount; ++i)
        m_swatches[i].SubclassWindow(GetDlgItem(kSwatches[i].nId));

    HICON icon =
        static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETTINGS),
                                        IMAGE_ICON, 16, 16, LR_SHARED));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    const CSettings settings = m_store.Load();
    HWND interval = GetDlgItem(IDC_INTERVAL);
    int selection = kFallbackIndex;
    for (int index = 0; index < kIntervalCount; ++index) {
        std::string text = std::to_string(kIntervals[index]) + " sec";
        ::SendMessageA(interval, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (settings.interval.bAsStored && kIntervals[index] == settings.interval.nSeconds)
            selection = index;
    }
    ::SendMessageA(interval, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);

    ShowColors(settings);
    SetCheck(IDC_GRID_LINES, settings.bGridLines);
    SetCheck(IDC_ON_TOP, settings.bOnTop);
    return true;
}

bool CSettingsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A static with SS_NOTIFY reports a click with STN_CLICKED, the code of BN_CLICKED.
    if (HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDC_DEFAULT) {
            OnDefault();
            return true;
        }
        for (std::size_t i = 0; i < kSwatchCount; ++i) {
            if (LOWORD(wParam) == kSwatches[i].nId) {
                OnSwatchClicked(m_swatches[i]);
                return true;
            }
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
    ShowColors(defaults);
    SetCheck(IDC_GRID_LINES, defaults.bGridLines);
    SetCheck(IDC_ON_TOP, defaults.bOnTop);
    // Not the file's default of 2 seconds.
    ::SendDlgItemMessageA(m_hWnd, IDC_INTERVAL, CB_SETCURSEL, kFallbackIndex, 0);
}

void CSettingsDlg::OnOK()
{
    CSettings settings;
    for (std::size_t i = 0; i < kSwatchCount; ++i)
        settings.*kSwatches[i].pColor = m_swatches[i].GetColor();
    settings.bGridLines = GetCheck(IDC_GRID_LINES);
    settings.bOnTop = GetCheck(IDC_ON_TOP);
    auto index = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_INTERVAL, CB_GETCURSEL, 0, 0));
    settings.interval.nSeconds =
        index >= 0 && index < kIntervalCount ? kIntervals[index] : kNoSelectionSeconds;
    m_store.StoreDialogKeys(settings);
    CDialog::OnOK();
}
