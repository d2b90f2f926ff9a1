// The shared list view over a row table, in a real window.
#include "main/TableListView_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/ListViews_win.h"

namespace {

TableListView* g_view = nullptr;

// The list's owner answers its notifications through the shared handler, as the main window does.
LRESULT CALLBACK OwnerCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && g_view != nullptr) {
        LRESULT result = 0;
        if (HandleTableListNotification(*g_view, MessageStructure<NMHDR>(lParam), result)) {
            return result;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

struct ListFixture {
    HWND parent = nullptr;
    RowTable table = MakeRowTable(3);
    TableListView view;

    ListFixture() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        WNDCLASSA owner{};
        owner.lpfnWndProc = OwnerCallback;
        owner.lpszClassName = "TableListOwner";
        RegisterClassA(&owner);
        g_view = &view;
        parent = CreateWindowExA(0, "TableListOwner", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
        for (int i = 0; i < 40; ++i) {
            size_t row = AppendRow(table);
            SetCell(table, row, 0, "name" + std::to_string(i));
            SetCell(table, row, 1, "hidden");
            SetCell(table, row, 2, std::to_string((i * 7) % 40));
        }
        // Column 1 of the table stays hidden: the list shows table columns 0 and 2.
        CreateTableListView(
            view, parent, 500, &table,
            {{"Name", 120, LVCFMT_LEFT, 0, CompareCellText}, {"Value", 80, LVCFMT_RIGHT, 2, CompareCellNumber}}, true);
        MoveWindow(view.list, 0, 0, 380, 200, TRUE);
    }
    ~ListFixture() {
        DestroyWindow(parent);
        g_view = nullptr;
    }
};

TEST(TableListView, ShowsTheTableColumnsItWasGiven) {
    ListFixture f;
    EXPECT_EQ(ListViewItemCount(f.view.list), 40);
    EXPECT_EQ(ListViewItemText(f.view.list, 3, 0), "name3");
    EXPECT_EQ(ListViewItemText(f.view.list, 3, 1), "21");
    SetCell(f.table, 3, 2, "changed");
    AppendRow(f.table);
    SyncTableListView(f.view);
    EXPECT_EQ(ListViewItemText(f.view.list, 3, 1), "changed");
    EXPECT_EQ(ListViewItemCount(f.view.list), 41);
}

TEST(TableListView, HeaderClickSortsByValueAndTurnsAround) {
    ListFixture f;
    NMLISTVIEW click{};
    click.hdr.hwndFrom = f.view.list;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iSubItem = 1;
    LRESULT result = 0;
    HandleTableListNotification(f.view, click.hdr, result);
    EXPECT_EQ(ListViewItemText(f.view.list, 0, 1), "0");
    EXPECT_EQ(ListViewItemText(f.view.list, 1, 1), "1");
    EXPECT_EQ(ListViewItemText(f.view.list, 39, 1), "39");
    HandleTableListNotification(f.view, click.hdr, result);
    EXPECT_EQ(ListViewItemText(f.view.list, 0, 1), "39");
    EXPECT_FALSE(f.view.sortAscending);
}

TEST(TableListView, NewColumnsShowOtherTableColumnsAndKeepTheSortWhileItsColumnStays) {
    ListFixture f;
    SortTableListView(f.view, 1, false);  // by the value column, descending
    SetTableListColumns(
        f.view, {{"Hidden", 50, LVCFMT_LEFT, 1, CompareCellText}, {"Value", 90, LVCFMT_RIGHT, 2, CompareCellNumber}});
    HWND header = ListViewHeader(f.view.list);
    EXPECT_EQ(HeaderItemCount(header), 2);
    EXPECT_EQ(ListViewColumnWidth(f.view.list, 1), 90);
    EXPECT_EQ(ListViewItemText(f.view.list, 0, 0), "hidden");
    EXPECT_EQ(ListViewItemText(f.view.list, 0, 1), "39");
    EXPECT_EQ(f.view.sortColumn, 1);

    SetTableListColumns(f.view, {{"Name", 120, LVCFMT_LEFT, 0, CompareCellText}});
    EXPECT_EQ(HeaderItemCount(header), 1);
    EXPECT_EQ(f.view.sortColumn, -1);
    EXPECT_EQ(ListViewItemCount(f.view.list), 40);
}

std::vector<int> ListSelection(HWND list) {
    std::vector<int> selected;
    for (int index = -1; (index = NextListViewItem(list, index, LVNI_SELECTED)) >= 0;)
        selected.push_back(index);
    return selected;
}

TEST(TableListView, ASelectionOfSeveralRowsOutlivesRefreshesAndSortsWithItsRows) {
    ListFixture f;
    // Chosen in the list, as the user's clicks do.
    for (int item : {4, 9, 17}) {
        SetListViewItemState(f.view.list, item, LVIS_SELECTED, LVIS_SELECTED);
    }
    ASSERT_EQ(ListSelection(f.view.list), (std::vector<int>{4, 9, 17}));
    SetCell(f.table, 9, 0, "renamed");
    SyncTableListView(f.view);
    EXPECT_EQ(ListSelection(f.view.list), (std::vector<int>{4, 9, 17})) << "a refresh keeps it";
    EXPECT_TRUE(f.table.rows[4].selected && f.table.rows[9].selected && f.table.rows[17].selected);

    SortTableListView(f.view, 0, false);
    std::vector<std::string> names;
    for (int item : ListSelection(f.view.list))
        names.push_back(ListViewItemText(f.view.list, item, 0));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"name17", "name4", "renamed"})) << "the same rows, moved";

    SelectOnlyRow(f.view, 2);
    EXPECT_EQ(ListSelection(f.view.list), std::vector<int>{2});
}

TEST(TableListView, SelectionFollowsTheRowsAndARebuildKeepsSortSelectionAndScroll) {
    ListFixture f;
    SelectOnlyRow(f.view, 25);
    EXPECT_EQ(CurrentRow(f.view), 25u);
    EXPECT_TRUE(f.table.rows[25].selected);
    EnsureListViewItemVisible(f.view.list, 30);
    SortTableListView(f.view, 1, false);
    ListViewState state = SaveListViewState(f.view);
    EXPECT_GT(state.topIndex, 0);

    // A rebuild from scratch: the rows come back in table order, then the state is restored.
    f.table = MakeRowTable(3);
    for (int i = 0; i < 40; ++i) {
        size_t row = AppendRow(f.table);
        SetCell(f.table, row, 0, "new" + std::to_string(i));
        SetCell(f.table, row, 2, std::to_string(i));
    }
    RestoreListViewState(f.view, state);
    EXPECT_EQ(f.view.sortColumn, 1);
    EXPECT_EQ(ListViewItemText(f.view.list, 0, 1), "39") << "sorted descending again";
    EXPECT_EQ(CurrentRow(f.view), state.selectedIndex);
    EXPECT_EQ(ListViewTopIndex(f.view.list), state.topIndex);
}

}  // namespace
