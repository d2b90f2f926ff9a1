// The database commands on the process list inside the real main window, against the real
// vtldb-server that the test fixture started on loopback. The dialogs run their own loops, so the
// user's part is a script of steps that a timer of this thread plays while they wait.
#include <gtest/gtest.h>
#include <winsock.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/Language.h"
#include "foundation/ProgramPaths_win.h"
#include "main/CommandIds.h"
#include "main/Dispatch_win.h"
#include "main/LibraryTable_win.h"
#include "main/Views_win.h"
#include "main/autoruns/AutorunLocations.h"
#include "main/autoruns/AutorunsView_win.h"
#include "main/database/FileHash_win.h"
#include "main/database/RatingDialog_win.h"
#include "main/database/RatingNetwork_win.h"
#include "main/database/RatingProgress_win.h"
#include "main/database/RatingUpload.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/processes/ProcessListColumns.h"
#include "main/processes/ProcessList_win.h"
#include "tests/main/database/LoopbackListener_win.h"
#include "tests/main/shell/TestMainWindows.h"

namespace {

const char kDialogClass[] = "VantrelDatabaseDialog";
const std::string kUser = "tester";
const std::string kPassword = "pa&ss=w+rd";

// One thing the user does once its window is there: `ready` is asked at every tick until it holds.
struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
};

struct Script {
    std::vector<Step> steps;
    size_t next = 0;
    DWORD started = 0;
    bool stuck = false;
};
Script g_script;

// The dialogs open now; with a control, only the one that has it and takes input.
std::vector<HWND> Dialogs(int control = 0) {
    std::vector<HWND> found;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, kDialogClass, nullptr)) != nullptr;) {
        if (control == 0 || (IsWindowVisible(window) && IsWindowEnabled(window) && GetDlgItem(window, control)))
            found.push_back(window);
    }
    return found;
}

// A step counts as taken before it acts, so a step that opens a nested loop (OK opening the account
// dialog) lets the next steps play inside it.
VOID CALLBACK PlayScript(HWND, UINT, UINT_PTR, DWORD) {
    if (g_script.next >= g_script.steps.size())
        return;
    if (GetTickCount() - g_script.started > 30000) {
        g_script.stuck = true;  // stop waiting: close every dialog so the command returns
        for (HWND dialog : Dialogs())
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        return;
    }
    Step& step = g_script.steps[g_script.next];
    if (!step.ready())
        return;
    ++g_script.next;
    step.act();
}

// Runs the command with the user's steps; true when every step was played.
bool RunWithUser(int command, std::vector<Step> steps) {
    g_script = Script{std::move(steps), 0, GetTickCount(), false};
    const UINT_PTR timer = SetTimer(nullptr, 0, 40, PlayScript);
    DispatchCommand(command, 0, nullptr);
    KillTimer(nullptr, timer);
    return !g_script.stuck && g_script.next == g_script.steps.size();
}

HWND DialogWith(int control) {
    const std::vector<HWND> found = Dialogs(control);
    return found.empty() ? nullptr : found.back();
}
HWND RatingWindow() {
    return DialogWith(ControlRatingDescription);
}
HWND AccountWindow() {
    return DialogWith(ControlAccountPassword);
}

Step When(std::function<bool()> ready, std::function<void()> act) {
    return Step{std::move(ready), std::move(act)};
}
Step InRating(std::function<void(HWND)> act) {
    return When([] { return RatingWindow() != nullptr; }, [act] { act(RatingWindow()); });
}

// As a mouse click on the control does: the button checks itself (an option) and tells its window.
void Click(HWND dialog, int control) {
    SendMessageA(GetDlgItem(dialog, control), BM_CLICK, 0, 0);
}
// As typing does: the field's whole text replaced (setting it outright tells a multi-line field's
// window nothing).
void Type(HWND dialog, int control, const char* text) {
    HWND field = GetDlgItem(dialog, control);
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}
bool OkEnabled(HWND dialog) {
    return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
}

// Chooses the option and presses OK in the rating dialog.
Step RateAs(int option) {
    return InRating([option](HWND dialog) {
        Click(dialog, ControlRatingOptionFirst + option);
        Click(dialog, IDOK);
    });
}

// Screenshots hold each dialog open this long (VANTREL_HOLD_DIALOGS, milliseconds).
Step HoldForScreenshot() {
    const char* hold = std::getenv("VANTREL_HOLD_DIALOGS");
    const DWORD until = GetTickCount() + (hold != nullptr ? std::atoi(hold) : 0);
    return When([until] { return static_cast<int>(GetTickCount() - until) >= 0; }, [] {});
}

