#include "main/export/SearchWindow_win.h"

#include <commctrl.h>

#include <map>
#include <utility>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "main/CommandIds.h"
#include "main/Geometry.h"
#include "main/MainWindows_win.h"
#include "main/RowTableSort.h"
#include "main/Views_win.h"
#include "main/export/ExportedLists_win.h"
#include "resources/PngBitmap_win.h"
#include "resources/ResourceIds.h"

namespace {

// The result table: the four columns shown, then where the row came from.
enum SearchColumn : size_t {
    kSearchColumnName,
    kSearchColumnMatch,
    kSearchColumnMatchColumn,
    kSearchColumnType,
    kSearchColumnKind,
    kSearchColumnOwner,  // for a row of a further table: column 0 of the list row it belongs to
    kSearchColumnCount
};

struct SearchWindow {
    HWND window = nullptr;
    TableListView results;
    RowTable table = MakeRowTable(kSearchColumnCount);
    HIMAGELIST images = nullptr;
    std::map<std::pair<int, int>, int> copiedImages;  // (kind, the source list's image) -> ours
    bool placed = false;                              // centred over the main window once; then where the user left it
};

SearchWindow g_search;

constexpr int kMargin = 8;
constexpr int kFrameHeight = 48;
constexpr int kButtonWidth = 90;
constexpr int kProgramImage = 0;
constexpr int kNoFileImage = 1;  // the database image, for rows that stand for no file

// The row's image in the source list, copied once into the result list's images.
int ResultImage(const ExportedList& entry, int sourceImage) {
    if (entry.kind == ListNetworks || entry.kind == ListSmart) {
        return kNoFileImage;
    }
    if (sourceImage < 0) {
        return kProgramImage;
    }
    auto known = g_search.copiedImages.find({entry.kind, sourceImage});
    if (known != g_search.copiedImages.end()) {
        return known->second;
    }
    HIMAGELIST source = ListView_GetImageList(entry.list().list, LVSIL_SMALL);
    HICON icon = source != nullptr ? ImageList_GetIcon(source, sourceImage, ILD_NORMAL) : nullptr;
    int image = kProgramImage;
    if (icon != nullptr) {
        image = ImageList_AddIcon(g_search.images, icon);
        DestroyIcon(icon);
    }
    g_search.copiedImages[{entry.kind, sourceImage}] = image < 0 ? kProgramImage : image;
    return image < 0 ? kProgramImage : image;
}

// Appends one result row per matching row of the list.
void SearchList(const ExportedList& entry, const std::string& searchText) {
    const std::vector<ExportTable> tables = ExportedTables(entry, true);
    const RowTable& source = *entry.list().table;
    for (size_t t = 0; t < tables.size(); ++t) {
        const std::string kind = SearchKindText(entry.kind, t > 0);
        for (const SearchResult& result : SearchTable(tables[t], searchText)) {
            const size_t row = AppendRow(g_search.table);
            SetCell(g_search.table, row, kSearchColumnName, result.name);
            SetCell(g_search.table, row, kSearchColumnMatch, result.match);
            SetCell(g_search.table, row, kSearchColumnMatchColumn, result.columnTitle);
            SetCell(g_search.table, row, kSearchColumnType, kind);
            SetCellInteger(g_search.table, row, kSearchColumnKind, entry.kind);
            if (t > 0 && t - 1 < tables[0].rows.size() && !tables[0].rows[t - 1].empty()) {
                SetCell(g_search.table, row, kSearchColumnOwner, tables[0].rows[t - 1][0]);
            }
            const int sourceImage = t == 0 && result.row < source.rows.size() ? source.rows[result.row].image : -1;
            g_search.table.rows[row].image = ResultImage(entry, sourceImage);
        }
    }
}

}  // namespace

