#include "framework/StatusBar.h"

#include "framework/Dpi.h"
#include "framework/Gdi.h"

namespace fw {

namespace {
// Horizontal room around a pane's text, and the width of the size grip, in pixels at 96 DPI.
constexpr int kPanePadding = 6;
constexpr int kGripWidth = 16;
} // namespace

bool CStatusBar::Create(HWND parent, DWORD style, UINT id)
{
    RECT rc = {0, 0, 0, 0};
    return CreateEx(0, STATUSCLASSNAMEA, "", style, rc, parent, id);
}

bool CStatusBar::SetIndicators(const UINT* ids, int count)
{
    bool ok = true;
    m_panes.assign(static_cast<std::size_t>(count), Pane{});
    for (int i = 0; i < count; ++i) {
        Pane& pane = m_panes[static_cast<std::size_t>(i)];
        pane.id = ids[i];
        if (pane.id == 0)
            continue;
        char text[256] = {};
        if (::LoadStringA(::GetModuleHandleA(nullptr), pane.id, text, sizeof(text)) <= 0) {
            ok = false;
            continue;
        }
        pane.text = text;
    }
    MeasurePanes();
    UpdateLayout();
    return ok;
}

void CStatusBar::SetDpi(UINT dpi)
{
    m_nDpi = dpi;
    MeasurePanes();
    UpdateLayout();
}

void CStatusBar::MeasurePanes()
{
    CClientDC dc(m_hWnd);
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    CSelectObject selectFont(dc, font ? static_cast<HGDIOBJ>(font)
                                      : ::GetStockObject(DEFAULT_GUI_FONT));
    for (Pane& pane : m_panes) {
        // A pane is as wide as its indicator string; a separator, or a pane whose string is
        // missing, keeps its width.
        char text[256] = {};
        const int length =
            pane.id != 0 ? ::LoadStringA(::GetModuleHandleA(nullptr), pane.id, text, sizeof(text))
                         : 0;
        if (length <= 0)
            continue;
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, text, length, &size);
        pane.width = size.cx + ScaleForDpi(kPanePadding, m_nDpi);
    }
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    const Pane& pane = m_panes.at(static_cast<std::size_t>(index));
    id = pane.id;
    style = pane.style;
    width = pane.width;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    Pane& pane = m_panes.at(static_cast<std::size_t>(index));
    pane.id = id;
    pane.style = style;
    pane.width = width;
    UpdateLayout();
}

UINT CStatusBar::GetPaneStyle(int index) const
{
    return m_panes.at(static_cast<std::size_t>(index)).style;
}

std::string CStatusBar::GetPaneText(int index) const
{
    return m_panes.at(static_cast<std::size_t>(index)).text;
}

bool CStatusBar::SetPaneText(int index, const char* text)
{
    if (index < 0 || index >= GetCount())
        return false;
    Pane& pane = m_panes[static_cast<std::size_t>(index)];
    if (pane.text == text)
        return true;
    pane.text = text;
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(index) | (pane.style & 0xFF00),
                reinterpret_cast<LPARAM>(text));
    RECT rc;
    if (GetItemRect(index, rc))
        ::InvalidateRect(m_hWnd, &rc, FALSE);
    return true;
}

bool CStatusBar::GetItemRect(int index, RECT& rc) const
{
    return SendMessage(SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rc)) !=
           FALSE;
}

void CStatusBar::UpdateLayout()
{
    if (m_hWnd == nullptr || m_panes.empty())
        return;
    RECT client = GetClientRect();
    int fixed = 0;
    for (const Pane& pane : m_panes)
        if ((pane.style & SBPS_STRETCH) == 0)
            fixed += pane.width;
    int grip = (::GetWindowLongA(m_hWnd, GWL_STYLE) & SBARS_SIZEGRIP)
                   ? ScaleForDpi(kGripWidth, m_nDpi)
                   : 0;
    int stretch = client.right - fixed - grip;

    std::vector<int> edges;
    int x = 0;
    for (const Pane& pane : m_panes) {
        x += (pane.style & SBPS_STRETCH) ? (stretch > 0 ? stretch : 0) : pane.width;
        edges.push_back(x);
    }
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (std::size_t i = 0; i < m_panes.size(); ++i)
        SendMessage(SB_SETTEXTA, i | (m_panes[i].style & 0xFF00),
                    reinterpret_cast<LPARAM>(m_panes[i].text.c_str()));
}

LRESULT CStatusBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SIZE) {
        LRESULT result = CWnd::WindowProc(msg, wParam, lParam);
        UpdateLayout();
        return result;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

} // namespace fw
