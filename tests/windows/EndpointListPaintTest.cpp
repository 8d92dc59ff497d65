// Row painting of the endpoint list, checked pixel by pixel.
//
// The list is a real owner-drawn report list view inside a plain parent window, which
// reflects WM_DRAWITEM to the control's object as the main frame does. Whole lists are
// painted with WM_PRINTCLIENT into a memory DC holding a 24-bit DIB section: Wine's list
// view answers it by painting as for WM_PAINT (it selects its font and sends
// WM_DRAWITEM to the parent for each visible row, top to bottom). Single rows are
// painted by calling DrawItem with that memory DC.
//
// Wine notes:
// - WM_PRINTCLIENT with PRF_CLIENT alone paints the rows only; what lies outside them
//   keeps the canvas' marker colour, which makes the extended row fill visible.
// - Wine's label rectangle starts 2 pixels right of the row bounds, so the fill's left
//   edge (label left - 2) coincides with the bounds' left edge here.
// - Wine's list view draws no focus rectangle of its own over owner-drawn rows (neither
//   does Windows), so the focus mark seen is the control's.
// - Paint time under Wine is dominated by the window property lookup that binds our
//   subclassed control to its object: GetPropA is a wineserver round trip, about 50 us
//   on this machine, paid by every message sent to the list.
#include "EndpointListCtrl.h"
#include "Gdi.h"
#include "MainFrame.h"
#include "TestSupport.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <memory>
#include <string>

namespace {

// Fill colours far from the defaults and from each other, so that no fill can pass for
// another by accident.
const COLORREF kBackColor = RGB(90, 20, 20);
const COLORREF kSystemColor = RGB(20, 140, 30);
const COLORREF kCustomColor = RGB(230, 160, 10);
const COLORREF kSelectColor = RGB(40, 60, 220);
// The list view's own background, distinct so that it cannot pass for a row fill.
const COLORREF kListBackColor = RGB(120, 120, 0);
// What a pixel holds when nothing painted it.
const COLORREF kUnpainted = RGB(1, 2, 3);
// The lines use the DC's current pen: a memory DC starts with the black pen.
const COLORREF kPen = RGB(0, 0, 0);
const COLORREF kText = RGB(0, 0, 50);

const DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_OWNERDRAWFIXED | LVS_REPORT;
const int kFirstColumnWidth = 165;
const int kSecondColumnWidth = 75;

// A memory DC with a 24-bit DIB section selected, first filled with kUnpainted.
class CCanvas {
public:
    CCanvas(int width, int height, HFONT font)
        : m_dib(width, height), m_bitmap(m_dc, m_dib.Get()), m_font(m_dc, font)
    {
        RECT all = {0, 0, width, height};
        fw::FillSolidRect(m_dc, all, kUnpainted);
    }
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return m_dib.GetPixel(x, y); }

private:
    fw::CMemDC m_dc;
    CDibSection m_dib;
    fw::CSelectObject m_bitmap;
    fw::CSelectObject m_font;
};

std::string Hex(COLORREF color)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%06lX", static_cast<unsigned long>(color));
    return text;
}

// Every pixel of the inclusive span from (x0, y0) to (x1, y1) has `color`.
::testing::AssertionResult SpanIs(const CCanvas& canvas, int x0, int y0, int x1, int y1,
                                  COLORREF color)
{
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (canvas.At(x, y) != color)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << Hex(canvas.At(x, y))
                       << ", expected " << Hex(color);
        }
    }
    return ::testing::AssertionSuccess();
}

int CountColor(const CCanvas& canvas, const RECT& area, COLORREF color)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            count += canvas.At(x, y) == color ? 1 : 0;
    }
    return count;
}

