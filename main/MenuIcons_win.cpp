#include "main/MenuIcons_win.h"

#include <map>

#include "foundation/ScopedHandles_win.h"
#include "main/CommandIds.h"
#include "resources/PngBitmap_win.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kIconSide = 16;
// The icon's column is a little wider than the icon, so the text does not touch it.
constexpr int kColumnWidth = kIconSide + 8;

struct CommandIcon {
    int command;
    int resource;
};

// Commands whose entries are check items (views, priorities, start types, window states,
// transparency, processors) are left out on purpose.
constexpr CommandIcon kCommandIcons[] = {
    {CommandExportAll, IDR_PNG_MENU_SAVE_AS},
    {CommandExportProcesses, IDR_PNG_MENU_SAVE},
    {CommandExportWindows, IDR_PNG_MENU_SAVE},
    {CommandExportServices, IDR_PNG_MENU_SAVE},
    {CommandExportDrivers, IDR_PNG_MENU_SAVE},
    {CommandExportNetworks, IDR_PNG_MENU_SAVE},
    {CommandExportSmart, IDR_PNG_MENU_SAVE},
    {CommandExportAutoruns, IDR_PNG_MENU_SAVE},
    {CommandPreferences, IDR_PNG_MENU_PREFERENCES},
    {CommandShutdown, IDR_PNG_MENU_SHUTDOWN},
    {CommandReboot, IDR_PNG_MENU_REBOOT},
    {CommandStandby, IDR_PNG_MENU_STANDBY},
    {CommandHibernate, IDR_PNG_MENU_HIBERNATE},
    {CommandLogoff, IDR_PNG_MENU_LOGOFF},
    {CommandLock, IDR_PNG_MENU_LOCK},
    {CommandOpenHelp, IDR_PNG_MENU_HELP},
    {CommandAbout, IDR_PNG_MENU_INFORMATION},
    {CommandRefresh, IDR_PNG_MENU_REFRESH},
    {CommandSearch, IDR_PNG_MENU_FIND},
    {CommandRun, IDR_PNG_MENU_RUN},
    {CommandDatabaseQuery, IDR_PNG_MENU_DATABASE},
    {CommandDatabaseUpdate, IDR_PNG_MENU_RATE},
    {CommandDatabaseDelete, IDR_PNG_MENU_DELETE},
    {CommandDatabaseChangeProfile, IDR_PNG_MENU_ACCOUNT},
    {CommandPauseProcess, IDR_PNG_MENU_PAUSE},
    {CommandResumeProcess, IDR_PNG_MENU_START},
    {CommandDiagram, IDR_PNG_MENU_DIAGRAM},
    {CommandEnd, IDR_PNG_MENU_STOP},
    {CommandWebSearch, IDR_PNG_MENU_WEB},
    {CommandProcessInformation, IDR_PNG_MENU_INFORMATION},
    {CommandWindowProcessInformation, IDR_PNG_MENU_INFORMATION},
    {CommandOptimizeProcess, IDR_PNG_MENU_OPTIMIZE},
    {CommandDeleteProcess, IDR_PNG_MENU_DELETE},
    {CommandExploreProcessFolder, IDR_PNG_MENU_FOLDER},
    {CommandExploreDriverFolder, IDR_PNG_MENU_FOLDER},
    {CommandExploreAutorunSource, IDR_PNG_MENU_FOLDER},
    {CommandExploreAutorunTarget, IDR_PNG_MENU_FOLDER},
    {CommandJumpToParent, IDR_PNG_MENU_UP},
    {CommandWindowJumpProcess, IDR_PNG_MENU_JUMP},
    {CommandWindowJumpWindow, IDR_PNG_MENU_JUMP},
    {CommandServiceStart, IDR_PNG_MENU_START},
    {CommandServiceStop, IDR_PNG_MENU_STOP_MEDIA},
    {CommandServicePause, IDR_PNG_MENU_PAUSE},
    {CommandServiceContinue, IDR_PNG_MENU_START},
};

std::map<UINT, HBITMAP> g_icons;     // command -> icon
std::map<int, HBITMAP> g_resources;  // resource -> decoded icon, shared by the commands using it

}  // namespace

void LoadMenuIcons(HINSTANCE instance) {
    FreeMenuIcons();
    for (const CommandIcon& entry : kCommandIcons) {
        HBITMAP& icon = g_resources[entry.resource];
        if (icon == nullptr) {
            SIZE size{};
            icon = LoadPngBitmap(instance, entry.resource, &size);
            if (icon != nullptr && (size.cx != kIconSide || size.cy != kIconSide)) {
                DeleteObject(icon);
                icon = nullptr;
            }
        }
        if (icon != nullptr) {
            g_icons[static_cast<UINT>(entry.command)] = icon;
        }
    }
}

void FreeMenuIcons() {
    for (auto& entry : g_resources) {
        if (entry.second != nullptr) {
            DeleteObject(entry.second);
        }
    }
    g_resources.clear();
    g_icons.clear();
}

HBITMAP MenuIconOf(UINT command) {
    auto found = g_icons.find(command);
    return found == g_icons.end() ? nullptr : found->second;
}

void AttachMenuIcons(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STATE | MIIM_FTYPE;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item)) {
            continue;
        }
        if (item.hSubMenu != nullptr) {
            AttachMenuIcons(item.hSubMenu);
            continue;
        }
        if ((item.fType & MFT_SEPARATOR) != 0 || (item.fState & MFS_CHECKED) != 0 || MenuIconOf(item.wID) == nullptr) {
            continue;
        }
        MENUITEMINFOA icon{};
        icon.cbSize = sizeof(icon);
        icon.fMask = MIIM_BITMAP;
        icon.hbmpItem = HBMMENU_CALLBACK;
        SetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &icon);
    }
}

bool MeasureMenuIcon(MEASUREITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU || MenuIconOf(item.itemID) == nullptr) {
        return false;
    }
    item.itemWidth = kColumnWidth;
    item.itemHeight = kIconSide;
    return true;
}

bool DrawMenuIcon(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_MENU) {
        return false;
    }
    HBITMAP icon = MenuIconOf(item.itemID);
    if (icon == nullptr) {
        return false;
    }
    const RECT& box = item.rcItem;
    // Near the left of the column, so the gap falls between icon and text.
    const int x = box.left + (box.right - box.left - kIconSide) / 4;
    const int y = box.top + (box.bottom - box.top - kIconSide) / 2;
    const bool grayed = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    ScopedMemoryDc source(CreateCompatibleDC(item.hDC));
    ScopedSelection selected(source.get(), icon);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(grayed ? 80 : 255), AC_SRC_ALPHA};
    AlphaBlend(item.hDC, x, y, kIconSide, kIconSide, source.get(), 0, 0, kIconSide, kIconSide, blend);
    return true;
}