int FixturePort() {
    const char* folder = std::getenv("VTLDB_FIXTURE");
    std::ifstream portFile(folder ? std::string(folder) + "\\port" : std::string());
    int port = 0;
    return portFile >> port ? port : 0;
}

class DatabaseCommands : public ::testing::Test {
protected:
    void SetUp() override {
        port_ = FixturePort();
        if (port_ <= 0)
            GTEST_SKIP() << "no vtldb-server running (build the native tree first)";
        ASSERT_TRUE(StartRatingNetwork());
        std::ifstream settings(SettingsFilePath(), std::ios::binary);
        hadSettings_ = static_cast<bool>(settings);
        savedSettings_.assign(std::istreambuf_iterator<char>(settings), std::istreambuf_iterator<char>());
        g_program.preferences.PreferencesUseDatabase = 1;
        g_program.preferences.DatabaseAccountName = kUser;
        g_program.preferences.DatabaseAccountPassword = kPassword;
        g_program.database.cache = RatingCache{};
        g_program.database.network = WinsockRatingNetwork({"127.0.0.1", port_}, true);
        if (g_windows.window == nullptr) {  // once per test program, as at start-up
            OpenLibraryTable();
            InitProcessLayer();
            CreateMainWindowsForTest();
        }
        RecordMessageBoxes();
        RefreshProcessList(-1, 0);
        row_ = FindRow(*ProcessListView().table, kProcessColumnProcessId, std::to_string(GetCurrentProcessId()));
        ASSERT_NE(row_, kNoRow);
        SelectOnlyRow(ProcessListView(), row_);
        hash_ = CachedFileHash(Cell(Table(), row_, kProcessColumnFilePath));
        ASSERT_EQ(hash_.size(), 40u) << Cell(Table(), row_, kProcessColumnFilePath);
        DeleteRating(g_program.database.network, hash_, kUser, kPassword);  // left by an earlier test
        ShowRatingInRow(Table(), row_, FileRating{});
    }
    void TearDown() override {
        if (hadSettings_)
            std::ofstream(SettingsFilePath(), std::ios::binary) << savedSettings_;
        else if (port_ > 0)
            DeleteFileA(SettingsFilePath().c_str());
    }
    static RowTable& Table() { return *ProcessListView().table; }
    std::string Text() const { return Cell(Table(), row_, kProcessColumnDatabaseRating); }
    std::string Description() const { return Cell(Table(), row_, kProcessColumnDatabaseInformation); }
    uint32_t Colour() const { return Table().rows[row_].textColour; }

    int port_ = 0;
    size_t row_ = kNoRow;
    std::string hash_;
    bool hadSettings_ = false;
    std::string savedSettings_;
};