// Creates the list the way the main frame does, in a parent of its own.
void CreateEndpointList(CEndpointListCtrl& list, HWND parent, int width, int height)
{
    RECT empty = {};
    ASSERT_TRUE(list.Create(kListStyle, empty, parent, 61204));
    ::SetWindowLongA(list, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    list.InsertColumn(0, "IP Address", LVCFMT_LEFT, kFirstColumnWidth);
    list.InsertColumn(1, "Port", LVCFMT_LEFT, kSecondColumnWidth);
    RECT rc = {0, 0, width, height};
    list.MoveWindow(rc);
    list.m_crBackColor = kBackColor;
    list.m_crSystemColor = kSystemColor;
    list.m_crCustomColor = kCustomColor;
    list.m_crSelectColor = kSelectColor;
    list.SetBkColor(kListBackColor);
}

class EndpointListPaintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LPCSTR className = fw::CWnd::RegisterWndClass("TarnwickListPaintParent", 0);
        RECT rc = {0, 0, 600, 400};
        ASSERT_TRUE(
            parent.CreateEx(0, className, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rc, nullptr, 0));
        CreateEndpointList(list, parent, 400, 300);
        client = list.GetClientRect();
        // Columns narrower than the control: the rows' fill must still reach the edge.
        ASSERT_GT(client.right, kFirstColumnWidth + kSecondColumnWidth + 20);
    }

    void AddRow(const char* address, const char* port)
    {
        int row = list.InsertItem(list.GetItemCount(), address);
        list.SetItemText(row, 1, port);
    }

    HFONT ListFont() const { return reinterpret_cast<HFONT>(list.SendMessage(WM_GETFONT)); }

    // Paints the whole client area through the list view.
    std::unique_ptr<CCanvas> PrintClient() const
    {
        auto canvas = std::make_unique<CCanvas>(client.right, client.bottom, ListFont());
        list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT);
        return canvas;
    }

    // Paints one row by calling DrawItem directly.
    std::unique_ptr<CCanvas> PaintRow(int row)
    {
        auto canvas = std::make_unique<CCanvas>(client.right, client.bottom, ListFont());
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_LISTVIEW;
        dis.CtlID = 61204;
        dis.itemID = static_cast<UINT>(row);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hwndItem = list;
        dis.hDC = canvas->Dc();
        list.GetItemRect(row, dis.rcItem, LVIR_BOUNDS);
        list.DrawItem(&dis);
        return canvas;
    }

    void FocusList()
    {
        ::SetFocus(list);
        ASSERT_EQ(static_cast<HWND>(list), ::GetFocus());
    }
    void FocusElsewhere()
    {
        ::SetFocus(parent);
        ASSERT_EQ(static_cast<HWND>(parent), ::GetFocus());
    }

    RECT Bounds(int row) const
    {
        RECT rc = {};
        list.GetItemRect(row, rc, LVIR_BOUNDS);
        return rc;
    }
    // The left edge of a row's fill: two pixels left of its label.
    int FillLeft(int row) const
    {
        RECT rc = {};
        list.GetItemRect(row, rc, LVIR_LABEL);
        return rc.left - 2;
    }
    int Middle(int row) const { return (Bounds(row).top + Bounds(row).bottom) / 2; }
    int TextInset() const
    {
        CCanvas canvas(1, 1, ListFont());
        SIZE blank = {};
        ::GetTextExtentPoint32A(canvas.Dc(), " ", 1, &blank);
        return 2 * blank.cx;
    }

    // Right of the columns, where only the row's fill reaches.
    ::testing::AssertionResult FillRightOfColumnsIs(const CCanvas& canvas, int row,
                                                    COLORREF color) const
    {
        return SpanIs(canvas, Bounds(row).right, Middle(row), client.right - 1, Middle(row), color);
    }

    fw::CWnd parent;
    CEndpointListCtrl list;
    RECT client = {};
};

TEST_F(EndpointListPaintTest, PortTextChoosesTheRowFill)
{
    struct Case {
        const char* port;
        COLORREF fill;
    };
    const Case cases[] = {
        {"53", kSystemColor},      {"1023", kSystemColor},
        {"0", kSystemColor},       {"1024", kCustomColor},
        {"1900", kCustomColor},    {"65535", kCustomColor},
        {"domain", kSystemColor}, // a service name reads as 0
        {"", kSystemColor},        {"-5000", kSystemColor},
        {" \t2048", kCustomColor},                          // leading white space is skipped
        {"+1500", kCustomColor},   {"1024x", kCustomColor}, // only the leading integer counts
        {"10.0.0.1", kBackColor},  {"4000.5", kBackColor},
    };
    // Column 0 holds an address with dots in every row: only the last column decides.
    for (const Case& c : cases)
        AddRow("127.0.0.1", c.port);
    FocusElsewhere();
    auto canvas = PrintClient();
    for (int row = 0; row < static_cast<int>(std::size(cases)); ++row) {
        SCOPED_TRACE(std::string("port text \"") + cases[row].port + "\"");
        EXPECT_TRUE(FillRightOfColumnsIs(*canvas, row, cases[row].fill));
        EXPECT_EQ(cases[row].fill, canvas->At(FillLeft(row) + 1, Middle(row)));
    }
}

