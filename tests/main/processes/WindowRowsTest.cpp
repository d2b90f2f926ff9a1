#include <gtest/gtest.h>

#include "main/processes/WindowRows.h"

namespace {

WindowRecord Window(int left, int top, int width, int height) {
    WindowRecord window;
    window.title = "Editor";
    window.left = left;
    window.top = top;
    window.width = width;
    window.height = height;
    return window;
}

}  // namespace

TEST(WindowRows, TheCheckBoxesWidenTheList) {
    const WindowFilter none{}, all{true, true, true};
    WindowRecord hidden = Window(10, 10, 100, 100);
    hidden.visible = false;
    WindowRecord flat = Window(10, 10, 100, 0);
    WindowRecord right = Window(1280, 10, 100, 100);  // on a second monitor beside a 1280-wide one
    WindowRecord above = Window(10, -100, 100, 100);
    for (const WindowRecord& window : {hidden, flat, right, above}) {
        EXPECT_FALSE(WindowListed(window, none, 1280, 800)) << window.left << "," << window.top;
        EXPECT_TRUE(WindowListed(window, all, 1280, 800)) << window.left << "," << window.top;
    }
    WindowRecord minimised = Window(-32000, -32000, 160, 24);
    minimised.minimised = true;
    EXPECT_TRUE(WindowListed(minimised, none, 1280, 800));
    EXPECT_TRUE(WindowListed(Window(1279, -99, 100, 100), none, 1280, 800));
    WindowRecord desktop = Window(0, 0, 1280, 800);
    desktop.title = "Program Manager";
    WindowRecord untitled = Window(0, 0, 10, 10);
    untitled.title.clear();
    EXPECT_FALSE(WindowListed(desktop, all, 1280, 800));
    EXPECT_FALSE(WindowListed(untitled, all, 1280, 800));
}

TEST(WindowRows, TranslucencyAndRepairedPlacement) {
    const int expected[] = {230, 204, 178, 153, 128, 102, 76, 51, 26};
    for (int step = 1; step <= 9; ++step)
        EXPECT_EQ(expected[step - 1], TransparencyAlpha(step * 10)) << step * 10 << " %";
    WindowPlacement place = RepairedPlacement(1279, 799);
    EXPECT_EQ(319, place.x);
    EXPECT_EQ(199, place.y);
    EXPECT_EQ(639, place.width);
    EXPECT_EQ(399, place.height);
}
