#pragma once
// The rating dialog, which uploads a file's rating, and the account dialog it falls back on.

#include <string>

#include "main/database/DatabaseDialog_win.h"

// The fixed, untranslated texts of a failed upload (error icon, no title).
extern const char kUploadFailedText[];  // "Upload failed"
extern const char kNoUserDataText[];    // "No User data"

// Shows the file's current rating and description (a lookup, which may ask the server); OK is
// enabled exactly while either differs from them. OK uploads with the account, after the account
// dialog when the account is incomplete, and stores the upload in the cache. The upload runs off the
// window thread; a failure keeps the dialog open. 1 when a rating was uploaded, else 0.
int RatingDialog(const DatabaseContext& context, const std::string& hash, const std::string& displayName);

// Name and masked password of the account. OK stores both and saves them at once; Cancel or
// closing the window changes nothing. True on OK.
bool AccountDialog(const DatabaseContext& context);
