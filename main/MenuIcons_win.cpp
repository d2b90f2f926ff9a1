#include "main/MenuIcons_win.h"

#include <map>

#include "foundation/ScopedHandles_win.h"
#include "main/MenuIcons.h"
#include "resources/PngBitmap_win.h"

namespace {

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
            if (icon != nullptr && (size.cx != kMenuIconSide || size.cy != kMenuIconSide)) {
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
    item.itemWidth = kMenuIconColumnWidth;
    item.itemHeight = kMenuIconSide;
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
    const int x = box.left + (box.right - box.left - kMenuIconSide) / 4;
    const int y = box.top + (box.bottom - box.top - kMenuIconSide) / 2;
    const bool grayed = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    ScopedMemoryDc source(CreateCompatibleDC(item.hDC));
    ScopedSelection selected(source.get(), icon);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(grayed ? 80 : 255), AC_SRC_ALPHA};
    AlphaBlend(item.hDC, x, y, kMenuIconSide, kMenuIconSide, source.get(), 0, 0, kMenuIconSide, kMenuIconSide, blend);
    return true;
}
