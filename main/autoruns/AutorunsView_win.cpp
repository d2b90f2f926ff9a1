#include "main/autoruns/AutorunsView_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "main/CommandIds.h"
#include "main/FileVersionInfo_win.h"
#include "main/LibraryTable_win.h"
#include "main/SystemFiles_win.h"
#include "main/autoruns/AutorunEditing_win.h"
#include "main/autoruns/AutorunLocations.h"
#include "main/autoruns/AutorunScanner_win.h"
#include "main/database/FileHash_win.h"
#include "main/database/FileRating_win.h"
#include "main/database/FileStampCache.h"

namespace {

constexpr int kDetailsHeight = 76;
constexpr int kCheckBoxBand = 30;

struct AutorunsViewState {
    HWND view = nullptr;
    HWND tooltips = nullptr;
    const MainPreferences* preferences = nullptr;
    RatingDatabase* database = nullptr;
    HIMAGELIST images = nullptr;
    FileStampCache iconIndexes;  // the image of each target file, as decimal text
    HICON largeIcon = nullptr;
    HICON badges[2] = {};
    size_t detailsRow = kNoRow;
    std::string detailsTarget;
};

RowTable g_autorunTable = MakeRowTable(AutorunColumnCount);
TableListView g_autoruns;
AutorunsViewState g_state;

std::vector<ListColumn> AutorunColumns() {
    return {
        {LanguageText(LanguageKey::Name), 150, LVCFMT_LEFT, AutorunColumnName, CompareCellText},
        {LanguageText(LanguageKey::DatabaseRating), 130, LVCFMT_LEFT, AutorunColumnRating, CompareCellText},
        {LanguageText(LanguageKey::DatabaseInformation), 130, LVCFMT_LEFT, AutorunColumnDescription, CompareCellText},
        {LanguageText(LanguageKey::Type), 130, LVCFMT_LEFT, AutorunColumnType, CompareCellText},
        {LanguageText(LanguageKey::Parameter), 300, LVCFMT_LEFT, AutorunColumnCommand, CompareCellText},
        {LanguageText(LanguageKey::Location), 300, LVCFMT_LEFT, AutorunColumnLocation, CompareCellText},
        {LanguageText(LanguageKey::Target), 300, LVCFMT_LEFT, AutorunColumnTarget, CompareCellText},
    };
}

HICON StockIcon(LPCSTR id, int size) {
    return static_cast<HICON>(LoadImageA(nullptr, id, IMAGE_ICON, size, size, LR_SHARED));
}

// The list's own two images, in AutorunImage order; extracted icons follow them.
void ResetImages() {
    if (g_state.images == nullptr) {
        g_state.images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 16, 16);
    }
    ImageList_RemoveAll(g_state.images);
    ImageList_AddIcon(g_state.images, StockIcon(IDI_WINLOGO, 16));
    ImageList_AddIcon(g_state.images, StockIcon(IDI_APPLICATION, 16));
    g_state.iconIndexes.entries.clear();
}

// The target's own small icon, extracted once per file version.
int TargetImage(const AutorunEntry& entry) {
    if (entry.libraryOnly) {
        return AutorunImageLibrary;
    }
    FileStamp stamp;
    if (!ReadFileStamp(entry.target, stamp)) {
        return AutorunFallbackImage(entry.target);
    }
    if (const std::string* known = FindCachedValue(g_state.iconIndexes, stamp)) {
        return std::stoi(*known);
    }
    if (ImageList_GetImageCount(g_state.images) >= static_cast<int>(kFileStampCacheLimit)) {
        ResetImages();
    }
    HICON small = nullptr;
    int image = AutorunFallbackImage(entry.target);
    if (ExtractSmallIcon(entry.target, 0, &small) > 0 && small != nullptr) {
        image = ImageList_AddIcon(g_state.images, small);
        DestroyIcon(small);
    }
    RememberCachedValue(g_state.iconIndexes, stamp, std::to_string(image));
    return image;
}

AutorunRating RateTarget(const std::string& target) {
    AutorunRating rating;
    if (g_state.database == nullptr) {
        return rating;
    }
    const bool online = g_state.preferences != nullptr && g_state.preferences->PreferencesUseDatabase != 0;
    const FileRating file = RateFile(*g_state.database, target, online);
    rating.text = file.text;
    rating.description = file.description;
    rating.known = file.known;
    return rating;
}

