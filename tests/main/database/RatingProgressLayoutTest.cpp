#include "main/database/RatingProgressLayout.h"

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
