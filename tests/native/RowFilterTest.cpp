#include "monitor/RowFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

using Indices = std::vector<std::size_t>;

CEndpointRows MakeRows(const std::vector<std::vector<std::string>>& texts)
{
    CEndpointRows rows;
    for (const auto& row : texts) {
        rows.Edit().emplace_back();
        std::copy(row.begin(), row.end(), rows.Edit().back().texts);
    }
    return rows;
}

Indices Shown(const CRowFilter& filter, const CEndpointRows& rows)
{
    Indices shown;
    for (std::size_t item = 0; item < filter.Count(rows); ++item)
        shown.push_back(filter.RowIndex(item));
    return shown;
}

// Each shown cell counts, ASCII letters in any case; the owner's columns only while shown.
TEST(RowFilter, KeepsTheRowsWithTheTextInAShownCell)
{
    const CEndpointRows rows = MakeRows({{"127.0.0.1", "41100", "4110", "svchost.exe"},
                                         {"TESTHOST", "domain", "0", "System"},
                                         {"10.0.0.1", "41109", "88",
                                          "\xC5\x81\xC3\xB3"
                                          "dz.exe"}});
    const struct {
        const char* text;
        int columns;
        Indices shown;
    } cases[] = {
        {"", 4, {0, 1, 2}},  {"4110", 2, {0, 2}},
        {"4110", 4, {0, 2}}, {"testHost", 2, {1}},
        {"DOMAIN", 2, {1}},  {"88", 2, {}},
        {"88", 4, {2}},      {"SVCHOST.EXE", 4, {0}},
        {"SVCHOST", 2, {}},  {"\xC5\x81\xC3\xB3", 4, {2}},
        {"0.0.", 2, {0, 2}}, {"x", 4, {0, 2}},
    };
    for (const auto& c : cases) {
        CRowFilter filter;
        filter.SetText(c.text);
        filter.Apply(rows, c.columns);
        EXPECT_EQ(Shown(filter, rows), c.shown) << c.text << " " << c.columns;
    }
}

// A sort of the shown rows moves them among their own places; hidden rows stay put, and the
// same rows stay shown.
TEST(RowFilter, TheShownRowsSortAmongTheirPlacesAndTheFilterHoldsForNewRows)
{
    CEndpointRows rows = MakeRows({{"a1"}, {"b"}, {"a2"}, {"c"}, {"a3"}});
    CRowFilter filter;
    filter.SetText("A");
    filter.Apply(rows, 2);
    rows.Reorder(filter.RowOrder({2, 0, 1}, rows.Count()));
    std::vector<std::string> firstColumn;
    for (const EndpointRow& row : rows.Rows())
        firstColumn.push_back(row.texts[0]);
    EXPECT_EQ(firstColumn, (std::vector<std::string>{"a3", "b", "a1", "c", "a2"}));
    EXPECT_EQ(Shown(filter, rows), (Indices{0, 2, 4}));
    // The next poll's rows: a new one that matches shows, one that does not stays hidden.
    rows = MakeRows({{"new A"}, {"a3"}, {"b"}, {"new"}, {"a1"}, {"c"}, {"a2"}});
    filter.Apply(rows, 2);
    EXPECT_EQ(Shown(filter, rows), (Indices{0, 1, 4, 6}));
}

TEST(RowFilter, SaysHowManyRowsItShowsOfAll)
{
    EXPECT_EQ(ShownCountText(3, 1510), "3 of 1,510 endpoints");
    EXPECT_EQ(ShownCountText(0, 999), "0 of 999 endpoints");
    EXPECT_EQ(ShownCountText(1234567, 20000), "1,234,567 of 20,000 endpoints");
}

} // namespace
} // namespace tarnwick
