#include "hardware/SmartView_win.h"

#include <commctrl.h>

#include <array>
#include <bitset>
#include <vector>

#include "foundation/Controls_win.h"
#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "foundation/ScopedHandles_win.h"
#include "hardware/SmartDevice_win.h"
#include "hardware/SmartRows.h"
#include "main/CommandIds.h"

namespace {

constexpr int kDriveListHeight = 110;
constexpr int kListGap = 6;

RowTable g_driveTable = MakeRowTable(SmartDriveColumnCount);
RowTable g_attributeTable = MakeRowTable(SmartAttributeColumnCount);
TableListView g_driveList;
TableListView g_attributeList;
HIMAGELIST g_stateImages = nullptr;
// The drives the list has shown, so that one that stops answering keeps its row.
std::array<SmartDriveIdentity, kSmartDriveCount> g_identities;
int g_shownDrive = -1;
// The first drive is selected once, when the list first has one, so that the view opens with
// attributes to read.
bool g_firstDriveChosen = false;
SmartSelection* g_selection = nullptr;
bool g_selectionChanged = false;

std::vector<ListColumn> DriveColumns() {
    return {
        {LanguageText(LanguageKey::Drive), 60, LVCFMT_LEFT, SmartDriveColumnNumber, CompareDriveCells},
        {LanguageText(LanguageKey::Evaluation), 120, LVCFMT_LEFT, SmartDriveColumnEvaluation, CompareCellNumber},
        {LanguageText(LanguageKey::Model), 250, LVCFMT_LEFT, SmartDriveColumnModel, CompareCellText},
        {LanguageText(LanguageKey::Serialnumber), 150, LVCFMT_LEFT, SmartDriveColumnSerial, CompareCellText},
    };
}

std::vector<ListColumn> AttributeColumns() {
    return {
        {LanguageText(LanguageKey::Name), 190, LVCFMT_LEFT, SmartAttributeColumnName, CompareCellText},
        {LanguageText(LanguageKey::ID), 70, LVCFMT_LEFT, SmartAttributeColumnId, CompareCellNumber},
        {LanguageText(LanguageKey::Threshold), 70, LVCFMT_RIGHT, SmartAttributeColumnThreshold, CompareCellNumber},
        {LanguageText(LanguageKey::CurrentValue), 95, LVCFMT_RIGHT, SmartAttributeColumnCurrent, CompareCellNumber},
        {LanguageText(LanguageKey::WorstValue), 85, LVCFMT_RIGHT, SmartAttributeColumnWorst, CompareCellNumber},
        {LanguageText(LanguageKey::Data), 90, LVCFMT_RIGHT, SmartAttributeColumnRaw, CompareCellNumber},
        {LanguageText(LanguageKey::Information), 320, LVCFMT_LEFT, SmartAttributeColumnInformation, CompareCellText},
    };
}

// Green, amber and red dots, in SmartState order.
void CreateStateImages() {
    const COLORREF kMask = RGB(255, 0, 255);
    const COLORREF kColours[3] = {RGB(40, 170, 60), RGB(240, 170, 0), RGB(220, 30, 30)};
    g_stateImages = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 0);
    ScopedWindowDc screen(nullptr);
    for (COLORREF colour : kColours) {
        HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), 16, 16);
        {
            ScopedMemoryDc dc(CreateCompatibleDC(screen.get()));
            ScopedSelection selected(dc.get(), bitmap);
            ScopedGdiObject<HBRUSH> background(CreateSolidBrush(kMask));
            RECT all{0, 0, 16, 16};
            FillRect(dc.get(), &all, background.get());
            ScopedGdiObject<HBRUSH> fill(CreateSolidBrush(colour));
            ScopedGdiObject<HPEN> outline(
                CreatePen(PS_SOLID, 1, RGB(GetRValue(colour) / 2, GetGValue(colour) / 2, GetBValue(colour) / 2)));
            ScopedSelection brush(dc.get(), fill.get());
            ScopedSelection pen(dc.get(), outline.get());
            Ellipse(dc.get(), 2, 2, 14, 14);
        }
        ImageList_AddMasked(g_stateImages, bitmap, kMask);
        DeleteObject(bitmap);
    }
}

int SelectedDrive() {
    size_t row = CurrentRow(g_driveList);
    return row == kNoRow ? -1 : SmartDriveOfRow(g_driveTable, row);
}

// Shows the drive's attributes; the same drive again keeps the list's selection and scroll position.
void ShowAttributes(int drive, const SmartReading& reading) {
    ListViewState state = SaveListViewState(g_attributeList);
    if (drive != g_shownDrive) {
        state.selectedIndex = kNoRow;
        state.topIndex = 0;
    }
    SetRedraw(g_attributeList.list, false);
    if (drive >= 0 && reading.detectable) {
        FillSmartAttributeRows(g_attributeTable, reading.table, EvaluateSmart(reading.table));
    } else {
        g_attributeTable.rows.clear();
    }
    g_shownDrive = drive;
    RestoreListViewState(g_attributeList, state);
}

// The monitoring choice of a row's attribute for the shown drive, or null when none can be made.
std::bitset<kSmartAttributeNumbers>* WatchedAttributes(size_t row, int& id) {
    if (g_selection == nullptr || g_shownDrive < 0 || row >= g_attributeTable.rows.size()) {
        return nullptr;
    }
    id = static_cast<int>(CellInteger(g_attributeTable, row, SmartAttributeColumnId));
    return id > 0 && id < kSmartAttributeNumbers ? &(*g_selection)[g_shownDrive] : nullptr;
}

