// Row painting of the endpoint list, checked pixel by pixel. The list is a real owner-drawn
// report list view in a plain parent window, which reflects WM_DRAWITEM to the control's
// object as the main frame does. Wine's list view answers WM_PRINTCLIENT as WM_PAINT, asking
// for the visible rows from top to bottom; with PRF_CLIENT alone it paints the rows only, and
// the rest keeps the canvas' marker colour. Its label rectangle starts 2 pixels right of the
// row bounds, so the fill's left edge (label left - 2) is the bounds' left edge here. No list
// view draws a focus rectangle over owner-drawn rows: the focus mark seen is the control's.
#include "framework/Gdi.h"
#include "framework/Text.h"
#include "listctrl/EndpointListCtrl.h"
#include "res/resource.h"
#include "tests/windows/TestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

namespace {

// Fill colours far from the defaults and from each other, so that no fill can pass for
// another by accident.
const COLORREF kBackColor = RGB(90, 20, 20);
const COLORREF kSystemColor = RGB(20, 140, 30);
const COLORREF kCustomColor = RGB(230, 160, 10);
const COLORREF kSelectColor = RGB(40, 60, 220);
// What a pixel holds when nothing painted it.
const COLORREF kUnpainted = RGB(1, 2, 3);
// The lines use the DC's current pen: a memory DC starts with the black pen.
const COLORREF kPen = RGB(0, 0, 0);
const COLORREF kText = RGB(0, 0, 50);

const int kFirstColumnWidth = 165;
const int kSecondColumnWidth = 75;

// The pixels from (x0, y0) to (x1, y1), both included.
RECT Span(LONG x0, LONG y0, LONG x1, LONG y1)
{
    return {x0, y0, x1 + 1, y1 + 1};
}

class EndpointListPaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LPCSTR className = fw::CWnd::RegisterWndClass("TarnwickListPaintParent", 0);
        ASSERT_TRUE(parent.CreateEx(0, className, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    {0, 0, 600, 500}, nullptr, 0));
        // Created the way the main frame creates it.
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_OWNERDRAWFIXED | LVS_REPORT,
                                RECT{}, parent, IDC_ENDPOINT_LIST));
        ::SetWindowLongA(list, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
        list.InsertColumn(0, "IP Address", LVCFMT_LEFT, kFirstColumnWidth);
        list.InsertColumn(1, "Port", LVCFMT_RIGHT, kSecondColumnWidth);
        list.MoveWindow({0, 0, 400, 360});
        list.SetRows(&rows);
        list.m_crBackColor = kBackColor;
        list.m_crSystemColor = kSystemColor;
        list.m_crCustomColor = kCustomColor;
        list.m_crSelectColor = kSelectColor;
        list.SetBkColor(RGB(120, 120, 0));
        client = list.GetClientRect();
        // Columns narrower than the control: the rows' fill must still reach the edge.
        ASSERT_GT(client.right, kFirstColumnWidth + kSecondColumnWidth + 80);
    }

    // Rows of "127.0.0.1" with the given ports, shown as their numbers or as `texts`.
    void AddRows(std::initializer_list<std::uint16_t> ports,
                 std::initializer_list<const char*> texts = {})
    {
        auto text = texts.begin();
        for (std::uint16_t port : ports) {
            tarnwick::EndpointRow row;
            row.port = port;
            row.texts[0] = "127.0.0.1";
            row.texts[1] = text != texts.end() ? *text++ : std::to_string(port);
            rows.Edit().push_back(row);
        }
        list.RowsChanged(rows.Count(), 0, rows.Count() - 1);
    }
    CDibSection Print() const { return PrintClient(list, kUnpainted); }
    void Focus(HWND hWnd)
    {
        ::SetFocus(hWnd);
        ASSERT_EQ(hWnd, ::GetFocus());
    }
    HFONT Font() const { return reinterpret_cast<HFONT>(list.SendMessage(WM_GETFONT)); }
    RECT Bounds(int row) const
    {
        RECT rc = {};
        list.GetItemRect(row, rc, LVIR_BOUNDS);
        return rc;
    }
    LONG Middle(int row) const { return (Bounds(row).top + Bounds(row).bottom) / 2; }

    fw::CWnd parent;
    tarnwick::CEndpointRows rows;
    CEndpointListCtrl list;
    RECT client = {};
};

