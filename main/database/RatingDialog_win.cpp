#include "main/database/RatingDialog_win.h"

#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "main/CommandIds.h"
#include "main/database/DatabaseDialogLayout.h"
#include "main/database/DatabaseWork_win.h"
#include "main/database/RatingUpload.h"

const char kUploadFailedText[] = "Upload failed";
const char kNoUserDataText[] = "No User data";

namespace {

constexpr int kRatingOptionCount = 3;

struct RatingDialogState {
    const DatabaseContext* context = nullptr;
    std::string hash;
    std::string name;
    RatingChoice initial;
    int uploaded = 0;
};

RatingDialogState& StateOf(DatabaseDialog& dialog) {
    return *static_cast<RatingDialogState*>(dialog.state);
}

// A rating the options cannot show (a server may answer any number) stays as it is until one is chosen.
RatingChoice ChosenRating(HWND window, const RatingChoice& initial) {
    RatingChoice choice = initial;
    for (int option = 0; option < kRatingOptionCount; ++option) {
        if (IsDlgButtonChecked(window, ControlRatingOptionFirst + option) == BST_CHECKED)
            choice.rating = option;
    }
    choice.description = ControlText(GetDlgItem(window, ControlRatingDescription));
    return choice;
}

void UpdateOkButton(DatabaseDialog& dialog) {
    const bool changed = ChosenRating(dialog.window, StateOf(dialog).initial) != StateOf(dialog).initial;
    EnableWindow(GetDlgItem(dialog.window, IDOK), changed ? TRUE : FALSE);
}

void UploadChosenRating(DatabaseDialog& dialog) {
    RatingDialogState& state = StateOf(dialog);
    const DatabaseContext over = ContextOver(*state.context, dialog.window);
    MainPreferences& preferences = *over.preferences;
    if (!AccountComplete(preferences.DatabaseAccountName, preferences.DatabaseAccountPassword))
        AccountDialog(over);
    if (!AccountComplete(preferences.DatabaseAccountName, preferences.DatabaseAccountPassword)) {
        ShowMessageBox("", kNoUserDataText, kMessageBoxError);
        return;
    }
    const RatingChoice choice = ChosenRating(dialog.window, state.initial);
    RatingDatabase& database = *over.database;
    int result = 0;
    const bool finished = RunDatabaseWork(
        over.progress, state.name,
        [network = database.network, hash = state.hash, choice, user = preferences.DatabaseAccountName,
         password = preferences.DatabaseAccountPassword] {
            return UploadRating(network, hash, choice, user, password);
        },
        result);
    CloseRatingProgress(database);
    if (!finished)
        return;  // cancelled: the dialog stays for another try
    if (result != 1) {
        ShowMessageBox("", kUploadFailedText, kMessageBoxError);
        SetFocus(GetDlgItem(dialog.window, ControlRatingDescription));
        return;
    }
    StoreUploadedRating(database.cache, state.hash, choice);
    state.uploaded = 1;
    dialog.result = IDOK;
}

bool RatingDialogCommand(DatabaseDialog& dialog, int id, int code) {
    const bool option = id >= ControlRatingOptionFirst && id < ControlRatingOptionFirst + kRatingOptionCount;
    if ((option && code == BN_CLICKED) || (id == ControlRatingDescription && code == EN_CHANGE)) {
        UpdateOkButton(dialog);
        return true;
    }
    if (id == IDOK) {
        // Enter reaches here even while the button is grey.
        if (IsWindowEnabled(GetDlgItem(dialog.window, IDOK)))
            UploadChosenRating(dialog);
        return true;
    }
    return false;
}

bool AccountDialogCommand(DatabaseDialog& dialog, int id, int) {
    if (id != IDOK)
        return false;
    const DatabaseContext& context = *static_cast<const DatabaseContext*>(dialog.state);
    context.preferences->DatabaseAccountName = ControlText(GetDlgItem(dialog.window, ControlAccountName));
    context.preferences->DatabaseAccountPassword = ControlText(GetDlgItem(dialog.window, ControlAccountPassword));
    if (context.saveAccount != nullptr)
        context.saveAccount();
    dialog.result = IDOK;
    return true;
}

void AddButtons(DatabaseDialog& dialog, const WindowPlacement& ok, const WindowPlacement& cancel) {
    AddDialogControl(dialog, "BUTTON", LanguageText(LanguageKey::OK), BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, ok,
                     IDOK);
    AddDialogControl(dialog, "BUTTON", LanguageText(LanguageKey::Cancel), BS_PUSHBUTTON | WS_TABSTOP, cancel, IDCANCEL);
}

}  // namespace

