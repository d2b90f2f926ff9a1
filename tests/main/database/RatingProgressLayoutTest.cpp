#include "main/database/RatingProgressLayout.h"

#include "main/database/DatabaseDialogLayout.h"

#include <gtest/gtest.h>

#include <vector>

TEST(RatingProgressLayout, WindowIsCentredOverTheRectangle) {
    const WindowPlacement place = RatingProgressWindowPlace(100, 50, 900, 650);
    EXPECT_EQ(place.x, 100 + (800 - kRatingProgressWidth) / 2);
    EXPECT_EQ(place.y, 50 + (600 - kRatingProgressHeight) / 2);
    EXPECT_EQ(place.width, kRatingProgressWidth);
    EXPECT_EQ(place.height, kRatingProgressHeight);
}

TEST(RatingProgressLayout, TextsFollowTheImageAndTheButtonRowSitsAtTheBottomRight) {
    const RatingProgressPlaces places = RatingProgressControlPlaces(314, 100);
    EXPECT_EQ(places.image.x, 14);
    EXPECT_EQ(places.image.y, 12);
    EXPECT_EQ(places.searching.x, 54);
    EXPECT_EQ(places.searching.width, 300 - 54);
    EXPECT_EQ(places.caption.y, 30);
    EXPECT_EQ(places.cancel.x + places.cancel.width, 300);
    EXPECT_EQ(places.cancel.y, 62);
    EXPECT_EQ(places.bar.y, 66);
    EXPECT_EQ(places.bar.x + places.bar.width + 10, places.cancel.x);
}

namespace {

bool Inside(const WindowPlacement& inner, const WindowPlacement& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

// Every control on the white panel of a client area of that size, no two of them overlapping.
void ExpectOnPanelApart(int width, int height, const std::vector<WindowPlacement>& controls) {
    const int margin = kDatabaseDialogPanelMargin;
    for (size_t i = 0; i < controls.size(); ++i) {
        const WindowPlacement& a = controls[i];
        EXPECT_TRUE(Inside(a, {margin, margin, width - 2 * margin, height - 2 * margin})) << height << ": " << i;
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const WindowPlacement& b = controls[j];
            EXPECT_TRUE(a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y)
                << height << ": " << i << " and " << j;
        }
    }
}

// With the client areas that a classic and a thick window frame leave.
TEST(DatabaseDialogLayout, ControlsStayOnThePanelApartFromEachOther) {
    for (int frame : {26, 40}) {
        const RatingDialogPlaces r = RatingDialogControlPlaces(564, kRatingDialogHeight - frame);
        ExpectOnPanelApart(564, kRatingDialogHeight - frame,
                           {r.file, r.ratingFrame, r.descriptionFrame, r.ok, r.cancel});
        for (const WindowPlacement& option : r.options)
            EXPECT_TRUE(Inside(option, r.ratingFrame)) << frame;
        EXPECT_TRUE(Inside(r.description, r.descriptionFrame)) << frame;
        const AccountDialogPlaces a = AccountDialogControlPlaces(344, kAccountDialogHeight - frame);
        ExpectOnPanelApart(344, kAccountDialogHeight - frame,
                           {a.prompt, a.nameLabel, a.name, a.passwordLabel, a.password, a.ok, a.cancel});
    }
}

}  // namespace
