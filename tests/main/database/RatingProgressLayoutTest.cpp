#include "main/database/RatingProgressLayout.h"

#include <gtest/gtest.h>

TEST(RatingProgressLayout, WindowIsCentredOverTheRectangle) {
    const ControlPlace place = RatingProgressWindowPlace(100, 50, 900, 650);
    EXPECT_EQ(place.left, 100 + (800 - kRatingProgressWidth) / 2);
    EXPECT_EQ(place.top, 50 + (600 - kRatingProgressHeight) / 2);
    EXPECT_EQ(place.width, kRatingProgressWidth);
    EXPECT_EQ(place.height, kRatingProgressHeight);
}

TEST(RatingProgressLayout, TextsFollowTheImageAndTheButtonRowSitsAtTheBottomRight) {
    const RatingProgressPlaces places = RatingProgressControlPlaces(314, 100);
    EXPECT_EQ(places.image.left, 14);
    EXPECT_EQ(places.image.top, 12);
    EXPECT_EQ(places.searching.left, 54);
    EXPECT_EQ(places.searching.width, 300 - 54);
    EXPECT_EQ(places.caption.top, 30);
    EXPECT_EQ(places.cancel.left + places.cancel.width, 300);
    EXPECT_EQ(places.cancel.top, 62);
    EXPECT_EQ(places.bar.top, 66);
    EXPECT_EQ(places.bar.left + places.bar.width + 10, places.cancel.left);
}
