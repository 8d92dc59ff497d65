#pragma once

#include "controls/LinkStatic.h"
#include "framework/Dialog.h"
#include "settings/SettingsStore.h"

#include <cstddef>

// The modal "Settings" dialog: seven colour swatches, the auto-update interval, grid lines
// and on-top. It reads the settings file when it opens and writes it on OK; the file is
// all it hands back to the main window.
class CSettingsDlg : public fw::CDialog {
public:
    // One colour of the dialog: the swatch that shows it, the setting it holds and the label
    // that names it.
    struct CSwatch {
        int nId;
        COLORREF CSettings::*pColor;
        int nLabelId;
    };
    static constexpr std::size_t kSwatchCount = 7;
    // In the order of the settings file's keys.
    static const CSwatch kSwatches[kSwatchCount];

    CSettingsDlg(const CSettingsStore& store, HWND owner);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // The swatches show the colours of `settings`.
    void ShowColors(const CSettings& settings);
    // Puts the defaults into the controls; writes nothing.
    void OnDefault();
    // Lets the user pick a new colour for `swatch` in the system's colour chooser.
    void OnSwatchClicked(CLinkStatic& swatch);
    void SetCheck(int id, bool checked) const;
    bool GetCheck(int id) const;

    const CSettingsStore& m_store;
    // By kSwatches.
    CLinkStatic m_swatches[kSwatchCount];
};