TEST_F(DatabaseCommands, RateQueryAndDeleteTheTestProgram) {
    bool okAtFirst = true, okAfterEdit = false, okAfterUndo = true;
    ASSERT_TRUE(
        RunWithUser(CommandDatabaseUpdate, {InRating([&](HWND dialog) {
                                                okAtFirst = OkEnabled(dialog);
                                                Type(dialog, ControlRatingDescription, "x");
                                                okAfterEdit = OkEnabled(dialog);
                                                Type(dialog, ControlRatingDescription, "");
                                                okAfterUndo = OkEnabled(dialog);
                                                Click(dialog, ControlRatingOptionFirst + 2);
                                                Type(dialog, ControlRatingDescription, "Vantrel test");
                                            }),
                                            HoldForScreenshot(), InRating([](HWND dialog) { Click(dialog, IDOK); })}));
    EXPECT_FALSE(okAtFirst);
    EXPECT_TRUE(okAfterEdit);
    EXPECT_FALSE(okAfterUndo) << "the description back as it was";
    EXPECT_TRUE(ShownMessages().empty()) << ShownMessages()[0].text;
    EXPECT_EQ(Text(), LanguageText(LanguageKey::RatingTrustworthyProgram));
    EXPECT_EQ(Description(), "Vantrel test");
    EXPECT_EQ(Colour(), 0x008000u);
    EXPECT_EQ(QueryServer(g_program.database.network, hash_), hash_ + BuildRatingProp(2, "Vantrel test"))
        << "stored by an insert after the update found nothing";

    // The server changes its mind; the query asks whatever the cache's age.
    ASSERT_EQ(UpdateRating(g_program.database.network, hash_, BuildRatingProp(1, "Changed"), kUser, kPassword), 1);
    DispatchCommand(CommandDatabaseQuery, 0, nullptr);
    EXPECT_EQ(Text(), LanguageText(LanguageKey::RatingSystemInternal));
    EXPECT_EQ(Description(), "Changed");

    // The dialog starts from the current rating; changing the rating alone is an update.
    bool okWithCurrent = true;
    ASSERT_TRUE(RunWithUser(CommandDatabaseUpdate, {InRating([&](HWND dialog) {
                                okWithCurrent = OkEnabled(dialog);
                                EXPECT_EQ(IsDlgButtonChecked(dialog, ControlRatingOptionFirst + 1), BST_CHECKED);
                                Click(dialog, ControlRatingOptionFirst + 2);
                                Click(dialog, IDOK);
                            })}));
    EXPECT_FALSE(okWithCurrent);
    EXPECT_EQ(Text(), LanguageText(LanguageKey::RatingTrustworthyProgram));
    EXPECT_EQ(Description(), "Changed");

    DispatchCommand(CommandDatabaseDelete, 0, nullptr);
    EXPECT_TRUE(ShownMessages().empty());
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Description(), "");
    EXPECT_EQ(Colour(), 0x000000u);
    EXPECT_EQ(QueryServer(g_program.database.network, hash_), "0");
    // The cache agrees, so the next lookup does not bring the deleted rating back.
    EXPECT_EQ(RatingLookupKnown(g_program.database, hash_, "x", true), 0);

    DispatchCommand(CommandDatabaseDelete, 0, nullptr);
    ASSERT_EQ(ShownMessages().size(), 1u) << "nothing left to delete";
    EXPECT_EQ(ShownMessages()[0].text,
              LanguageTextWith(LanguageKey::CanNotDeleteDatabase, Cell(Table(), row_, kProcessColumnName)));
}

TEST_F(DatabaseCommands, AnEmptyAccountAsksForOneAndAFailedUploadKeepsTheDialog) {
    g_program.preferences.DatabaseAccountName.clear();
    g_program.preferences.DatabaseAccountPassword.clear();
    bool masked = false, nameFocused = false, stillOpen = false;
    ASSERT_TRUE(RunWithUser(CommandDatabaseUpdate,
                            {RateAs(1),
                             When([] { return AccountWindow() != nullptr; },
                                  [&] {
                                      HWND account = AccountWindow();
                                      masked = (GetWindowLongA(GetDlgItem(account, ControlAccountPassword), GWL_STYLE) &
                                                ES_PASSWORD) != 0;
                                      nameFocused = GetFocus() == GetDlgItem(account, ControlAccountName);
                                      SetDlgItemTextA(account, ControlAccountName, kUser.c_str());
                                      Click(account, IDCANCEL);
                                  }),
                             InRating([&](HWND dialog) {
                                 stillOpen = ShownMessages().size() == 1;
                                 Click(dialog, IDCANCEL);
                             })}));
    EXPECT_TRUE(masked);
    EXPECT_TRUE(nameFocused);
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, kNoUserDataText);
    EXPECT_EQ(ShownMessages()[0].style, kMessageBoxError);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(g_program.preferences.DatabaseAccountName, "") << "Cancel changes nothing";
    EXPECT_EQ(Text(), "");

    // The account through its own command: OK keeps it and saves it at once.
    ASSERT_TRUE(RunWithUser(
        CommandDatabaseChangeProfile,
        {When([] { return AccountWindow() != nullptr; },
              [] {
                  Type(AccountWindow(), ControlAccountName, kUser.c_str());
                  Type(AccountWindow(), ControlAccountPassword, kPassword.c_str());
              }),
         HoldForScreenshot(), When([] { return AccountWindow() != nullptr; }, [] { Click(AccountWindow(), IDOK); })}));
    EXPECT_EQ(g_program.preferences.DatabaseAccountName, kUser);
    EXPECT_EQ(g_program.preferences.DatabaseAccountPassword, kPassword);
    std::ifstream saved(SettingsFilePath(), std::ios::binary);
    const std::string settings{std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>()};
    EXPECT_NE(settings.find("DatabaseAccountName = " + kUser), std::string::npos) << settings;

    // A server that takes the connection and never answers: the upload waits off the window thread
    // behind the progress window, whose Cancel gives the dialog back at once.
    int silentPort = 0;
    const SOCKET silent = ListenOnLoopback(silentPort);
    g_program.database.network.server.port = silentPort;
    DWORD cancelledAfter = 0;
    ShownMessages().clear();
    ASSERT_TRUE(RunWithUser(CommandDatabaseUpdate,
                            {RateAs(2),
                             When([] { return RatingProgressWindow() != nullptr; },
                                  [&] {
                                      cancelledAfter = GetTickCount();
                                      // What the click tells the window; a real click
                                      // would also activate it, and Wine without a window
                                      // manager then waits 2 s for its unmapping.
                                      HWND progress = RatingProgressWindow();
                                      SendMessageA(
                                          progress, WM_COMMAND, MAKEWPARAM(ControlRatingProgressCancel, BN_CLICKED),
                                          reinterpret_cast<LPARAM>(GetDlgItem(progress, ControlRatingProgressCancel)));
                                  }),
                             InRating([&](HWND dialog) {
                                 cancelledAfter = GetTickCount() - cancelledAfter;
                                 Click(dialog, IDCANCEL);
                             })}));
    closesocket(silent);
    // The server would take its 5 s; Wine without a window manager spends 2 s unmapping the
    // progress window.
    EXPECT_LT(cancelledAfter, 4000u) << "the dialog comes back without waiting for the server";
    EXPECT_TRUE(ShownMessages().empty()) << "a cancelled upload is no failure: " << ShownMessages()[0].text;

    // A server that has stopped: nothing takes the connection.
    g_program.database.network.server.port = 1;
    ShownMessages().clear();
    ASSERT_TRUE(RunWithUser(CommandDatabaseUpdate, {RateAs(2), InRating([&](HWND dialog) {
                                                        stillOpen = ShownMessages().size() == 1;
                                                        Click(dialog, IDCANCEL);
                                                    })}));
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, kUploadFailedText);
    EXPECT_EQ(ShownMessages()[0].title, "");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(Text(), "");
}