// The whole list in each focus and grid line state. The port number chooses a row's fill,
// whether the row shows it or its service's name; a highlighted row takes the selection colour
// instead, but its text stays dark blue. Texts are cut with an ellipsis, follow their column's
// justification and reach the screen in UTF-16. Separators stand at the column edges, grid
// lines under the rows, and the focused row shows where it is while the list has the focus.
// The list asks for its rows from top to bottom: the last row painted decides the selected row.
TEST_F(EndpointListPaintTest, RowsShowTheirPortStateGridLinesAndFocus)
{
    // clang-format off
    const struct { std::uint16_t port; const char* text; COLORREF fill; } shown[] = {
        {53, "53", kSystemColor}, {1023, "1023", kSystemColor}, {0, "", kSystemColor}, // a message row
        {1024, "1024", kCustomColor}, {65535, "65535", kCustomColor},
        {53, "domain", kSystemColor}, {2049, "nfs", kCustomColor},
        {1900, "1900", kCustomColor}, // selected, highlighted while the list has the focus or shows it always
    };
    // The sides drawn, of "TLBR" (top, left, bottom, right), of the focused row 1 and the others.
    const struct { bool listFocused, showSelAlways; bool gridLines, highlighted;
                   const char* focused; const char* others; } cases[] = {
        {true, false, true, true, "BR", "B"}, // the bottom line, and the right edge of the focused row
        // The focused row looks like any other while the focus is elsewhere. The grid line's end
        // point is left out, and the fill is exactly as wide as the client area, so no line goes
        // up the right edge.
        {false, false, true, false, "B", "B"}, {false, true, true, true, "B", "B"},
        // Grid lines off: a full outline around the focused row's fill.
        {true, false, false, true, "TLBR", ""}, {false, false, false, false, "", ""},
    };
    // clang-format on
    const int count = static_cast<int>(std::size(shown));
    for (const auto& row : shown)
        AddRows({row.port}, {row.text});
    // Outside any code page, and too long for its column.
    const char* host = "\xC5\x81\xC3\xB3"
                       "d\xC5\xBA-\xD1\x81\xD0\xB5\xD1\x80\xD0\xB2\xD0\xB5\xD1\x80"
                       "-a-rather-long-host-name.example.org";
    rows.Edit()[3].texts[0] = host;
    list.SetItemState(count - 1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    ASSERT_LE(Bounds(count - 1).bottom, client.bottom);
    ASSERT_EQ(0, Bounds(0).left) << "rows start at the client edge";
    const LONG right = client.right - 1;
    const LONG separators[] = {kFirstColumnWidth - 1, kFirstColumnWidth + kSecondColumnWidth - 1};
    // Row 3's cells as DrawText draws them on the row's fill, inset by two blanks on both
    // sides: the host name cut with an ellipsis, the port as its column justifies it.
    CDibSection expected(client.right, client.bottom, kCustomColor);
    fw::CSelectObject font(expected.Dc(), Font());
    SIZE blank = {};
    ::GetTextExtentPoint32A(expected.Dc(), " ", 1, &blank);
    ::SetTextColor(expected.Dc(), kText);
    ::SetBkColor(expected.Dc(), kCustomColor);
    const RECT b3 = Bounds(3);
    // clang-format off
    const struct { std::wstring text; LONG left, right; UINT format; } cells[] = {
        {fw::Utf8ToWide(host), 0, kFirstColumnWidth, DT_END_ELLIPSIS},
        {L"1024", kFirstColumnWidth, kFirstColumnWidth + kSecondColumnWidth, DT_RIGHT}};
    // clang-format on
    for (const auto& cell : cells) {
        RECT rc = {cell.left + 2 * blank.cx, b3.top, cell.right - 2 * blank.cx, b3.bottom};
        ::DrawTextW(expected.Dc(), cell.text.c_str(), -1, &rc,
                    cell.format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.listFocused ? "focused list" : "focus elsewhere") +
                     (c.showSelAlways ? ", selection shown always" : "") +
                     (c.gridLines ? ", grid lines" : ""));
        LONG style = ::GetWindowLongA(list, GWL_STYLE) & ~LVS_SHOWSELALWAYS;
        ::SetWindowLongA(list, GWL_STYLE, style | (c.showSelAlways ? LVS_SHOWSELALWAYS : 0));
        list.m_bGridLines = c.gridLines;
        Focus(c.listFocused ? static_cast<HWND>(list) : static_cast<HWND>(parent));
        CDibSection canvas = Print();
        for (int i = 0; i < count; ++i) {
            SCOPED_TRACE(std::string("row of port \"") + shown[i].text + '"');
            const COLORREF fill = i == count - 1 && c.highlighted ? kSelectColor : shown[i].fill;
            const RECT b = Bounds(i);
            const std::string drawn = i == 1 ? c.focused : c.others;
            const bool bottom = drawn.find('B') != std::string::npos;
            // A side that crosses the columns is checked right of them, clear of separators
            // and texts, unless it is drawn.
            const RECT sides[] = {Span(b.right, b.top, right - 1, b.top),
                                  Span(0, b.top + 1, 0, b.bottom - 2),
                                  Span(bottom ? 0 : b.right, b.bottom - 1, right - 1, b.bottom - 1),
                                  Span(right, b.top + 1, right, b.bottom - 1)};
            for (int side = 0; side < 4; ++side) {
                bool line = drawn.find("TLBR"[side]) != std::string::npos;
                EXPECT_TRUE(Filled(canvas, sides[side], line ? kPen : fill)) << "TLBR"[side];
            }
            EXPECT_TRUE(Filled(canvas, Span(b.right, Middle(i), right - 1, Middle(i)), fill));
            EXPECT_EQ(fill, canvas.At(1, Middle(i)));
            for (LONG x : separators) {
                EXPECT_TRUE(Filled(canvas, Span(x, b.top, x, b.bottom - 2), kPen)) << x;
                EXPECT_EQ(fill, canvas.At(x + 1, Middle(i))) << x;
            }
            EXPECT_GT(CountColor(canvas, Span(1, b.top, b.right - 2, b.bottom - 2), kText), 20);
            EXPECT_EQ(0, CountColor(canvas, b, RGB(255, 255, 255)));
        }
        for (const auto& cell : cells)
            EXPECT_TRUE(
                SameIn(canvas, expected, {cell.left, b3.top, cell.right - 1, b3.bottom - 1}));
        // Below the last row only the separators' end pixels are drawn.
        EXPECT_EQ(kPen, canvas.At(separators[1], Bounds(count - 1).bottom));
        EXPECT_EQ(kUnpainted, canvas.At(separators[1] + 1, Bounds(count - 1).bottom));
        EXPECT_EQ(c.highlighted ? count - 1 : -1, list.m_nSelectedRow);
    }
}