TEST_F(EndpointListPaintTest, KeyTextComesFromTheLastColumn)
{
    list.InsertColumn(2, "Extra", LVCFMT_LEFT, 60);
    AddRow("127.0.0.1", "53");
    list.SetItemText(0, 2, "1900");
    AddRow("127.0.0.1", "1900");
    list.SetItemText(1, 2, "host.example");
    auto canvas = PrintClient();
    EXPECT_TRUE(FillRightOfColumnsIs(*canvas, 0, kCustomColor));
    EXPECT_TRUE(FillRightOfColumnsIs(*canvas, 1, kBackColor));
}

TEST_F(EndpointListPaintTest, SelectedRowIsHighlightedOnlyWhileTheListHasTheFocus)
{
    AddRow("127.0.0.1", "53");
    AddRow("127.0.0.1", "1900");
    AddRow("127.0.0.1", "2000");
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);

    FocusElsewhere();
    list.m_nSelectedRow = 7;
    EXPECT_TRUE(FillRightOfColumnsIs(*PaintRow(1), 1, kCustomColor));
    EXPECT_EQ(-1, list.m_nSelectedRow);

    FocusList();
    EXPECT_TRUE(FillRightOfColumnsIs(*PaintRow(1), 1, kSelectColor));
    EXPECT_EQ(1, list.m_nSelectedRow);
    // A row painted later that is not highlighted clears the record.
    EXPECT_TRUE(FillRightOfColumnsIs(*PaintRow(2), 2, kCustomColor));
    EXPECT_EQ(-1, list.m_nSelectedRow);
}

TEST_F(EndpointListPaintTest, DropHighlightAndShowSelAlwaysNeedNoFocus)
{
    AddRow("127.0.0.1", "53");
    AddRow("127.0.0.1", "1900");
    FocusElsewhere();
    list.SetItemState(0, LVIS_DROPHILITED, LVIS_DROPHILITED);
    EXPECT_TRUE(FillRightOfColumnsIs(*PaintRow(0), 0, kSelectColor));
    EXPECT_EQ(0, list.m_nSelectedRow);

    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(FillRightOfColumnsIs(*PaintRow(1), 1, kCustomColor));
    ::SetWindowLongA(list, GWL_STYLE, ::GetWindowLongA(list, GWL_STYLE) | LVS_SHOWSELALWAYS);
    EXPECT_TRUE(FillRightOfColumnsIs(*PaintRow(1), 1, kSelectColor));
    EXPECT_EQ(1, list.m_nSelectedRow);
}

TEST_F(EndpointListPaintTest, LastRowPaintedDecidesTheSelectedRow)
{
    // Wine's list view, like Windows', paints the visible rows from top to bottom.
    AddRow("127.0.0.1", "53");
    AddRow("127.0.0.1", "1900");
    AddRow("127.0.0.1", "2000");
    FocusList();
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    auto canvas = PrintClient();
    EXPECT_TRUE(FillRightOfColumnsIs(*canvas, 0, kSelectColor));
    EXPECT_TRUE(FillRightOfColumnsIs(*canvas, 1, kCustomColor));
    EXPECT_TRUE(FillRightOfColumnsIs(*canvas, 2, kSelectColor));
    EXPECT_EQ(2, list.m_nSelectedRow);

    list.SetItemState(2, 0, LVIS_SELECTED);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    canvas = PrintClient();
    EXPECT_TRUE(FillRightOfColumnsIs(*canvas, 1, kSelectColor));
    EXPECT_EQ(-1, list.m_nSelectedRow);
}

TEST_F(EndpointListPaintTest, SeparatorsStandAtColumnEdgesWithOrWithoutGridLines)
{
    AddRow("127.0.0.1", "53");
    AddRow("127.0.0.1", "1900");
    FocusElsewhere();
    const int separators[] = {kFirstColumnWidth - 1, kFirstColumnWidth + kSecondColumnWidth - 1};
    for (BOOL gridLines : {FALSE, TRUE}) {
        SCOPED_TRACE(gridLines ? "grid lines on" : "grid lines off");
        list.m_bGridLines = gridLines;
        auto canvas = PrintClient();
        for (int row = 0; row < 2; ++row) {
            RECT b = Bounds(row);
            for (int x : separators) {
                EXPECT_TRUE(SpanIs(*canvas, x, b.top, x, b.bottom - 2, kPen)) << "row " << row;
                EXPECT_NE(kPen, canvas->At(x + 1, Middle(row)));
            }
        }
        // Below the last row only the separators' end pixels are drawn; the list view's
        // background is not repainted there by a WM_PRINTCLIENT without erase.
        RECT last = Bounds(1);
        EXPECT_EQ(kPen, canvas->At(separators[1], last.bottom));
        EXPECT_EQ(kUnpainted, canvas->At(separators[1] + 1, last.bottom));
    }
}