bool RowChecked(size_t row) {
    int id = 0;
    const std::bitset<kSmartAttributeNumbers>* watched = WatchedAttributes(row, id);
    return watched != nullptr && watched->test(static_cast<size_t>(id));
}

bool ToggleRowCheck(size_t row) {
    int id = 0;
    std::bitset<kSmartAttributeNumbers>* watched = WatchedAttributes(row, id);
    if (watched == nullptr) {
        return false;
    }
    watched->flip(static_cast<size_t>(id));
    g_selectionChanged = true;
    SendMessageA(g_attributeList.list, LVM_REDRAWITEMS, row, row);
    return true;
}

// The list keeps no states of its own rows: it asks for each row's check box and leaves the clicks on
// them to its parent. True when a check box was turned over.
bool HandleAttributeCheckBoxes(const NMHDR& header) {
    if (header.code == LVN_GETDISPINFOA) {
        LVITEMA& item = WholeNotification<NMLVDISPINFOA>(header).item;
        if ((item.mask & LVIF_STATE) && item.iItem >= 0) {
            item.state |= INDEXTOSTATEIMAGEMASK(RowChecked(static_cast<size_t>(item.iItem)) ? 2 : 1);
            item.stateMask |= LVIS_STATEIMAGEMASK;
        }
    } else if (header.code == NM_CLICK || header.code == NM_DBLCLK) {
        LVHITTESTINFO hit{};
        hit.pt = WholeNotification<NMITEMACTIVATE>(header).ptAction;
        SendMessageA(g_attributeList.list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        return hit.iItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) && ToggleRowCheck(static_cast<size_t>(hit.iItem));
    } else if (header.code == LVN_KEYDOWN && WholeNotification<NMLVKEYDOWN>(header).wVKey == VK_SPACE) {
        size_t row = CurrentRow(g_attributeList);
        return row != kNoRow && ToggleRowCheck(row);
    }
    return false;
}

}  // namespace

bool TakeSmartSelectionChange() {
    bool changed = g_selectionChanged;
    g_selectionChanged = false;
    return changed;
}

TableListView& SmartDriveList() {
    return g_driveList;
}

TableListView& SmartAttributeList() {
    return g_attributeList;
}

TableListView& ShowSmartDriveRow(size_t row) {
    SelectOnlyRow(g_driveList, row);
    const int drive = SelectedDrive();
    ShowAttributes(drive, ReadSmartDriveNow(drive));
    return g_attributeList;
}

int SmartShownDrive() {
    return g_shownDrive;
}

void CreateSmartLists(HWND view, SmartSelection* selection) {
    g_selection = selection;
    CreateTableListView(g_driveList, view, ControlHarddiskList, &g_driveTable, DriveColumns(), false);
    CreateTableListView(g_attributeList, view, ControlSmartAttributeList, &g_attributeTable, AttributeColumns(), false);
    SendMessageA(g_attributeList.list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    SendMessageA(g_attributeList.list, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    CreateStateImages();
    SetListViewImageList(g_attributeList.list, g_stateImages);
}

void LayoutSmartLists(int width, int height) {
    int drivesHeight = height / 3 < kDriveListHeight ? height / 3 : kDriveListHeight;
    MoveWindow(g_driveList.list, 0, 0, width, drivesHeight, TRUE);
    int attributesTop = drivesHeight + kListGap;
    MoveWindow(g_attributeList.list, 0, attributesTop, width, height > attributesTop ? height - attributesTop : 0,
               TRUE);
}

void RefreshSmartView() {
    if (g_driveList.list == nullptr) {
        return;
    }
    int selected = SelectedDrive();
    ListViewState state = SaveListViewState(g_driveList);
    SetRedraw(g_driveList.list, false);
    g_driveTable.rows.clear();
    SmartReading selectedReading;
    for (int drive = 0; drive < kSmartDriveCount; ++drive) {
        SmartReading reading = ReadSmartDriveNow(drive);
        if (!reading.serial.empty()) {
            g_identities[drive] = {reading.model, reading.serial};
        }
        AppendSmartDriveRow(g_driveTable, reading, g_identities[drive]);
        if (drive == selected) {
            selectedReading = reading;
        }
    }
    RestoreListViewState(g_driveList, state);
    if (!g_firstDriveChosen && RowCount(g_driveTable) > 0) {
        g_firstDriveChosen = true;
        if (SelectedDrive() < 0) {
            SelectOnlyRow(g_driveList, 0);
        }
    }
    int now = SelectedDrive();
    ShowAttributes(now, now == selected ? selectedReading : ReadSmartDriveNow(now));
}

bool HandleSmartListsNotification(const NMHDR& header, LRESULT& result) {
    if (header.idFrom == ControlSmartAttributeList) {
        const bool handled = HandleTableListNotification(g_attributeList, header, result);
        return HandleAttributeCheckBoxes(header) || handled;
    }
    if (header.idFrom != ControlHarddiskList) {
        return false;
    }
    const bool handled = HandleTableListNotification(g_driveList, header, result);
    const bool selectionChange = header.code == LVN_ITEMCHANGED || header.code == LVN_ODSTATECHANGED;
    if (selectionChange && !g_driveList.writingSelection) {
        int drive = SelectedDrive();
        if (drive != g_shownDrive) {
            ShowAttributes(drive, ReadSmartDriveNow(drive));
        }
    }
    return handled || selectionChange;
}

int SmartListsContextMenu(const NMHDR& header) {
    return header.code == NM_RCLICK && header.idFrom == ControlSmartAttributeList ? ContextMenuSmart : 0;
}
