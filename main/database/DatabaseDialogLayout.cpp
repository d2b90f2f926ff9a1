#include "main/database/DatabaseDialogLayout.h"

namespace {

// Inside the white panel: the contents keep this distance from the client area's edges.
constexpr int kInset = kDatabaseDialogPanelMargin + 12;
constexpr int kButtonHeight = 24;
constexpr int kButtonGap = 8;

// OK and Cancel at the bottom right, Cancel outermost, `inset` from the client area's edges.
void PlaceButtons(int clientWidth,
                  int clientHeight,
                  int buttonWidth,
                  int inset,
                  WindowPlacement& ok,
                  WindowPlacement& cancel) {
    const int y = clientHeight - inset - kButtonHeight;
    cancel = {clientWidth - inset - buttonWidth, y, buttonWidth, kButtonHeight};
    ok = {cancel.x - kButtonGap - buttonWidth, y, buttonWidth, kButtonHeight};
}

}  // namespace

RatingDialogPlaces RatingDialogControlPlaces(int clientWidth, int clientHeight) {
    RatingDialogPlaces places;
    const int width = clientWidth - 2 * kInset;
    places.file = {kInset, kInset - 2, width, 16};
    PlaceButtons(clientWidth, clientHeight, 90, kInset, places.ok, places.cancel);
    const int frameTop = places.file.y + places.file.height + 6;
    const int frameHeight = places.ok.y - 10 - frameTop;
    const int ratingWidth = 190;
    places.ratingFrame = {kInset, frameTop, ratingWidth, frameHeight};
    for (int i = 0; i < 3; ++i) {
        places.options[i] = {kInset + 12, frameTop + 22 + 28 * i, ratingWidth - 24, 20};
    }
    const int descriptionLeft = kInset + ratingWidth + 12;
    places.descriptionFrame = {descriptionLeft, frameTop, clientWidth - kInset - descriptionLeft, frameHeight};
    places.description = {descriptionLeft + 12, frameTop + 22, places.descriptionFrame.width - 24, frameHeight - 34};
    return places;
}

AccountDialogPlaces AccountDialogControlPlaces(int clientWidth, int clientHeight) {
    AccountDialogPlaces places;
    const int labelWidth = 70;
    const int fieldLeft = kInset + labelWidth + 6;
    const int fieldWidth = clientWidth - kInset - fieldLeft;
    // Rows close together: a thick window frame leaves this window's client area barely 115 high.
    places.prompt = {kInset, 10, clientWidth - 2 * kInset, 16};
    places.nameLabel = {kInset, 33, labelWidth, 16};
    places.name = {fieldLeft, 30, fieldWidth, 21};
    places.passwordLabel = {kInset, 58, labelWidth, 16};
    places.password = {fieldLeft, 55, fieldWidth, 21};
    PlaceButtons(clientWidth, clientHeight, 80, 2 * kDatabaseDialogPanelMargin, places.ok, places.cancel);
    return places;
}
