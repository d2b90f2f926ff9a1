#include "main/database/RatingProgressLayout.h"

#include "main/database/DatabaseDialogLayout.h"

#include <gtest/gtest.h>

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

bool Apart(const WindowPlacement& a, const WindowPlacement& b) {
    return a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
}

// With the client areas of the classic and of a thick window frame, every control lies on the white
// panel, and no two overlap (the options sit inside their frame, the text field inside its own).
TEST(DatabaseDialogLayout, ControlsStayOnThePanelApartFromEachOther) {
    for (int frame : {26, 40}) {
        const int width = kRatingDialogWidth - 6;
        const int height = kRatingDialogHeight - frame;
        const WindowPlacement panel{kDatabaseDialogPanelMargin, kDatabaseDialogPanelMargin,
                                    width - 2 * kDatabaseDialogPanelMargin, height - 2 * kDatabaseDialogPanelMargin};
        const RatingDialogPlaces rating = RatingDialogControlPlaces(width, height);
        const WindowPlacement top[] = {rating.file, rating.ratingFrame, rating.descriptionFrame, rating.ok,
                                       rating.cancel};
        for (const WindowPlacement& a : top) {
            EXPECT_TRUE(Inside(a, panel)) << frame << ": " << a.x << "," << a.y;
            for (const WindowPlacement& b : top)
                EXPECT_TRUE(&a == &b || Apart(a, b)) << frame << ": " << a.x << "," << a.y;
        }
        for (const WindowPlacement& option : rating.options)
            EXPECT_TRUE(Inside(option, rating.ratingFrame)) << frame;
        EXPECT_TRUE(Inside(rating.description, rating.descriptionFrame)) << frame;

        const int accountWidth = kAccountDialogWidth - 6;
        const int accountHeight = kAccountDialogHeight - frame;
        const WindowPlacement accountPanel{kDatabaseDialogPanelMargin, kDatabaseDialogPanelMargin,
                                           accountWidth - 2 * kDatabaseDialogPanelMargin,
                                           accountHeight - 2 * kDatabaseDialogPanelMargin};
        const AccountDialogPlaces account = AccountDialogControlPlaces(accountWidth, accountHeight);
        const WindowPlacement controls[] = {account.prompt,   account.nameLabel, account.name,  account.passwordLabel,
                                            account.password, account.ok,        account.cancel};
        for (const WindowPlacement& a : controls) {
            EXPECT_TRUE(Inside(a, accountPanel)) << frame << ": " << a.x << "," << a.y;
            for (const WindowPlacement& b : controls)
                EXPECT_TRUE(&a == &b || Apart(a, b)) << frame << ": " << a.x << "," << a.y;
        }
    }
}

}  // namespace