TEST_F(EndpointListPaintTest, GridLineRunsToTheClientEdge)
{
    AddRow("127.0.0.1", "53");
    AddRow("127.0.0.1", "1900");
    FocusElsewhere();
    RECT b = Bounds(0);
    // The columns end well before the client's right edge; the row's fill does not.
    ASSERT_LT(b.right, client.right);
    ASSERT_EQ(client.right, client.right - FillLeft(0)) << "rows start at the client edge";

    list.m_bGridLines = TRUE;
    auto canvas = PrintClient();
    for (int row = 0; row < 2; ++row) {
        RECT r = Bounds(row);
        EXPECT_TRUE(
            SpanIs(*canvas, FillLeft(row), r.bottom - 1, client.right - 2, r.bottom - 1, kPen))
            << "row " << row;
        // The line's end point is left out, and the fill is exactly as wide as the client
        // area, so no line goes up the right edge.
        EXPECT_NE(kPen, canvas->At(client.right - 1, r.bottom - 1));
        EXPECT_TRUE(SpanIs(*canvas, client.right - 1, r.top, client.right - 1, r.bottom - 1,
                           row == 0 ? kSystemColor : kCustomColor));
    }

    list.m_bGridLines = FALSE;
    canvas = PrintClient();
    EXPECT_TRUE(
        SpanIs(*canvas, b.right, b.bottom - 1, client.right - 1, b.bottom - 1, kSystemColor));
}

TEST_F(EndpointListPaintTest, FocusedRowIsMarkedOnlyWhileTheListHasTheFocus)
{
    AddRow("127.0.0.1", "53");
    AddRow("127.0.0.1", "1900");
    AddRow("127.0.0.1", "2000");
    list.SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);
    RECT b = Bounds(1);
    int left = FillLeft(1);
    int right = client.right - 1;

    // Grid lines off: a full outline around the row's fill.
    list.m_bGridLines = FALSE;
    FocusList();
    auto canvas = PrintClient();
    EXPECT_TRUE(SpanIs(*canvas, left, b.top, right, b.top, kPen));
    EXPECT_TRUE(SpanIs(*canvas, left, b.bottom - 1, right, b.bottom - 1, kPen));
    EXPECT_TRUE(SpanIs(*canvas, left, b.top, left, b.bottom - 1, kPen));
    EXPECT_TRUE(SpanIs(*canvas, right, b.top, right, b.bottom - 1, kPen));
    EXPECT_EQ(kCustomColor, canvas->At(left + 1, Middle(1)));
    // The other rows carry no line right of the columns.
    EXPECT_TRUE(
        SpanIs(*canvas, Bounds(0).right, Bounds(0).top, right, Bounds(0).bottom - 1, kSystemColor));
    EXPECT_TRUE(
        SpanIs(*canvas, Bounds(2).right, Bounds(2).top, right, Bounds(2).bottom - 1, kCustomColor));

    // Grid lines on: the bottom line and the right edge, no top or left side.
    list.m_bGridLines = TRUE;
    canvas = PrintClient();
    EXPECT_TRUE(SpanIs(*canvas, left, b.bottom - 1, right, b.bottom - 1, kPen));
    EXPECT_TRUE(SpanIs(*canvas, right, b.top, right, b.bottom - 1, kPen));
    EXPECT_EQ(kCustomColor, canvas->At(left, Middle(1)));
    EXPECT_TRUE(SpanIs(*canvas, b.right, b.top, right - 1, b.top, kCustomColor));
    // An unfocused row's grid line stops short of the right edge.
    EXPECT_EQ(kCustomColor, canvas->At(right, Middle(2)));

    // Focus elsewhere: the focused row looks like any other.
    list.m_bGridLines = FALSE;
    FocusElsewhere();
    canvas = PrintClient();
    EXPECT_TRUE(SpanIs(*canvas, b.right, b.top, right, b.bottom - 1, kCustomColor));
    EXPECT_EQ(kCustomColor, canvas->At(left, Middle(1)));
}