void SetTextIfChanged(int id, const std::string& text) {
    HWND control = GetDlgItem(g_state.view, id);
    char shown[1024] = {};
    GetWindowTextA(control, shown, sizeof(shown));
    if (text != shown) {
        SetWindowTextA(control, text.c_str());
    }
}

void SetBadgeTooltip(const std::string& text) {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = g_state.view;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(g_state.view, ControlAutorunBadge));
    std::string writable = text;
    tool.lpszText = &writable[0];
    SendMessageA(g_state.tooltips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void ShowIcons(size_t row, int badge) {
    const std::string target = Cell(g_autorunTable, row, AutorunColumnTarget);
    HICON large = nullptr;
    if (g_ExtractIconExA != nullptr) {
        SystemFileAccess access(target);
        g_ExtractIconExA(access.path.c_str(), 0, &large, nullptr, 1);
        if (large == nullptr) {
            g_ExtractIconExA("shell32.dll", 2, &large, nullptr, 1);
        }
    }
    SetStaticIcon(GetDlgItem(g_state.view, ControlAutorunIcon), large);
    if (g_state.largeIcon != nullptr) {
        DestroyIcon(g_state.largeIcon);
    }
    g_state.largeIcon = large;

    HWND badgeControl = GetDlgItem(g_state.view, ControlAutorunBadge);
    SetStaticIcon(badgeControl, badge > 0 ? g_state.badges[badge - 1] : nullptr);
    ShowWindow(badgeControl, badge > 0 ? SW_SHOW : SW_HIDE);
    const LanguageKey name = badge == 1 ? LanguageKey::RatingSystemInternal : LanguageKey::RatingTrustworthyProgram;
    SetBadgeTooltip(badge > 0 ? LanguageText(LanguageKey::DatabaseRating) + ": " + LanguageText(name) : "");
}

size_t SelectedAutorun() {
    return CurrentRow(g_autoruns);
}

}  // namespace

TableListView& AutorunsList() {
    return g_autoruns;
}