// A row wider than the list (its columns run past the client area) gets the grid line up its
// right edge as well, where the last column's separator already stands. The lines use the
// DC's pen: with an XOR pen a pixel drawn twice shows the fill again, which tells the two
// lines apart. The DC comes back as it was given.
TEST_F(EndpointListPaintTest, GridLineClimbsTheRightEdgeOfRowsWiderThanTheList)
{
    AddRows({1900});
    list.SendMessage(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(client.right, 0));
    const RECT b = Bounds(0);
    ASSERT_GT(b.right, client.right);
    Focus(parent);
    const COLORREF kWhite = RGB(255, 255, 255), kPresetText = RGB(7, 8, 9),
                   kPresetBack = RGB(9, 8, 7);
    CDibSection canvas(b.right + 4, client.bottom, kUnpainted);
    fw::CPen pen(::CreatePen(PS_SOLID, 1, kWhite));
    fw::CSelectObject selectFont(canvas.Dc(), Font());
    fw::CSelectObject selectPen(canvas.Dc(), pen);
    ::SetROP2(canvas.Dc(), R2_XORPEN);
    ::SetTextColor(canvas.Dc(), kPresetText);
    ::SetBkColor(canvas.Dc(), kPresetBack);
    DRAWITEMSTRUCT dis = {};
    dis.hDC = canvas.Dc();
    list.DrawItem(&dis);

    EXPECT_EQ(kCustomColor ^ kWhite, canvas.At(client.right - 1, Middle(0))) << "separator";
    EXPECT_EQ(kUnpainted ^ kWhite, canvas.At(b.right - 1, b.bottom)) << "the separator below";
    EXPECT_TRUE(Filled(canvas, Span(b.right - 1, b.top, b.right - 1, b.bottom - 1), kCustomColor));
    // In the DC's opaque background mode the text cells show the row's fill.
    EXPECT_GT(CountColor(canvas, b, kText), 20);
    EXPECT_EQ(0, CountColor(canvas, b, kPresetBack));
    EXPECT_EQ(kPresetText, ::GetTextColor(canvas.Dc()));
    EXPECT_EQ(kPresetBack, ::GetBkColor(canvas.Dc()));
    EXPECT_EQ(static_cast<HGDIOBJ>(pen), ::GetCurrentObject(canvas.Dc(), OBJ_PEN));
}

} // namespace
