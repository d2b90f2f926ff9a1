// The preferences window's content apart from the window: every control inside its page and clear
// of its neighbours, the fields' limits and the search engines.
#include "main/PreferencesWindow.h"

#include <gtest/gtest.h>

#include <map>

#include "main/CommandIds.h"
#include "tests/harness/TestSupport.h"

namespace {

bool Overlap(const WindowPlacement& a, const WindowPlacement& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(PreferencesWindowLayout, ControlsStayInsideTheirPageAndClearOfEachOther) {
    UseSourceLanguage();
    // The client area of a 520 x 420 window with a caption and a thin frame.
    const std::vector<PreferencesControl> controls = PreferencesControls(514, 391);
    std::map<int, WindowPlacement> pages;
    for (const PreferencesControl& control : controls) {
        if (control.id == ControlPreferencesPage1 || control.id == ControlPreferencesPage2)
            pages[control.id == ControlPreferencesPage1 ? 1 : 2] = control.place;
    }
    ASSERT_EQ(pages.size(), 2u);
    for (const PreferencesControl& control : controls) {
        const WindowPlacement& at = control.place;
        if (control.page == 0) {
            EXPECT_TRUE(at.x >= 0 && at.y >= 0 && at.x + at.width <= 514 && at.y + at.height <= 391) << control.id;
            continue;
        }
        const WindowPlacement& page = pages[control.page];
        // A chooser's height includes its opened list, which may reach past the page.
        const int height = control.kind == PreferencesControlKind::Chooser ? 21 : at.height;
        EXPECT_TRUE(at.x >= 0 && at.y >= 0 && at.x + at.width <= page.width && at.y + height <= page.height)
            << control.id;
        for (const PreferencesControl& other : controls) {
            const bool framed =
                control.kind == PreferencesControlKind::Frame || other.kind == PreferencesControlKind::Frame ||
                control.kind == PreferencesControlKind::Chooser || other.kind == PreferencesControlKind::Chooser;
            if (other.id != control.id && other.page == control.page && !framed)
                EXPECT_FALSE(Overlap(at, other.place)) << control.id << " and " << other.id;
        }
    }
    // The page button's halves meet where a click turns the page.
    EXPECT_EQ(PreferencesPageAt(kPreferencesPageSplit - 1), 1);
    EXPECT_EQ(PreferencesPageAt(kPreferencesPageSplit), 2);
}

TEST(PreferencesWindowLayout, FieldsAreKeptWithinWhatTheProgramCanUse) {
    EXPECT_EQ(IntervalFromField(""), 100);
    EXPECT_EQ(IntervalFromField("0"), 100);
    EXPECT_EQ(IntervalFromField("2500"), 2500);
    EXPECT_EQ(IntervalFromField("99999999999999"), 99999);
    EXPECT_EQ(ExitCodeFromField("20000"), kExitCodeHighest);
    EXPECT_EQ(ExitCodeFromField(""), 0);
    for (const SearchEngine& engine : SearchEngines())
        EXPECT_NE(engine.address.find("<%1>"), std::string::npos) << engine.name;
    EXPECT_EQ(SearchEngines().front().address, kDefaultSearchString);
}

}  // namespace
