#pragma once

#include "Dialog.h"
#include "LinkStatic.h"
#include "SettingsStore.h"

// The modal "Settings" dialog: seven colour swatches, the auto-update interval, grid lines
// and on-top. It reads the settings file when it opens and writes it on OK; the file is
// all it hands back to the main window.
class CSettingsDlg : public fw::CDialog {
public:
    CSettingsDlg(const CSettingsStore& store, HWND owner);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // Puts the defaults into the controls; writes nothing.
    void OnDefault();
    // Lets the user pick a new colour for `swatch` in the system's colour chooser.
    void OnSwatchClicked(CLinkStatic& swatch);
    void SetCheck(int id, int state) const;
    int GetCheck(int id) const;

    const CSettingsStore& m_store;
    CLinkStatic m_swSelectColor;
    CLinkStatic m_swBackColor;
    CLinkStatic m_swStatisticsColor;
    CLinkStatic m_swSystemColor;
    CLinkStatic m_swCustomColor;
    CLinkStatic m_swNewColor;
    CLinkStatic m_swRemovedColor;
};
