#pragma once
// Where the controls of the rating dialog and the account dialog go: the arithmetic apart from the
// windows that apply it. Both windows are light blue with a white panel inside their edges.

#include "main/Geometry.h"

constexpr int kRatingDialogWidth = 570;
constexpr int kRatingDialogHeight = 275;
constexpr int kAccountDialogWidth = 350;
constexpr int kAccountDialogHeight = 155;
constexpr int kDatabaseDialogPanelMargin = 6;

struct RatingDialogPlaces {
    WindowPlacement file;  // the name of the file being rated
    WindowPlacement ratingFrame;
    WindowPlacement options[3];  // unknown, part of the system, trustworthy
    WindowPlacement descriptionFrame;
    WindowPlacement description;
    WindowPlacement ok;
    WindowPlacement cancel;
};

struct AccountDialogPlaces {
    WindowPlacement prompt;
    WindowPlacement nameLabel;
    WindowPlacement name;
    WindowPlacement passwordLabel;
    WindowPlacement password;
    WindowPlacement ok;
    WindowPlacement cancel;
};

// The places in a client area of that size.
RatingDialogPlaces RatingDialogControlPlaces(int clientWidth, int clientHeight);
AccountDialogPlaces AccountDialogControlPlaces(int clientWidth, int clientHeight);
