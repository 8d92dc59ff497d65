#include "EndpointText.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {
namespace {

TEST(EndpointText, BlockLinesRoundTrip)
{
    std::string block;
    AppendEndpointLine(block, "0.0.0.0", "53");
    EXPECT_EQ(block, "0.0.0.0:53 \r\n");
    AppendEndpointLine(block, "192.168.1.10", "40000");

    std::vector<std::string> taken;
    std::size_t pos = 0;
    std::string_view host;
    std::string_view port;
    while (TakeEndpointLine(block, pos, host, port))
        taken.push_back(std::string(host) + "|" + std::string(port));
    EXPECT_EQ(taken, (std::vector<std::string>{"0.0.0.0|53", "192.168.1.10|40000"}));
}

} // namespace
} // namespace tarnwick
