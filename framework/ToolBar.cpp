#include "ToolBar.h"

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

} // namespace fw
