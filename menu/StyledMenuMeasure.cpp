// Item sizes, and the padding that lines up the shortcuts of a popup.
#include "menu/StyledMenu.h"

#include "framework/Dpi.h"
#include "framework/WinApp.h"

#include <algorithm>
#include <cwchar>

namespace {

HWND MainWindow()
{
    return fw::CWinApp::Get() != nullptr ? fw::CWinApp::Get()->GetMainWnd() : nullptr;
}

int TextWidth(HDC dc, const std::string& text)
{
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

} // namespace

int CStyledMenu::ScaleGap(int pixels)
{
    return fw::ScaleForDpi(pixels, fw::GetWindowDpi(MainWindow()));
}

fw::CFont CStyledMenu::CreateMenuFont()
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    return fw::CFont(::CreateFontIndirectA(&metrics.lfMenuFont));
}

bool CStyledMenu::MeasureItem(MEASUREITEMSTRUCT* mis)
{
    const auto* record = reinterpret_cast<const CStyledMenuItem*>(mis->itemData);
    if (record == nullptr)
        return false;
    if (record->m_nFlags & MF_SEPARATOR) {
        mis->itemWidth = 0;
        mis->itemHeight = static_cast<UINT>(::GetSystemMetrics(SM_CYMENU) >> 1);
        return true;
    }
    fw::CFont font = CreateMenuFont();
    fw::CClientDC dc(MainWindow());
    fw::CSaveDC saved(dc);
    ::SelectObject(dc, font);
    const wchar_t* text = record->m_pwszText ? record->m_pwszText.get() : L"";
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &size);
    mis->itemWidth = static_cast<UINT>(size.cx + m_cxImage + ScaleGap(m_cxImage + 1));
    mis->itemHeight =
        static_cast<UINT>(std::max(::GetSystemMetrics(SM_CYMENU), m_cyImage + ScaleGap(4)));
    return true;
}

void CStyledMenu::AlignShortcutText()
{
    fw::CFont font = CreateMenuFont();
    fw::CClientDC dc(MainWindow());
    fw::CSelectObject selected(dc, font);
    int count = std::min(::GetMenuItemCount(m_hMenu), static_cast<int>(m_arrItems.size()));

    int widest = -1;
    for (int p = 0; p < count; ++p) {
        std::string text = m_arrItems[static_cast<std::size_t>(p)]->GetText();
        widest = std::max(widest, TextWidth(dc, text.substr(0, text.find('\t')) + " "));
    }
    for (int p = 0; p < count; ++p) {
        CStyledMenuItem& record = *m_arrItems[static_cast<std::size_t>(p)];
        std::string text = record.GetText();
        std::size_t tab = text.find('\t');
        if (tab == std::string::npos)
            continue;
        std::string label = text.substr(0, tab);
        // A font whose blank has no width must not keep the loop going.
        for (int width = TextWidth(dc, label), wider = 0; width < widest; width = wider) {
            label += ' ';
            wider = TextWidth(dc, label);
            if (wider <= width)
                break;
        }
        record.SetText((label + text.substr(tab)).c_str());
    }
}