void CreateAutorunsView(HWND view, HFONT font, const MainPreferences* preferences, RatingDatabase* database) {
    g_state.view = view;
    g_state.preferences = preferences;
    g_state.database = database;
    CreateTableListView(g_autoruns, view, ControlAutorunList, &g_autorunTable, AutorunColumns(), false);
    ResetImages();
    SetListViewImageList(g_autoruns.list, g_state.images);

    AddControl(view, "STATIC", "", SS_ICON, 0, 0, 32, 32, ControlAutorunIcon, font);
    for (int id :
         {ControlAutorunTitle, ControlAutorunCompany, ControlAutorunType, ControlAutorunTarget, ControlAutorunRating}) {
        AddControl(view, "STATIC", "", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0, 0, 10, 10, id, font);
    }
    HWND badge = AddControl(view, "STATIC", "", SS_ICON | SS_NOTIFY, 0, 0, 16, 16, ControlAutorunBadge, font);
    ShowWindow(badge, SW_HIDE);
    g_state.badges[0] = StockIcon(MAKEINTRESOURCEA(32518), 16);  // IDI_SHIELD: part of the system
    g_state.badges[1] = StockIcon(IDI_INFORMATION, 16);
    g_state.tooltips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                       view, nullptr, GetModuleHandleA(nullptr), nullptr);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = view;
    tool.uId = reinterpret_cast<UINT_PTR>(badge);
    tool.lpszText = const_cast<char*>("");
    SendMessageA(g_state.tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void LayoutAutorunsView(int width, int height) {
    if (g_autoruns.list == nullptr) {
        return;
    }
    const int listHeight = std::max(0, height - kCheckBoxBand - kDetailsHeight);
    MoveWindow(g_autoruns.list, 0, 0, width, listHeight, TRUE);
    const int top = listHeight + 6;
    const int textLeft = 52;
    const int ratingWidth = 220;
    const int textWidth = std::max(40, width - textLeft - ratingWidth - 16);
    auto place = [](int id, int x, int y, int w, int h) { MoveWindow(GetDlgItem(g_state.view, id), x, y, w, h, TRUE); };
    place(ControlAutorunIcon, 10, top + 2, 32, 32);
    place(ControlAutorunTitle, textLeft, top, textWidth, 16);
    place(ControlAutorunCompany, textLeft, top + 16, textWidth, 16);
    place(ControlAutorunType, textLeft, top + 34, textWidth, 16);
    place(ControlAutorunTarget, textLeft, top + 50, textWidth, 16);
    place(ControlAutorunBadge, width - ratingWidth, top, 16, 16);
    place(ControlAutorunRating, width - ratingWidth + 22, top, ratingWidth - 30, 16);
}

void RefreshAutoruns() {
    if (g_autoruns.list == nullptr) {
        return;
    }
    SetRedraw(g_autoruns.list, false);
    ListViewState state = SaveListViewState(g_autoruns);
    g_autorunTable.rows.clear();
    const bool showSystem = IsDlgButtonChecked(g_state.view, ControlSystemAutoruns) == BST_CHECKED;
    for (const AutorunEntry& entry : ScanAutoruns(showSystem, CurrentAutorunFolders())) {
        AppendAutorunRow(g_autorunTable, entry, RateTarget(entry.target), TargetImage(entry));
    }
    RestoreListViewState(g_autoruns, state);
    UpdateAutorunDetails(false);
    SetRedraw(g_autoruns.list, true);
    InvalidateRect(g_autoruns.list, nullptr, TRUE);
}

void UpdateAutorunDetails(bool force) {
    size_t row = SelectedAutorun();
    if (row == kNoRow || g_state.view == nullptr) {
        return;
    }
    const std::string target = Cell(g_autorunTable, row, AutorunColumnTarget);
    const AutorunDetails details =
        AutorunDetailsOfRow(g_autorunTable, row, FileVersionText(target, kVersionProduct, false),
                            FileVersionText(target, kVersionCompany, false));
    SetTextIfChanged(ControlAutorunTitle, details.title);
    SetTextIfChanged(ControlAutorunCompany, details.company);
    SetTextIfChanged(ControlAutorunType, details.type);
    SetTextIfChanged(ControlAutorunTarget, details.target);
    SetTextIfChanged(ControlAutorunRating, details.rating);
    if (force || row != g_state.detailsRow || target != g_state.detailsTarget) {
        ShowIcons(row, details.badge);
        g_state.detailsRow = row;
        g_state.detailsTarget = target;
    }
}

bool RunAutorunsCommand(int id) {
    if (id == ControlSystemAutoruns) {
        RefreshAutoruns();
        return true;
    }
    if (id != CommandEnd && id != CommandWebSearch && id != CommandExploreAutorunSource &&
        id != CommandExploreAutorunTarget) {
        return false;
    }
    size_t row = SelectedAutorun();
    if (row == kNoRow) {
        return true;
    }
    const std::string type = Cell(g_autorunTable, row, AutorunColumnType);
    const std::string command = Cell(g_autorunTable, row, AutorunColumnCommand);
    const std::string location = Cell(g_autorunTable, row, AutorunColumnLocation);
    switch (id) {
        case CommandEnd:
            RemoveAutorun(type, location, command);
            RefreshAutoruns();
            break;
        case CommandWebSearch:
            SearchAutorunOnWeb(
                command, g_state.preferences != nullptr ? g_state.preferences->PreferencesSearchString : std::string());
            break;
        case CommandExploreAutorunSource:
            if (type == LanguageText(LanguageKey::Registry)) {
                OpenAutorunInRegistryEditor(type, location);
            } else {
                ExploreAutorunFolder(location);
            }
            break;
        default:
            ExploreAutorunTarget(Cell(g_autorunTable, row, AutorunColumnTarget));
            break;
    }
    return true;
}

bool HandleAutorunsNotification(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != ControlAutorunList) {
        return false;
    }
    bool handled = HandleTableListNotification(g_autoruns, header, result);
    if (header.code == LVN_ITEMCHANGED || header.code == LVN_ODSTATECHANGED) {
        UpdateAutorunDetails(false);
    }
    return handled;
}
