// Sorting the rows by a clicked column. The rows are the list's own: the texts are read
// once, the order is worked out, and each row that moves is rewritten in place with its texts
// and state. Comparing through the control instead (a message per text per comparison) takes
// seconds for a few thousand rows under Wine.
#include "EndpointListCtrl.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

// What moves with a row: its texts, and the state, image and item data that
// LVM_GETITEM / LVM_SETITEM carry (selection and focus among them).
struct CRowContents {
    std::vector<std::string> texts;
    LVITEMA attributes;
};

const UINT kMovedState = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED |
                         LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;

} // namespace

void CEndpointListCtrl::OnColumnClick(const NMLISTVIEW* click)
{
    HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    SortRowsByText(click->iSubItem, m_bSortAscending, 0, -1);
    ::SetCursor(previous);
    // One direction for all columns: every click turns it round.
    m_bSortAscending = !m_bSortAscending;
}

BOOL CEndpointListCtrl::SortRowsByText(int nColumn, BOOL bAscending, int nLow, int nHigh)
{
    int columns = GetColumnCount();
    int count = GetItemCount();
    if (nColumn < 0 || nColumn >= columns)
        return FALSE;
    if (nHigh == -1 || nHigh >= count)
        nHigh = count - 1;
    if (nLow < 0 || nHigh <= nLow)
        return FALSE;

    std::vector<CRowContents> rows(static_cast<std::size_t>(nHigh - nLow + 1));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        int item = nLow + static_cast<int>(i);
        for (int column = 0; column < columns; ++column)
            rows[i].texts.push_back(GetItemText(item, column));
        LVITEMA& attributes = rows[i].attributes;
        attributes = {};
        attributes.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        attributes.iItem = item;
        attributes.stateMask = kMovedState;
        SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&attributes));
    }

    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    auto key = [&rows, nColumn](std::size_t row) {
        return rows[row].texts[static_cast<std::size_t>(nColumn)].c_str();
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        int compared = std::strcmp(key(a), key(b));
        return bAscending ? compared < 0 : compared > 0;
    });

    {
        fw::CRedrawOff hold(m_hWnd);
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (order[i] == i)
                continue;
            CRowContents& moved = rows[order[i]];
            int item = nLow + static_cast<int>(i);
            for (int column = 0; column < columns; ++column)
                SetItemText(item, column, moved.texts[static_cast<std::size_t>(column)].c_str());
            LVITEMA attributes = moved.attributes;
            attributes.iItem = item;
            SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&attributes));
        }
    }
    Invalidate(FALSE);
    return TRUE;
}