TEST_F(EndpointListPaintTest, LinesUseTheDcPenAndTheDcIsRestored)
{
    AddRow("127.0.0.1", "53");
    const COLORREF kRed = RGB(255, 0, 0);
    const COLORREF kPresetText = RGB(7, 8, 9);
    const COLORREF kPresetBack = RGB(9, 8, 7);
    CCanvas canvas(client.right, client.bottom, ListFont());
    fw::CPen pen(::CreatePen(PS_SOLID, 1, kRed));
    fw::CSelectObject selectPen(canvas.Dc(), pen);
    ::SetTextColor(canvas.Dc(), kPresetText);
    ::SetBkColor(canvas.Dc(), kPresetBack);
    ::SetBkMode(canvas.Dc(), OPAQUE);
    DRAWITEMSTRUCT dis = {};
    dis.itemID = 0;
    dis.hDC = canvas.Dc();
    list.DrawItem(&dis);

    RECT b = Bounds(0);
    EXPECT_TRUE(
        SpanIs(canvas, kFirstColumnWidth - 1, b.top, kFirstColumnWidth - 1, b.bottom, kRed));
    EXPECT_TRUE(SpanIs(canvas, FillLeft(0), b.bottom - 1, client.right - 2, b.bottom - 1, kRed));
    // With an opaque background mode the text cells show the DC's background colour:
    // that must be the port colour, not the first fill or the colour found in the DC.
    RECT row = {b.left, b.top, client.right, b.bottom - 1};
    EXPECT_GT(CountColor(canvas, row, kText), 0);
    EXPECT_EQ(0, CountColor(canvas, row, kBackColor));
    EXPECT_EQ(0, CountColor(canvas, row, kPresetBack));

    EXPECT_EQ(kPresetText, ::GetTextColor(canvas.Dc()));
    EXPECT_EQ(kPresetBack, ::GetBkColor(canvas.Dc()));
    EXPECT_EQ(static_cast<HGDIOBJ>(pen), ::GetCurrentObject(canvas.Dc(), OBJ_PEN));
}

class EndpointListTextTest : public EndpointListPaintTest {
protected:
    // Draws `text` as the row would, with `format` on a `fill` background, into a
    // canvas of its own.
    std::unique_ptr<CCanvas> Reference(const std::string& text, const RECT& rc, COLORREF fill,
                                       UINT format) const
    {
        auto canvas = std::make_unique<CCanvas>(client.right, client.bottom, ListFont());
        fw::FillSolidRect(canvas->Dc(), client, fill);
        ::SetTextColor(canvas->Dc(), kText);
        ::SetBkColor(canvas->Dc(), fill);
        RECT textRect = rc;
        ::DrawTextA(canvas->Dc(), text.c_str(), -1, &textRect,
                    format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        return canvas;
    }

    // Pixels of `area` that differ between the two canvases.
    static int Differences(const CCanvas& a, const CCanvas& b, const RECT& area)
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x)
                count += a.At(x, y) != b.At(x, y) ? 1 : 0;
        }
        return count;
    }
};

TEST_F(EndpointListTextTest, LongTextIsCutWithAnEllipsis)
{
    const std::string host = "a-rather-long-host-name-for-this-column.example.org";
    AddRow(host.c_str(), "53");
    list.m_bGridLines = FALSE;
    auto canvas = PrintClient();

    RECT b = Bounds(0);
    int inset = TextInset();
    ASSERT_GT(inset, 0);
    RECT textRect = {b.left + inset, b.top, b.left + kFirstColumnWidth - inset, b.bottom};
    auto cut = Reference(host, textRect, kSystemColor, DT_LEFT | DT_END_ELLIPSIS);
    auto clipped = Reference(host, textRect, kSystemColor, DT_LEFT);
    ASSERT_GT(Differences(*cut, *clipped, textRect), 0) << "the text must not fit";

    EXPECT_EQ(0, Differences(*canvas, *cut, textRect));
    EXPECT_GT(CountColor(*canvas, textRect, kText), 0);
    // Nothing is drawn in the insets on either side of the text.
    EXPECT_TRUE(SpanIs(*canvas, b.left, b.top, textRect.left - 1, b.bottom - 1, kSystemColor));
    EXPECT_TRUE(SpanIs(*canvas, textRect.right, b.top, b.left + kFirstColumnWidth - 2, b.bottom - 1,
                       kSystemColor));
}

