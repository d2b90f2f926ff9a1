#include "main/services/ServicesView_win.h"

#include <shellapi.h>
#include <shlobj.h>

#include "foundation/Controls_win.h"
#include "foundation/FileSystem.h"
#include "foundation/Language.h"
#include "foundation/ListViews_win.h"
#include "foundation/ValueFormatting.h"
#include "main/FileVersionInfo_win.h"
#include "main/SystemFiles_win.h"
#include "main/autoruns/Registry_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "main/services/DriversView.h"

namespace {

RowTable g_driverTable = MakeRowTable(DriverColumnCount);
TableListView g_drivers;
HIMAGELIST g_driverImages = nullptr;

int CompareDriverSizes(std::string_view first, std::string_view second) {
    return CompareFormattedSizes(SizeColumnList::Drivers, first, second);
}

std::vector<ListColumn> DriverColumns() {
    return {
        {LanguageText(LanguageKey::DriverName), 120, LVCFMT_LEFT, 0, CompareCellText},
        {LanguageText(LanguageKey::Type), 120, LVCFMT_LEFT, 1, CompareCellText},
        {LanguageText(LanguageKey::Description), 150, LVCFMT_LEFT, 2, CompareCellText},
        {LanguageText(LanguageKey::Type), 120, LVCFMT_LEFT, 3, CompareCellText},
        {LanguageText(LanguageKey::Start), 100, LVCFMT_LEFT, 4, CompareCellText},
        {LanguageText(LanguageKey::Company), 150, LVCFMT_LEFT, 5, CompareCellText},
        {LanguageText(LanguageKey::Version), 80, LVCFMT_LEFT, 6, CompareCellText},
        {LanguageText(LanguageKey::FileSize), 100, LVCFMT_RIGHT, 7, CompareDriverSizes},
        {LanguageText(LanguageKey::FilePath), 355, LVCFMT_LEFT, 8, CompareCellText},
    };
}

// The kind images, in DriverImage order, from the system's stock icons.
void LoadDriverImages() {
    g_driverImages = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
    // IDI_SHIELD, which the headers name only for Vista and later.
    const LPCSTR kShieldIcon = MAKEINTRESOURCEA(32518);
    const LPCSTR kStockIcons[3] = {kShieldIcon, IDI_APPLICATION, IDI_INFORMATION};
    for (LPCSTR id : kStockIcons) {
        HICON icon = static_cast<HICON>(LoadImageA(nullptr, id, IMAGE_ICON, 16, 16, LR_SHARED));
        ImageList_AddIcon(g_driverImages, icon);
    }
}

std::string FileSizeText(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    SystemFileAccess file(path);
    if (path.empty() || !GetFileAttributesExA(file.path.c_str(), GetFileExInfoStandard, &data)) {
        return LanguageText(LanguageKey::NotDetectable);
    }
    int64_t size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return FormatBytes64(size, 2);
}

}  // namespace

DriverRecord ReadDriverRecord(const std::string& baseName,
                              const std::string& fileName,
                              const std::string& systemFolder) {
    DriverRecord record;
    record.baseName = baseName;
    record.path = DriverFullPath(NormalizeImagePath(fileName), systemFolder);
    record.description = FileVersionText(record.path, kVersionDescription, false);
    record.company = FileVersionText(record.path, kVersionCompany, false);
    record.version = FileVersionText(record.path, kVersionFile, false);
    std::string key = DriverServiceKey(baseName);
    record.typeValue = ReadRegistryValue(key, "Type");
    record.startValue = ReadRegistryValue(key, "Start");
    record.size = FileSizeText(record.path);
    return record;
}

TableListView& DriversList() {
    return g_drivers;
}

void CreateDriversList(HWND view) {
    CreateTableListView(g_drivers, view, ControlDriverList, &g_driverTable, DriverColumns(), false);
    LoadDriverImages();
    SetListViewImageList(g_drivers.list, g_driverImages);
}

void RebuildDriversList() {
    if (g_drivers.list == nullptr) {
        return;
    }
    SetRedraw(g_drivers.list, false);
    ListViewState state = SaveListViewState(g_drivers);
    g_driverTable.rows.clear();

    std::string systemFolder = SpecialFolderPath(CSIDL_SYSTEM);
    for (BeginDriverEnumeration(); NextDriver();) {
        AppendDriverRow(g_driverTable, ReadDriverRecord(DriverBaseName(), DriverFileName(), systemFolder));
    }
    RestoreListViewState(g_drivers, state);
    SetRedraw(g_drivers.list, true);
    InvalidateRect(g_drivers.list, nullptr, TRUE);
}

std::string SelectedDriverName() {
    size_t row = CurrentRow(g_drivers);
    return row == kNoRow ? std::string() : Cell(g_driverTable, row, 0);
}

std::string SelectedDriverPath() {
    size_t row = CurrentRow(g_drivers);
    return row == kNoRow ? std::string() : Cell(g_driverTable, row, DriverColumnPath);
}

void ExploreDriverFolder() {
    std::string folder = FolderOfPath(SelectedDriverPath());
    if (folder.empty()) {
        return;
    }
    ShellExecuteA(nullptr, "explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
