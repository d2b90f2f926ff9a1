#include "main/ImageButtons.h"

#include <gtest/gtest.h>

#include <string>

#include "main/View.h"

namespace {

// The commands of the buttons live in a view with a selected row.
std::string LiveButtons(int view, bool selected) {
    std::string live;
    for (int command : kButtonCommands) {
        if (ButtonEnabled(command, view, selected))
            live += (live.empty() ? "" : " ") + std::to_string(command);
    }
    return live;
}

TEST(ImageButtons, SelectionButtonsFitTheViewAndUnbuiltOnesStayGrey) {
    EXPECT_EQ(LiveButtons(ViewProcesses, false), "18 22 19 20 21 32");
    EXPECT_EQ(LiveButtons(ViewProcesses, true), "18 22 19 20 21 23 24 25 32");
    EXPECT_EQ(LiveButtons(ViewWindows, true), "18 22 19 20 21 23 32");
    EXPECT_EQ(LiveButtons(ViewServices, true), "18 22 19 20 21 24 32");
    EXPECT_EQ(LiveButtons(ViewDrivers, true), "18 22 19 20 21 24 32");
    EXPECT_EQ(LiveButtons(ViewNetworks, true), "18 22 19 20 21 32");
    EXPECT_EQ(LiveButtons(ViewAutoruns, true), "18 22 19 20 21 23 24 32");
}

}  // namespace