// The autorun list rates the target of its entries: a Run entry of the test program, rated on the
// server meanwhile, shows its rating after a query and loses it with a delete.
TEST_F(DatabaseCommands, AutorunEntriesAreQueriedAndDeletedByTheirTarget) {
    const char key[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const char name[] = "VantrelDatabaseTest";
    const std::string target = Cell(Table(), row_, kProcessColumnFilePath);
    const std::string command = "\"" + target + "\" -x";
    HKEY run = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &run, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(run, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                             static_cast<DWORD>(command.size() + 1)),
              ERROR_SUCCESS);
    SwitchView(ViewAutoruns, true);  // looked up: not rated yet
    TableListView& autoruns = AutorunsList();
    ASSERT_EQ(InsertRating(g_program.database.network, hash_, BuildRatingProp(1, "From the server"), kUser, kPassword),
              1);
    RefreshAutoruns();
    const size_t entry = FindRow(*autoruns.table, AutorunColumnName, name);
    ASSERT_NE(entry, kNoRow);
    EXPECT_EQ(Cell(*autoruns.table, entry, AutorunColumnRating), "") << "the cache's answer is fresh for a week";
    SelectOnlyRow(autoruns, entry);

    DispatchCommand(CommandDatabaseQuery, 0, nullptr);
    EXPECT_EQ(Cell(*autoruns.table, entry, AutorunColumnRating), LanguageText(LanguageKey::RatingSystemInternal));
    EXPECT_EQ(Cell(*autoruns.table, entry, AutorunColumnDescription), "From the server");
    EXPECT_EQ(autoruns.table->rows[entry].textColour, 0x008000u);

    DispatchCommand(CommandDatabaseDelete, 0, nullptr);
    EXPECT_TRUE(ShownMessages().empty());
    EXPECT_EQ(QueryServer(g_program.database.network, hash_), "0");
    RefreshAutoruns();  // rebuilt from the cache: the deleted rating does not come back
    const size_t again = FindRow(*autoruns.table, AutorunColumnName, name);
    EXPECT_EQ(Cell(*autoruns.table, again, AutorunColumnRating), "");
    EXPECT_EQ(autoruns.table->rows[again].textColour, 0x000000u);
    RegDeleteValueA(run, name);
    RegCloseKey(run);
    SwitchView(ViewProcesses, true);
}

}  // namespace