void LayoutSearchWindow() {
    RECT client;
    GetClientRect(g_search.window, &client);
    const int width = client.right - 2 * kMargin;
    auto place = [](int id, int x, int y, int w, int h) {
        MoveWindow(GetDlgItem(g_search.window, id), x, y, w > 0 ? w : 0, h > 0 ? h : 0, TRUE);
    };
    place(ControlSearchInFrame, kMargin, kMargin, width, kFrameHeight);
    const int boxWidth = (width - 2 * kMargin) / ListKindCount;
    for (int kind = 0; kind < ListKindCount; ++kind) {
        place(ControlSearchBoxFirst + kind, 2 * kMargin + kind * boxWidth, kMargin + 20, boxWidth - 4, 20);
    }
    const int rowY = 2 * kMargin + kFrameHeight + 4;
    place(ControlSearchContentLabel, kMargin, rowY + 3, 80, 18);
    place(ControlSearchText, kMargin + 84, rowY, width - 84 - kButtonWidth - kMargin, 22);
    place(ControlSearchButton, client.right - kMargin - kButtonWidth, rowY - 1, kButtonWidth, 24);
    const int listY = rowY + 22 + kMargin;
    place(ControlSearchResults, kMargin, listY, width, client.bottom - listY - kMargin);
}

namespace {

void UpdateSearchButton() {
    const bool typed = GetWindowTextLengthA(GetDlgItem(g_search.window, ControlSearchText)) > 0;
    EnableWindow(GetDlgItem(g_search.window, ControlSearchButton), typed ? TRUE : FALSE);
}

std::string SearchText() {
    HWND field = GetDlgItem(g_search.window, ControlSearchText);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(field)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(field, &text[0], static_cast<int>(text.size()))));
    return text;
}

}  // namespace

void PaintSearchWindowBackground(HDC dc) {
    RECT client;
    GetClientRect(g_search.window, &client);
    FillRect(dc, &client, g_windows.lightBlueBrush.get());
    RECT panel{kMargin, kMargin, client.right - kMargin, kMargin + kFrameHeight};
    FillRect(dc, &panel, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

LRESULT SearchWindowControlColour(HWND control, HDC dc) {
    const int id = GetDlgCtrlID(control);
    if (id == ControlSearchInFrame || (id >= ControlSearchBoxFirst && id < ControlSearchBoxFirst + ListKindCount)) {
        return WhiteControlBackground(reinterpret_cast<WPARAM>(dc));
    }
    SetBkColor(dc, RGB(204, 221, 255));
    return reinterpret_cast<LRESULT>(g_windows.lightBlueBrush.get());
}

TableListView& SearchResultList() {
    return g_search.results;
}

void FillSearchWindow(HWND window, HFONT font) {
    g_search.window = window;
    AddControl(window, "BUTTON", LanguageText(LanguageKey::SearchIn) + ":", BS_GROUPBOX, 0, 0, 10, 10,
               ControlSearchInFrame, font);
    for (int kind = 0; kind < ListKindCount; ++kind) {
        // A list that has not joined the search yet can be neither chosen nor searched.
        const bool joined = FindExportedList(kind) != nullptr;
        HWND box = AddControl(window, "BUTTON", LanguageText(DescribeListKind(kind).searchBox),
                              BS_AUTOCHECKBOX | WS_TABSTOP, 0, 0, 10, 10, ControlSearchBoxFirst + kind, font);
        SendMessageA(box, BM_SETCHECK, joined ? BST_CHECKED : BST_UNCHECKED, 0);
        EnableWindow(box, joined ? TRUE : FALSE);
    }
    AddControl(window, "STATIC", LanguageText(LanguageKey::Content) + ":", SS_LEFT, 0, 0, 10, 10,
               ControlSearchContentLabel, font);
    AddControl(window, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, 0, 0, 10, 10, ControlSearchText, font);
    AddControl(window, "BUTTON", LanguageText(LanguageKey::Search), BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 0, 10, 10,
               ControlSearchButton, font);
    std::vector<ListColumn> columns = {
        {LanguageText(LanguageKey::Name), 150, LVCFMT_LEFT, kSearchColumnName, {}},
        {LanguageText(LanguageKey::Match), 130, LVCFMT_LEFT, kSearchColumnMatch, {}},
        {LanguageText(LanguageKey::MatchColumn), 70, LVCFMT_LEFT, kSearchColumnMatchColumn, {}},
        {LanguageText(LanguageKey::Type), 75, LVCFMT_LEFT, kSearchColumnType, {}},
    };
    CreateTableListView(g_search.results, window, ControlSearchResults, &g_search.table, std::move(columns), false);
    g_search.images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 16, 16);
    HICON program =
        static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VANTREL), IMAGE_ICON, 16, 16, 0));
    ImageList_AddIcon(g_search.images, program != nullptr ? program : LoadIcon(nullptr, IDI_APPLICATION));
    HBITMAP noFile = LoadPngBitmap(GetModuleHandleA(nullptr), IDR_PNG_MENU_DATABASE, nullptr);
    ImageList_Add(g_search.images, noFile, nullptr);
    DeleteObject(noFile);
    SetListViewImageList(g_search.results.list, g_search.images);
    UpdateSearchButton();
    LayoutSearchWindow();
}