TEST_F(EndpointListTextTest, TextFollowsTheColumnJustification)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    column.fmt = LVCFMT_RIGHT;
    ASSERT_TRUE(list.SendMessage(LVM_SETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
    AddRow("127.0.0.1", "1900");
    list.m_bGridLines = FALSE;
    auto canvas = PrintClient();

    RECT b = Bounds(0);
    int inset = TextInset();
    RECT textRect = {b.left + kFirstColumnWidth + inset, b.top,
                     b.left + kFirstColumnWidth + kSecondColumnWidth - inset, b.bottom};
    auto right = Reference("1900", textRect, kCustomColor, DT_RIGHT);
    auto left = Reference("1900", textRect, kCustomColor, DT_LEFT);
    EXPECT_EQ(0, Differences(*canvas, *right, textRect));
    EXPECT_GT(Differences(*canvas, *left, textRect), 0);
    EXPECT_GT(CountColor(*canvas, textRect, kText), 0);
}

TEST(EndpointListFrameTest, MainFramePaintsPolledRowsInPortColours)
{
    auto table = std::make_unique<CFakeUdpTable>();
    table->rows = {{0x7F000001, 53}, {0x7F000001, 40000}};
    auto* frame = new CMainFrame(std::move(table), std::make_shared<CFakeNameLookup>());
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    HWND hwnd = *frame;
    // The frame deletes itself with its window.
    struct CCloser {
        HWND hwnd;
        ~CCloser() { ::DestroyWindow(hwnd); }
    } closer{hwnd};
    ::SetWindowPos(hwnd, nullptr, 0, 0, 800, 500, SWP_NOZORDER | SWP_SHOWWINDOW);
    CEndpointListCtrl& list = frame->m_wndEndpointList;
    list.m_crSystemColor = kSystemColor;
    list.m_crCustomColor = kCustomColor;
    frame->RefreshUdpInfo();
    ASSERT_EQ(2, list.GetItemCount());

    RECT client = list.GetClientRect();
    ASSERT_GT(client.right, 300);
    CCanvas canvas(client.right, client.bottom,
                   reinterpret_cast<HFONT>(list.SendMessage(WM_GETFONT)));
    list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    const COLORREF expected[] = {kSystemColor, kCustomColor};
    for (int row = 0; row < 2; ++row) {
        RECT b = {};
        list.GetItemRect(row, b, LVIR_BOUNDS);
        EXPECT_EQ(expected[row], canvas.At(client.right - 2, (b.top + b.bottom) / 2)) << row;
    }
}

// Paint time of a screenful of rows through the real paint path. Printed, not asserted.
TEST(EndpointListPaintTiming, FullScreenOfRows)
{
    const int kRows = 40;
    const int kRepeats = 50;
    fw::CWnd parent;
    LPCSTR className = fw::CWnd::RegisterWndClass("TarnwickListPaintParent", 0);
    RECT rc = {0, 0, 1024, 768};
    ASSERT_TRUE(parent.CreateEx(0, className, "", WS_POPUP | WS_VISIBLE, rc, nullptr, 0));
    CEndpointListCtrl list;
    CreateEndpointList(list, parent, 1024, 768);
    for (int row = 0; row < kRows; ++row) {
        list.InsertItem(row, "192.168.100.200");
        list.SetItemText(row, 1, std::to_string(1000 + 37 * row).c_str());
    }
    PumpMessages(50);

    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER stop;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < kRepeats; ++i) {
        ::InvalidateRect(list, nullptr, TRUE);
        ::UpdateWindow(list);
    }
    ::GdiFlush();
    ::QueryPerformanceCounter(&stop);
    double ms = 1000.0 * static_cast<double>(stop.QuadPart - start.QuadPart) /
                static_cast<double>(frequency.QuadPart) / kRepeats;

    RECT client = list.GetClientRect();
    CCanvas canvas(client.right, client.bottom,
                   reinterpret_cast<HFONT>(list.SendMessage(WM_GETFONT)));
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < kRepeats; ++i) {
        for (int row = 0; row < kRows; ++row) {
            DRAWITEMSTRUCT dis = {};
            dis.itemID = static_cast<UINT>(row);
            dis.hDC = canvas.Dc();
            list.DrawItem(&dis);
        }
    }
    ::GdiFlush();
    ::QueryPerformanceCounter(&stop);
    double directMs = 1000.0 * static_cast<double>(stop.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart) / kRepeats;
    std::printf("paint-full-screen: %.2f ms (%d rows x 2 columns, 1024x768 list, "
                "InvalidateRect + UpdateWindow, mean of %d)\n",
                ms, kRows, kRepeats);
    std::printf("paint-full-screen-drawitem: %.2f ms (%d DrawItem calls into a memory DIB, "
                "mean of %d)\n",
                directMs, kRows, kRepeats);
}

} // namespace
