#include "main/database/DatabaseCommands_win.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "main/database/DatabaseWork_win.h"
#include "main/database/FileHash_win.h"
#include "main/database/RatingDialog_win.h"
#include "main/database/RatingUpload.h"

namespace {

struct SelectedFile {
    size_t row = kNoRow;
    std::string hash;  // empty when the file cannot be read
    std::string name;  // the file part of its path
};

// Taken before any dialog or wait, top to bottom.
std::vector<SelectedFile> SelectedFiles(const RatedList& list) {
    std::vector<SelectedFile> files;
    const RowTable& table = *list.view->table;
    for (size_t row = 0; row < table.rows.size(); ++row) {
        if (!table.rows[row].selected)
            continue;
        const std::string& path = Cell(table, row, list.fileColumn);
        SelectedFile file;
        file.row = row;
        file.name = FileNameOfPath(path);
        const std::string hash = path.empty() ? std::string() : CachedFileHash(path);
        if (hash.size() == kRatingHashLength)
            file.hash = hash;
        files.push_back(file);
    }
    return files;
}

// Columns 1 and 2 and the colour of the row from the cache, then the list and its details view.
void ShowCachedRating(const DatabaseContext& context, const RatedList& list, size_t row, const std::string& hash) {
    const bool online = context.preferences->PreferencesUseDatabase != 0;
    const FileRating rating =
        online ? CachedFileRating(context.database->cache, context.database->texts, hash) : FileRating{};
    ShowRatingInRow(*list.view->table, row, rating);
    InvalidateRect(list.view->list, nullptr, FALSE);
    if (list.updateDetails != nullptr)
        list.updateDetails();
}

// The account for a change on the server: asked for when incomplete. False (after "No User data")
// when it is still incomplete.
bool AccountReady(const DatabaseContext& context) {
    MainPreferences& preferences = *context.preferences;
    if (!AccountComplete(preferences.DatabaseAccountName, preferences.DatabaseAccountPassword))
        AccountDialog(context);
    if (AccountComplete(preferences.DatabaseAccountName, preferences.DatabaseAccountPassword))
        return true;
    ShowMessageBox("", kNoUserDataText, kMessageBoxError);
    return false;
}

}  // namespace

void QuerySelectedRows(const DatabaseContext& context, const RatedList& list) {
    RatingDatabase& database = *context.database;
    for (const SelectedFile& file : SelectedFiles(list)) {
        if (file.hash.empty() || !database.network.started)
            continue;
        auto answer = std::make_shared<std::string>();
        int failure = 0;
        const auto ask = [network = database.network, hash = file.hash, answer] {
            int code = 0;
            *answer = QueryServer(network, hash, &code);
            return code;
        };
        if (!RunDatabaseWork(context.progress, file.name, ask, failure))
            break;
        if (StoreQueryAnswer(database, file.hash, *answer, failure) == 1)
            ShowCachedRating(context, list, file.row, file.hash);
    }
    CloseRatingProgress(database);
}

void RateSelectedRows(const DatabaseContext& context, const RatedList& list) {
    // Several processes of one program are one file: it is rated once, and all its rows follow.
    std::map<std::string, int> rated;
    for (const SelectedFile& file : SelectedFiles(list)) {
        if (file.hash.empty())
            continue;
        auto known = rated.find(file.hash);
        if (known == rated.end())
            known = rated.emplace(file.hash, RatingDialog(context, file.hash, file.name)).first;
        if (known->second == 1)
            ShowCachedRating(context, list, file.row, file.hash);
    }
}

void DeleteSelectedRows(const DatabaseContext& context, const RatedList& list) {
    const std::vector<SelectedFile> files = SelectedFiles(list);
    if (files.empty() || !AccountReady(context))
        return;
    RatingDatabase& database = *context.database;
    const MainPreferences& preferences = *context.preferences;
    std::map<std::string, int> deleted;
    for (const SelectedFile& file : files) {
        auto done = deleted.find(file.hash);
        if (done == deleted.end() || file.hash.empty()) {
            int result = 0;
            const auto remove = [network = database.network, hash = file.hash, user = preferences.DatabaseAccountName,
                                 password = preferences.DatabaseAccountPassword] {
                return DeleteRating(network, hash, user, password);
            };
            if (!file.hash.empty() && !RunDatabaseWork(context.progress, file.name, remove, result))
                break;
            done = deleted.emplace(file.hash, result).first;
            if (result == 1)
                StoreDeletedRating(database.cache, file.hash, static_cast<int32_t>(database.now()));
        }
        if (done->second == 1) {
            ShowCachedRating(context, list, file.row, file.hash);
            continue;
        }
        CloseRatingProgress(database);  // the message must not wait behind the progress window
        ShowMessageBox(LanguageText(LanguageKey::Error),
                       LanguageTextWith(LanguageKey::CanNotDeleteDatabase, Cell(*list.view->table, file.row, 0)),
                       kMessageBoxError);
    }
    CloseRatingProgress(database);
}
