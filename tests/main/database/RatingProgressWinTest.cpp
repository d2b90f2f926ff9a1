#include "main/database/RatingProgress_win.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "main/CommandIds.h"

namespace {

// A stand-in for the main window that counts the key presses it gets.
int g_keysSeen = 0;

LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        ++g_keysSeen;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class RatingProgressWin : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = MainProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "RatingProgressTestMain";
        RegisterClassA(&windowClass);
        main_ = CreateWindowExA(0, "RatingProgressTestMain", "Vantrel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 640,
                                500, nullptr, nullptr, windowClass.hInstance, nullptr);
        setup_.instance = windowClass.hInstance;
        setup_.owner = main_;
        setup_.disabledWindows = {main_};
        setup_.title = "Vantrel";
        setup_.searchingText = "Searching the database...";
        setup_.cancelText = "Cancel";
    }
    void TearDown() override {
        RatingDatabase database;
        CloseRatingProgress(database);
        DestroyWindow(main_);
    }

    HWND Child(int id) const { return GetDlgItem(RatingProgressWindow(), id); }

    HWND main_ = nullptr;
    RatingProgressSetup setup_;
};

TEST_F(RatingProgressWin, OpensOnlyWhenAskedAndShowsTheCaption) {
    EXPECT_FALSE(RatingProgressStep(setup_, "first.exe", false));
    EXPECT_EQ(RatingProgressWindow(), nullptr);

    EXPECT_FALSE(RatingProgressStep(setup_, "second.exe", true));
    HWND window = RatingProgressWindow();
    ASSERT_NE(window, nullptr);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, kRatingProgressWidth);
    EXPECT_EQ(frame.bottom - frame.top, kRatingProgressHeight);
    char text[256];
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "Vantrel");
    EXPECT_FALSE(IsWindowEnabled(main_));
    ASSERT_NE(Child(ControlRatingProgressCancel), nullptr);
    GetWindowTextA(Child(ControlRatingProgressCancel), text, sizeof text);
    EXPECT_STREQ(text, "Cancel");

    EXPECT_FALSE(RatingProgressStep(setup_, "third.exe", true));
    EXPECT_EQ(RatingProgressWindow(), window) << "an open window stays the same";
    bool captionShown = false;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        GetWindowTextA(child, text, sizeof text);
        captionShown = captionShown || std::string(text) == "third.exe";
    }
    EXPECT_TRUE(captionShown);

    if (const char* hold = std::getenv("VANTREL_HOLD_MILLISECONDS")) {  // for a screenshot
        for (DWORD end = GetTickCount() + std::atoi(hold); GetTickCount() < end; Sleep(20)) {
            RatingProgressStep(setup_, "C:\\Program Files\\Editor\\editor.exe", true);
        }
    }

    RatingDatabase database;
    database.cancelled = true;
    CloseRatingProgress(database);
    EXPECT_EQ(RatingProgressWindow(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsWindowEnabled(main_));
    EXPECT_FALSE(database.cancelled);
}

TEST_F(RatingProgressWin, ClickOnCancelIsSeenWhileInputElsewhereIsDropped) {
    RatingProgressStep(setup_, "one.exe", true);
    HWND cancel = Child(ControlRatingProgressCancel);
    ASSERT_NE(cancel, nullptr);
    g_keysSeen = 0;
    PostMessageA(main_, WM_KEYDOWN, VK_F5, 0);
    PostMessageA(cancel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(cancel, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(RatingProgressStep(setup_, "two.exe", false));
    EXPECT_EQ(g_keysSeen, 0);

    // Through the lookups: Cancel ends the pass, and every lookup is empty until the window closes.
    RatingDatabase database;
    database.network.started = true;
    database.network.tick = [] { return static_cast<int64_t>(GetTickCount()); };
    database.now = [] { return int64_t{1700000000}; };
    database.progress = [this](const std::string& caption, bool open) {
        return RatingProgressStep(setup_, caption, open);
    };
    RatingEntry entry;
    entry.hash = std::string(40, 'a');
    entry.rating = 2;
    entry.queried = 1700000000;
    AppendRating(database.cache, entry);
    EXPECT_EQ(QueryRating(database, std::string(40, 'b'), "b.exe"), 0);
    EXPECT_TRUE(database.cancelled);
    EXPECT_EQ(RatingLookup(database, std::string(40, 'a'), "a.exe", true), 0);
    CloseRatingProgress(database);
    EXPECT_EQ(RatingLookup(database, std::string(40, 'a'), "a.exe", true), 2);
}

}  // namespace
