#include "menu/StyledMenu.h"

#include "menu/MenuTemplateReader.h"

#include <algorithm>
#include <string>

bool CStyledMenu::s_bXpLook = true;

CStyledMenu::~CStyledMenu()
{
    // Last to first, each popup freeing its own popups first.
    while (!m_arrSubMenus.empty())
        m_arrSubMenus.pop_back();
    m_arrItems.clear();
}

bool CStyledMenu::LoadMenu(UINT resourceId)
{
    return LoadMenu(MAKEINTRESOURCEA(LOWORD(resourceId)));
}

bool CStyledMenu::LoadMenu(LPCSTR resourceName)
{
    // A menu loaded before goes, with its records: the caller no longer shows it.
    DestroyMenu();
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HRSRC resource = ::FindResourceA(instance, resourceName, RT_MENU);
    HGLOBAL loaded = resource != nullptr ? ::LoadResource(instance, resource) : nullptr;
    if (loaded == nullptr)
        return false;
    HMENU bar = ::CreateMenu();
    if (!Attach(bar)) {
        if (bar != nullptr)
            ::DestroyMenu(bar);
        return false;
    }
    CMenuTemplateReader reader(static_cast<const BYTE*>(::LockResource(loaded)),
                               ::SizeofResource(instance, resource));
    bool complete = reader.Header();

    struct CLevel {
        CStyledMenu* menu;
        bool ends;
    };
    std::vector<CLevel> levels = {{this, false}};
    while (complete && !levels.empty()) {
        WORD option = 0;
        WORD id = 0;
        std::wstring text;
        complete = reader.Item(option, id, text);
        if (!complete)
            break;
        UINT flags = option & ~static_cast<UINT>(MF_END);
        CStyledMenu* parent = levels.back().menu;
        if (option & MF_POPUP) {
            if (option & MF_END)
                levels.back().ends = true;
            auto popup = std::make_unique<CStyledMenu>();
            if (!popup->Attach(::CreatePopupMenu())) {
                complete = false;
                break;
            }
            HMENU handle = *popup;
            levels.push_back({popup.get(), false});
            parent->m_arrSubMenus.push_back(std::move(popup));
            parent->AppendOwnerDrawItem(text.c_str(), flags, reinterpret_cast<UINT_PTR>(handle),
                                        -1);
        } else {
            parent->AppendOwnerDrawItem(text.c_str(), flags, id, -1);
            if (option & MF_END)
                levels.back().ends = true;
            while (!levels.empty() && levels.back().ends) {
                levels.back().menu->AlignShortcutText();
                levels.pop_back();
            }
        }
    }
    if (!complete) {
        DestroyMenu();
        return false;
    }

    // The menu bar shows plain text, so its "&" mnemonics work with Alt.
    int count = std::min(::GetMenuItemCount(bar), static_cast<int>(m_arrItems.size()));
    for (int position = 0; position < count; ++position) {
        CStyledMenuItem& record = *m_arrItems[static_cast<std::size_t>(position)];
        std::string text = record.GetText();
        HMENU popup = ::GetSubMenu(bar, position);
        record.m_nFlags = popup != nullptr ? MF_POPUP | MF_BYPOSITION : MF_BYPOSITION;
        UINT_PTR id = popup != nullptr ? reinterpret_cast<UINT_PTR>(popup) : record.m_nID;
        ::ModifyMenuA(bar, static_cast<UINT>(position), record.m_nFlags, id, text.c_str());
    }
    return true;
}

bool CStyledMenu::DestroyMenu()
{
    while (!m_arrSubMenus.empty())
        m_arrSubMenus.pop_back();
    m_arrItems.clear();
    return CMenu::DestroyMenu();
}

bool CStyledMenu::AppendOwnerDrawItem(LPCWSTR text, UINT flags, UINT_PTR id, int imageId)
{
    if (id == 0)
        flags = (flags & MF_BYPOSITION) | MF_SEPARATOR | MF_OWNERDRAW;
    else
        flags |= MF_OWNERDRAW;
    auto record = std::make_unique<CStyledMenuItem>();
    record->SetText(text != nullptr ? text : L"");
    record->m_nImageId = imageId;
    if (imageId >= 0)
        SetRecordImage(*record, static_cast<UINT>(id), imageId);
    record->m_nFlags = flags;
    record->m_nID = id;
    m_arrItems.push_back(std::move(record));
    return ::AppendMenuW(m_hMenu, flags, id, reinterpret_cast<LPCWSTR>(m_arrItems.back().get())) !=
           FALSE;
}

bool CStyledMenu::SetCommandImage(LPCSTR text, UINT id, int imageId)
{
    if (text == nullptr)
        return SetCommandImage(static_cast<LPCWSTR>(nullptr), id, imageId);
    CStyledMenuItem converted;
    converted.SetText(text);
    return SetCommandImage(converted.m_pwszText.get(), id, imageId);
}

