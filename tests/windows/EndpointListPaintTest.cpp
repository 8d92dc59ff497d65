// Row painting of the endpoint list, checked pixel by pixel.
//
// The list is a real owner-drawn report list view inside a plain parent window, which
// reflects WM_DRAWITEM to the control's object as the main frame does. Whole lists are
// painted with WM_PRINTCLIENT into a memory DIB: Wine's list view answers it as WM_PAINT,
// asking for the visible rows from top to bottom. With PRF_CLIENT alone it paints the rows
// only: what lies outside them keeps the canvas' marker colour.
//
// Wine's label rectangle starts 2 pixels right of the row bounds, so the fill's left edge
// (label left - 2) coincides with the bounds' left edge here. Neither Wine's list view nor
// Windows' draws a focus rectangle over owner-drawn rows: the focus mark seen is the control's.
#include "EndpointListCtrl.h"
#include "Gdi.h"
#include "TestSupport.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

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
        list.InsertColumn(1, "Port", LVCFMT_LEFT, kSecondColumnWidth);
        list.MoveWindow({0, 0, 400, 360});
        list.m_crBackColor = kBackColor;
        list.m_crSystemColor = kSystemColor;
        list.m_crCustomColor = kCustomColor;
        list.m_crSelectColor = kSelectColor;
        list.SetBkColor(RGB(120, 120, 0));
        client = list.GetClientRect();
        // Columns narrower than the control: the rows' fill must still reach the edge.
        ASSERT_GT(client.right, kFirstColumnWidth + kSecondColumnWidth + 80);
    }

    // Rows of "127.0.0.1" and the given port texts.
    void AddRows(std::initializer_list<const char*> ports)
    {
        for (const char* port : ports)
            list.SetItemText(list.InsertItem(list.GetItemCount(), "127.0.0.1"), 1, port);
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
    // Right of the columns, where only the row's fill reaches (short of a focus mark).
    RECT RightOfColumns(int row) const
    {
        return Span(Bounds(row).right, Middle(row), client.right - 2, Middle(row));
    }

    fw::CWnd parent;
    CEndpointListCtrl list;
    RECT client = {};
};

// The last column's text chooses a row's fill; a highlighted row takes the selection colour
// instead, but its text stays dark blue. The list asks for its rows from top to bottom: the
// last row painted decides the selected row.
TEST_F(EndpointListPaintTest, KeyAndStateChooseTheRowFillButNeverTheTextColour)
{
    // clang-format off
    const struct { const char* key; COLORREF fill; } rows[] = {
        {"53", kSystemColor}, {"1023", kSystemColor}, {"0", kSystemColor}, {"1024", kCustomColor},
        {"65535", kCustomColor}, {"domain", kSystemColor}, // a service name reads as 0
        {"", kSystemColor}, {"-5000", kSystemColor}, {" \t2048", kCustomColor}, // leading blanks are skipped
        {"+1500", kCustomColor}, {"1024x", kCustomColor}, // only the leading integer counts
        {"10.0.0.1", kBackColor}, {"4000.5", kBackColor},
        {"53", kSelectColor},   // a drop target
        {"1900", kCustomColor}, // selected, highlighted while the list has the focus or shows it always
    };
    const int count = static_cast<int>(std::size(rows));
    // The key is the last column's text: column 0 holds an address with dots and column 1 a
    // port of the other colour in every row.
    list.InsertColumn(2, "Key", LVCFMT_LEFT, 60);
    for (const auto& row : rows) {
        AddRows({row.fill == kCustomColor ? "53" : "1900"});
        list.SetItemText(list.GetItemCount() - 1, 2, row.key);
    }
    list.SetItemState(count - 2, LVIS_DROPHILITED, LVIS_DROPHILITED);
    list.SetItemState(count - 1, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_LE(Bounds(count - 1).bottom, client.bottom);
    const struct { bool listFocused, showSelAlways, highlighted; } cases[] = {
        {true, false, true}, {false, false, false}, {false, true, true}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.listFocused ? "focused list" : "focus elsewhere") +
                     (c.showSelAlways ? ", selection shown always" : ""));
        LONG style = ::GetWindowLongA(list, GWL_STYLE) & ~LVS_SHOWSELALWAYS;
        ::SetWindowLongA(list, GWL_STYLE, style | (c.showSelAlways ? LVS_SHOWSELALWAYS : 0));
        Focus(c.listFocused ? static_cast<HWND>(list) : static_cast<HWND>(parent));
        CDibSection canvas = Print();
        for (int i = 0; i < count; ++i) {
            const COLORREF fill = i == count - 1 && c.highlighted ? kSelectColor : rows[i].fill;
            EXPECT_TRUE(Filled(canvas, RightOfColumns(i), fill)) << "key \"" << rows[i].key << '"';
            EXPECT_EQ(fill, canvas.At(1, Middle(i))) << i;
            const RECT b = Bounds(i);
            EXPECT_GT(CountColor(canvas, Span(1, b.top, b.right - 2, b.bottom - 2), kText), 20)
                << i;
            EXPECT_EQ(0, CountColor(canvas, b, RGB(255, 255, 255))) << i;
        }
        EXPECT_EQ(c.highlighted ? count - 1 : -1, list.m_nSelectedRow);
    }
}

