#pragma once

#include "controls/LinkStatic.h"
#include "framework/Dialog.h"

// The modal "About Tarnwick" box: icon, product and version, two lines of text and the
// program's web address as a hyperlink that opens in the user's browser.
class CAboutDlg : public fw::CDialog {
public:
    // The program's page: the text shown and the address opened.
    static constexpr const char* kAddress = "www.tarnwick.test";

    // `open` is called with the address on a thread of its own; a slow or failing shell
    // then never holds up the box.
    explicit CAboutDlg(HWND owner, bool (*open)(const char*) = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnLinkClicked();

    bool (*m_pfnOpen)(const char*);
    CLinkStatic m_linkWeb;
};