int RatingDialog(const DatabaseContext& context, const std::string& hash, const std::string& displayName) {
    RatingDatabase& database = *context.database;
    const bool online = context.preferences->PreferencesUseDatabase != 0;
    RatingDialogState state;
    state.context = &context;
    state.hash = hash;
    state.name = displayName;
    state.initial.rating = RatingLookup(database, hash, displayName, online);
    state.initial.description = RatingLookupDescription(database, hash, displayName, online);
    CloseRatingProgress(database);  // the main loop, which would close it, waits for the dialog

    DatabaseDialog dialog;
    dialog.command = RatingDialogCommand;
    dialog.state = &state;
    if (!CreateDatabaseDialog(dialog, context, kRatingDialogWidth, kRatingDialogHeight))
        return 0;
    RECT client;
    GetClientRect(dialog.window, &client);
    const RatingDialogPlaces places = RatingDialogControlPlaces(client.right, client.bottom);
    AddDialogControl(dialog, "STATIC", displayName, SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, places.file,
                     ControlRatingFile);
    AddDialogControl(dialog, "BUTTON", LanguageText(LanguageKey::DatabaseRating), BS_GROUPBOX, places.ratingFrame,
                     ControlRatingFrame);
    const LanguageKey options[kRatingOptionCount] = {LanguageKey::RatingUnknown, LanguageKey::RatingSystemInternal,
                                                     LanguageKey::RatingTrustworthyProgram};
    for (int option = 0; option < kRatingOptionCount; ++option) {
        HWND button = AddDialogControl(dialog, "BUTTON", LanguageText(options[option]),
                                       BS_AUTORADIOBUTTON | (option == 0 ? WS_GROUP | WS_TABSTOP : 0),
                                       places.options[option], ControlRatingOptionFirst + option);
        SendMessageA(button, BM_SETCHECK, option == state.initial.rating ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    AddDialogControl(dialog, "BUTTON", LanguageText(LanguageKey::DatabaseInformation), BS_GROUPBOX,
                     places.descriptionFrame, ControlRatingDescriptionFrame);
    HWND description = AddDialogControl(
        dialog, "EDIT", "", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
        places.description, ControlRatingDescription);
    SendMessageA(description, EM_LIMITTEXT, kRatingDescriptionLimit, 0);
    SetWindowTextA(description, state.initial.description.c_str());
    // As the field holds it (it may have turned line ends into CR LF), so that an untouched text
    // counts as unchanged.
    state.initial.description = ControlText(description);
    AddButtons(dialog, places.ok, places.cancel);
    EnableWindow(GetDlgItem(dialog.window, IDOK), FALSE);
    RunDatabaseDialog(dialog, context, description);
    return state.uploaded;
}

bool AccountDialog(const DatabaseContext& context) {
    DatabaseDialog dialog;
    dialog.command = AccountDialogCommand;
    dialog.state = const_cast<DatabaseContext*>(&context);
    if (!CreateDatabaseDialog(dialog, context, kAccountDialogWidth, kAccountDialogHeight))
        return false;
    RECT client;
    GetClientRect(dialog.window, &client);
    const AccountDialogPlaces places = AccountDialogControlPlaces(client.right, client.bottom);
    const MainPreferences& preferences = *context.preferences;
    AddDialogControl(dialog, "STATIC", LanguageText(LanguageKey::SetProfile) + ":", SS_LEFT | SS_NOPREFIX,
                     places.prompt, ControlAccountPrompt);
    AddDialogControl(dialog, "STATIC", "Name:", SS_LEFT, places.nameLabel, ControlAccountNameLabel);
    HWND name = AddDialogControl(dialog, "EDIT", preferences.DatabaseAccountName, ES_AUTOHSCROLL | WS_TABSTOP,
                                 places.name, ControlAccountName);
    AddDialogControl(dialog, "STATIC", "Password:", SS_LEFT, places.passwordLabel, ControlAccountPasswordLabel);
    AddDialogControl(dialog, "EDIT", preferences.DatabaseAccountPassword, ES_AUTOHSCROLL | ES_PASSWORD | WS_TABSTOP,
                     places.password, ControlAccountPassword);
    AddButtons(dialog, places.ok, places.cancel);
    SendMessageA(name, EM_SETSEL, 0, -1);
    return RunDatabaseDialog(dialog, context, name) == IDOK;
}