TEST_F(EndpointListPaintTest, SeparatorsGridLinesAndTheFocusOutline)
{
    AddRows({"1900", "2000", "3000"});
    list.SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    // The columns end well before the client's right edge; the row's fill does not.
    ASSERT_LT(Bounds(0).right, client.right);
    ASSERT_EQ(0, Bounds(0).left) << "rows start at the client edge";
    // The sides drawn, of "TLBR" (top, left, bottom, right), of the focused row and the others.
    // clang-format off
    const struct { BOOL gridLines; bool listFocused; const char* focusedRow; const char* otherRows; } cases[] = {
        // The focused row looks like any other while the focus is elsewhere.
        {FALSE, false, "", ""},
        // The grid line's end point is left out, and the fill is exactly as wide as the
        // client area, so no line goes up the right edge.
        {TRUE, false, "B", "B"},
        // Grid lines off: a full outline around the focused row's fill.
        {FALSE, true, "TLBR", ""},
        // Grid lines on: the bottom line and the right edge, no top or left side.
        {TRUE, true, "BR", "B"},
    };
    // clang-format on
    const LONG right = client.right - 1;
    const LONG separators[] = {kFirstColumnWidth - 1, kFirstColumnWidth + kSecondColumnWidth - 1};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.gridLines ? "grid lines" : "no grid lines") +
                     (c.listFocused ? ", focused list" : ", focus elsewhere"));
        list.m_bGridLines = c.gridLines;
        Focus(c.listFocused ? static_cast<HWND>(list) : static_cast<HWND>(parent));
        CDibSection canvas = Print();
        for (int row = 0; row < 3; ++row) {
            const std::string drawn = row == 1 ? c.focusedRow : c.otherRows;
            const bool bottom = drawn.find('B') != std::string::npos;
            const RECT b = Bounds(row);
            // A side that crosses the columns is checked right of them, clear of separators
            // and texts, unless it is drawn.
            const RECT sides[] = {Span(b.right, b.top, right - 1, b.top),
                                  Span(0, b.top + 1, 0, b.bottom - 2),
                                  Span(bottom ? 0 : b.right, b.bottom - 1, right - 1, b.bottom - 1),
                                  Span(right, b.top + 1, right, b.bottom - 1)};
            for (int side = 0; side < 4; ++side) {
                bool line = drawn.find("TLBR"[side]) != std::string::npos;
                EXPECT_TRUE(Filled(canvas, sides[side], line ? kPen : kCustomColor))
                    << "TLBR"[side] << " of row " << row;
            }
            // Separators stand at the column edges whether grid lines are on or off.
            for (LONG x : separators) {
                EXPECT_TRUE(Filled(canvas, Span(x, b.top, x, b.bottom - 2), kPen)) << row;
                EXPECT_EQ(kCustomColor, canvas.At(x + 1, Middle(row))) << row;
            }
        }
        // Below the last row only the separators' end pixels are drawn.
        EXPECT_EQ(kPen, canvas.At(separators[1], Bounds(2).bottom));
        EXPECT_EQ(kUnpainted, canvas.At(separators[1] + 1, Bounds(2).bottom));
    }
}

// A row wider than the list (its columns run past the client area) gets the grid line up its
// right edge as well, where the last column's separator already stands. The lines use the
// DC's pen: with an XOR pen a pixel drawn twice shows the fill again, which tells the two
// lines apart. The DC comes back as it was given.
TEST_F(EndpointListPaintTest, GridLineClimbsTheRightEdgeOfRowsWiderThanTheList)
{
    AddRows({"1900"});
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

TEST_F(EndpointListPaintTest, TextIsCutWithAnEllipsisAndFollowsTheColumnJustification)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    column.fmt = LVCFMT_RIGHT;
    ASSERT_TRUE(list.SendMessage(LVM_SETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
    const char* host = "a-rather-long-host-name-for-this-column.example.org";
    list.SetItemText(list.InsertItem(0, host), 1, "1900");
    list.m_bGridLines = FALSE;
    CDibSection canvas = Print();

    // The text as DrawText draws it on the row's fill, inset by two blanks on both sides.
    CDibSection expected(client.right, client.bottom, kCustomColor);
    fw::CSelectObject font(expected.Dc(), Font());
    SIZE blank = {};
    ::GetTextExtentPoint32A(expected.Dc(), " ", 1, &blank);
    ::SetTextColor(expected.Dc(), kText);
    ::SetBkColor(expected.Dc(), kCustomColor);
    const RECT b = Bounds(0);
    // clang-format off
    const struct { const char* text; LONG left, right; UINT format; } cases[] = {
        {host, 0, kFirstColumnWidth, DT_END_ELLIPSIS},
        {"1900", kFirstColumnWidth, kFirstColumnWidth + kSecondColumnWidth, DT_RIGHT}};
    // clang-format on
    for (const auto& c : cases) {
        RECT rc = {c.left + 2 * blank.cx, b.top, c.right - 2 * blank.cx, b.bottom};
        ::DrawTextA(expected.Dc(), c.text, -1, &rc,
                    c.format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        EXPECT_TRUE(SameIn(canvas, expected, {c.left, b.top, c.right - 1, b.bottom})) << c.text;
        EXPECT_GT(CountColor(canvas, {c.left, b.top, c.right - 1, b.bottom}, kText), 10);
    }
}

} // namespace
