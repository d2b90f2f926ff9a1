#include "main/database/RatingProgressLayout.h"

WindowPlacement RatingProgressWindowPlace(int left, int top, int right, int bottom) {
    return CentredPlacement({left, top, right, bottom}, kRatingProgressWidth, kRatingProgressHeight);
}

RatingProgressPlaces RatingProgressControlPlaces(int clientWidth, int clientHeight) {
    const int left = kRatingProgressPanelMargin + 8;
    const int top = kRatingProgressPanelMargin + 6;
    const int textLeft = left + 40;
    const int right = clientWidth - kRatingProgressPanelMargin - 8;
    const int rowTop = clientHeight - kRatingProgressPanelMargin - 32;
    RatingProgressPlaces places;
    places.image = {left, top, 32, 32};
    places.searching = {textLeft, top, right - textLeft, 16};
    places.caption = {textLeft, top + 18, right - textLeft, 16};
    places.bar = {left, rowTop + 4, right - left - 90, 16};
    places.cancel = {right - 80, rowTop, 80, 24};
    return places;
}
