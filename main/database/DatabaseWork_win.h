#pragma once
// Waits on the rating server without freezing the program: the exchange runs on a worker thread
// while the window thread keeps the windows drawn and the progress window's Cancel live.

#include <functional>
#include <string>

#include "main/database/RatingProgress_win.h"

// The progress window opens when the work takes longer than this.
constexpr unsigned kDatabaseWorkQuietMilliseconds = 300;

// Runs `work` (which must use only what it holds itself: copies of the network and texts) and puts
// its result into `result`. False when the user pressed Cancel: the worker then finishes on its own
// and its result is dropped. The caller closes the progress window (CloseRatingProgress) when its
// whole command is done.
bool RunDatabaseWork(const RatingProgressSetup& setup,
                     const std::string& caption,
                     std::function<int()> work,
                     int& result);
