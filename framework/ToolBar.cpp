#include "framework/ToolBar.h"

#include "framework/FrameWnd.h"

#include <windowsx.h>

#include <vector>

namespace fw {

bool CToolBar::Create(HWND parent, UINT id, DWORD controlStyle)
{
    DWORD style = WS_CHILD | WS_VISIBLE | CCS_TOP | CCS_NODIVIDER | CCS_NORESIZE |
                  TBSTYLE_TOOLTIPS | controlStyle;
    RECT rc = {0, 0, 0, 0};
    if (!CreateEx(0, TOOLBARCLASSNAMEA, "", style, rc, parent, id))
        return false;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return true;
}

bool CToolBar::LoadToolBar(UINT resourceId)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HRSRC res = ::FindResourceA(instance, MAKEINTRESOURCEA(resourceId),
                                MAKEINTRESOURCEA(RT_TOOLBAR_LAYOUT));
    if (res == nullptr)
        return false;
    HGLOBAL data = ::LoadResource(instance, res);
    const auto* words = static_cast<const WORD*>(::LockResource(data));
    DWORD bytes = ::SizeofResource(instance, res);
    if (words == nullptr || bytes < 4 * sizeof(WORD) || words[0] != 1)
        return false;
    WORD count = words[3];
    if (bytes < (4u + count) * sizeof(WORD))
        return false;

    std::vector<TBBUTTON> buttons(count);
    int image = 0;
    for (WORD i = 0; i < count; ++i) {
        TBBUTTON& b = buttons[i];
        b = TBBUTTON{};
        b.idCommand = words[4 + i];
        if (b.idCommand == 0) {
            b.fsStyle = BTNS_SEP;
        } else {
            b.iBitmap = image++;
            b.fsStyle = BTNS_BUTTON;
            b.fsState = TBSTATE_ENABLED;
        }
    }
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(words[1], words[2]));
    return SendMessage(TB_ADDBUTTONSA, count, reinterpret_cast<LPARAM>(buttons.data())) != FALSE;
}

int CToolBar::GetButtonCount() const
{
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

LRESULT CToolBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEMOVE: {
        // The control's own hot tracking skips disabled buttons, so the prompts follow
        // the pointer here.
        POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        int index = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&point)));
        TBBUTTON button = {};
        if (index < 0 || !SendMessage(TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button)))
            button.idCommand = 0;
        ShowPrompt(static_cast<UINT>(button.idCommand));
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&track);
        break;
    }
    case WM_MOUSELEAVE:
        ShowPrompt(0);
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

void CToolBar::ShowPrompt(UINT command)
{
    auto* frame = dynamic_cast<CFrameWnd*>(FromHandle(GetParent()));
    if (command == m_nFlyByCommand || frame == nullptr)
        return;
    m_nFlyByCommand = command;
    frame->SetMessageText(command != 0 ? command : static_cast<UINT>(AFX_IDS_IDLEMESSAGE));
}

} // namespace fw