bool CStyledMenu::SetCommandImage(LPCWSTR text, UINT id, int imageId)
{
    int position = -1;
    CStyledMenu* menu = FindCommand(id, position);
    CVisited visited;
    CStyledMenuItem* record = nullptr;
    for (;;) {
        record = menu != nullptr && position < static_cast<int>(menu->m_arrItems.size())
                     ? menu->m_arrItems[static_cast<std::size_t>(position)].get()
                     : nullptr;
        if (record == nullptr) {
            // A command found nowhere gets a record that no item uses.
            m_arrItems.push_back(std::make_unique<CStyledMenuItem>());
            record = m_arrItems.back().get();
        }
        if (text != nullptr)
            record->SetText(text);
        record->m_nImageIndex = -1;
        record->m_nImageId = imageId;
        if (imageId >= 0)
            SetRecordImage(*record, id, imageId);
        record->m_nFlags = (record->m_nFlags & ~static_cast<UINT>(MF_BYPOSITION)) | MF_OWNERDRAW;
        record->m_nID = id;
        if (menu == nullptr)
            break;
        visited.emplace_back(menu, position);
        menu = FindNextCommand(id, position, visited);
        if (menu == nullptr)
            break;
    }
    // By command: where the command occurs twice, the system changes its first item.
    return ::ModifyMenuW(m_hMenu, id, MF_BYCOMMAND | record->m_nFlags, id,
                         reinterpret_cast<LPCWSTR>(record)) != FALSE;
}

void CStyledMenu::SetRecordImage(CStyledMenuItem& record, UINT id, int& imageId) const
{
    record.m_nImageIndex = 0;
    LookUpToolbarImage(id, imageId, record.m_nImageIndex);
    record.m_pImageList = std::make_unique<fw::CImageList>();
    if (record.m_pImageList->Create(m_cxImage, m_cyImage, ILC_COLORDDB | ILC_MASK, 1, 1) &&
        AddImageToList(*record.m_pImageList, imageId))
        return;
    // The item stays owner-drawn, without image; so do the command's other items.
    record.m_pImageList.reset();
    record.m_nImageId = -1;
    record.m_nImageIndex = -1;
    imageId = -1;
}

CStyledMenu* CStyledMenu::FindCommand(UINT id, int& position)
{
    return FindNextCommand(id, position, CVisited());
}

CStyledMenu* CStyledMenu::FindNextCommand(UINT id, int& position, const CVisited& visited)
{
    int count = ::GetMenuItemCount(m_hMenu);
    for (int p = 0; p < count; ++p) {
        if (HMENU popup = ::GetSubMenu(m_hMenu, p)) {
            auto* child = dynamic_cast<CStyledMenu*>(FromHandle(popup));
            CStyledMenu* found =
                child != nullptr ? child->FindNextCommand(id, position, visited) : nullptr;
            if (found != nullptr)
                return found;
        } else if (::GetMenuItemID(m_hMenu, p) == id &&
                   std::find(visited.begin(), visited.end(), CVisited::value_type(this, p)) ==
                       visited.end()) {
            position = p;
            return this;
        }
    }
    position = -1;
    return nullptr;
}

bool CStyledMenu::DrawItem(DRAWITEMSTRUCT* dis)
{
    const auto* record = reinterpret_cast<const CStyledMenuItem*>(dis->itemData);
    if (record == nullptr)
        return false;
    // A palette display lacks the tints of the XP look.
    if (s_bXpLook && (::GetDeviceCaps(dis->hDC, RASTERCAPS) & RC_PALETTE) == 0)
        DrawItemXp(dis, *record);
    else
        DrawItemClassic(dis, *record);
    return true;
}

void CStyledMenu::DrawItemText(HDC dc, const RECT& item, const std::string& text, COLORREF color,
                               int shift) const
{
    RECT rc = {item.left + m_cxImage + ScaleGap(9) + shift, item.top - 1 + shift,
               item.right + shift, item.bottom - 1 + shift};
    std::size_t tab = text.find('\t');
    if (tab != std::string::npos)
        rc.right -= ScaleGap(m_cxImage);
    fw::CFont font = CreateMenuFont();
    fw::CSaveDC saved(dc);
    ::SetBkMode(dc, TRANSPARENT);
    ::SelectObject(dc, font);
    ::SetTextColor(dc, color);
    // Prefixes stay on: "&x" shows an underlined x.
    ::DrawTextA(dc, text.c_str(), static_cast<int>(tab == std::string::npos ? text.size() : tab),
                &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (tab == std::string::npos)
        return;
    std::string shortcut = text.substr(text.rfind('\t') + 1);
    ::DrawTextA(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &rc,
                DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
}