void ShowSearchWindow() {
    if (!g_search.placed) {
        RECT main;
        RECT own;
        GetWindowRect(g_windows.window, &main);
        GetWindowRect(g_search.window, &own);
        const WindowPlacement place = CentredPlacement({main.left, main.top, main.right, main.bottom},
                                                       own.right - own.left, own.bottom - own.top);
        SetWindowPos(g_search.window, HWND_TOP, place.x, place.y, 0, 0, SWP_NOSIZE);
        g_search.placed = true;
    }
    ShowWindow(g_search.window, SW_SHOW);
    SetForegroundWindow(g_search.window);
    SetFocus(GetDlgItem(g_search.window, ControlSearchText));
}

void SearchLists(const std::string& searchText) {
    const int sortColumn = g_search.results.sortColumn >= 0 ? g_search.results.sortColumn : 0;
    const bool ascending = g_search.results.sortColumn >= 0 ? g_search.results.sortAscending : true;
    g_search.table.rows.clear();
    for (int kind = 0; kind < ListKindCount; ++kind) {
        const ExportedList* entry = FindExportedList(kind);
        if (entry == nullptr || IsDlgButtonChecked(g_search.window, ControlSearchBoxFirst + kind) != BST_CHECKED) {
            continue;
        }
        RefreshExportedList(*entry);
        SearchList(*entry, searchText);
    }
    SortTableListView(g_search.results, sortColumn, ascending);
    SyncTableListView(g_search.results);
}

namespace {

size_t FirstColumn(const TableListView& list) {
    return list.columns.empty() ? 0 : list.columns[0].tableColumn;
}

}  // namespace

void ActivateSearchResult(size_t row) {
    if (row >= g_search.table.rows.size()) {
        return;
    }
    const ExportedList* entry = FindExportedList(static_cast<int>(CellInteger(g_search.table, row, kSearchColumnKind)));
    if (entry == nullptr) {
        return;
    }
    TableListView* list = &entry->list();
    SwitchView(DescribeListKind(entry->kind).view, false);
    const std::string& owner = Cell(g_search.table, row, kSearchColumnOwner);
    if (!owner.empty() && entry->showRowDetails != nullptr) {
        // A SMART value: its drive first, then the value in the drive's attribute list.
        list = &entry->showRowDetails(FindRow(*list->table, FirstColumn(*list), owner));
    }
    const size_t found = FindRow(*list->table, FirstColumn(*list), Cell(g_search.table, row, kSearchColumnName));
    SelectOnlyRow(*list, found);  // a row that has gone meanwhile leaves nothing selected
    SetForegroundWindow(g_windows.window);
    SetFocus(list->list);
}

bool HandleSearchWindowCommand(HWND window, int id, int code) {
    if (id == ControlSearchText && code == EN_CHANGE) {
        UpdateSearchButton();
        return true;
    }
    if (id == ControlSearchClose) {
        SendMessageA(window, WM_CLOSE, 0, 0);
        return true;
    }
    if (id == ControlSearchButton && GetFocus() == g_search.results.list) {
        ActivateSearchResult(CurrentRow(g_search.results));  // Enter on a result shows it
        return true;
    }
    if (id == ControlSearchButton) {
        const std::string text = SearchText();
        if (!text.empty()) {
            SearchLists(text);
        }
        return true;
    }
    return false;
}

bool HandleSearchWindowNotification(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != g_search.results.list) {
        return false;
    }
    if (header.code == LVN_ITEMACTIVATE) {
        ActivateSearchResult(CurrentRow(g_search.results));
        result = 0;
        return true;
    }
    return HandleTableListNotification(g_search.results, header, result);
}
