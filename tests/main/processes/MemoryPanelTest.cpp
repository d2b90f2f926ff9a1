#include "main/processes/MemoryPanel.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryPanelTest, EachGroupTakesItsWidestText) {
    std::array<size_t, kMemoryPanelLines> groups = {0, 0, 0, 0, 1, 1, 1};
    std::array<int, kMemoryPanelLines> widths = {10, 40, 20, 5, 30, 12, 3};
    std::array<int, 2> expected = {40, 30};
    EXPECT_EQ(WidestOfGroups(groups, widths, 0), expected);
    expected = {40, 35};
    EXPECT_EQ(WidestOfGroups(groups, widths, 35), expected);
}

}  // namespace
