#include "main/SecondaryWindows.h"

#include <gtest/gtest.h>

#include "main/CommandIds.h"

TEST(SecondaryWindows, AboutTextsStandBelowEachOtherAndCloseAtTheRight) {
    const AboutLayout layout = AboutWindowLayout(284, 250);
    ASSERT_EQ(layout.labels.size(), 6u);
    EXPECT_EQ(layout.labels[0].id, ControlAboutPanelFirst + 1);
    EXPECT_EQ(layout.labels[0].text, "Vantrel");
    EXPECT_EQ(layout.labels[0].place.x, layout.icon.x + layout.icon.width + 12);
    for (size_t i = 1; i < layout.labels.size(); ++i) {
        const WindowPlacement& above = layout.labels[i - 1].place;
        EXPECT_GE(layout.labels[i].place.y, above.y + above.height) << i;
    }
    EXPECT_EQ(layout.labels[5].place.width, 260);
    EXPECT_EQ(layout.licenseText.height, 190);
    EXPECT_EQ(layout.close.x + layout.close.width, 284 - 12);
    EXPECT_EQ(layout.close.y, 214);
    EXPECT_EQ(layout.information.x, layout.license.x);
}

TEST(SecondaryWindows, CentredPlacementStandsInTheMiddle) {
    const WindowPlacement place = CentredPlacement({100, 50, 500, 350}, 200, 100);
    EXPECT_EQ(place.x, 200);
    EXPECT_EQ(place.y, 150);
    EXPECT_EQ(place.width, 200);
}
