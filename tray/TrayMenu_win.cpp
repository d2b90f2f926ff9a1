#include "tray/TrayMenu_win.h"

#include <map>

#include "foundation/Help_win.h"
#include "foundation/Language.h"
#include "foundation/MessageBoxSeam.h"
#include "foundation/ProgramPaths_win.h"
#include "main/CommandIds.h"
#include "main/SystemPower_win.h"
#include "main/processes/ProcessLayer_win.h"
#include "resources/PngBitmap_win.h"
#include "tray/TrayIcons_win.h"
#include "tray/TrayMenu.h"
#include "tray/TrayPlugIns_win.h"
#include "tray/TrayProgram_win.h"
#include "tray/TrayStartup_win.h"

namespace {

std::map<int, HBITMAP> g_images;  // resource -> image laid over the menu's colour

HBITMAP MenuImage(int resource) {
    HBITMAP& image = g_images[resource];
    if (image == nullptr) {
        image = LoadPngBitmapOn(Tray().instance, resource, GetSysColor(COLOR_MENU));
    }
    return image;
}

void AppendEntry(HMENU menu, UINT flags, UINT_PTR command, const std::string& text, int icon) {
    AppendMenuA(menu, flags, command, text.c_str());
    if (icon == 0) {
        return;
    }
    MENUITEMINFOA item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = MenuImage(icon);
    SetMenuItemInfoA(menu, static_cast<UINT>(GetMenuItemCount(menu) - 1), TRUE, &item);
}

// The power entry's command in the main program's numbering, which the shared power table uses.
int PowerCommandOf(int trayCommand) {
    switch (trayCommand) {
        case TrayCommandShutdown:
            return CommandShutdown;
        case TrayCommandReboot:
            return CommandReboot;
        case TrayCommandStandby:
            return CommandStandby;
        case TrayCommandHibernate:
            return CommandHibernate;
        case TrayCommandLogoff:
            return CommandLogoff;
        case TrayCommandLock:
            return CommandLock;
    }
    return 0;
}

std::string UserName() {
    char name[257] = {};
    DWORD length = sizeof(name);
    return GetUserNameA(name, &length) ? std::string(name) : std::string();
}

void AppendModeSubmenu(HMENU parent, LanguageKey title, const std::vector<DisplayModeMenuEntry>& entries) {
    HMENU submenu = CreatePopupMenu();
    for (const DisplayModeMenuEntry& entry : entries) {
        AppendMenuA(submenu, MF_STRING | (entry.checked ? MF_CHECKED : 0), static_cast<UINT_PTR>(entry.command),
                    entry.text.c_str());
    }
    AppendMenuA(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), LanguageText(title).c_str());
}

HMENU BuildWindowsSubmenu() {
    HMENU submenu = CreatePopupMenu();
    for (const TrayMenuEntry& entry : TrayPowerEntries()) {
        std::string text =
            entry.command == TrayCommandLogoff ? LanguageTextWith(entry.text, UserName()) : TrayMenuText(entry);
        UINT enabled = PowerCommandAllowed(PowerCommandOf(entry.command)) ? MF_ENABLED : MF_GRAYED;
        AppendEntry(submenu, MF_STRING | enabled, static_cast<UINT_PTR>(entry.command), text, entry.icon);
    }
    std::vector<MonitorModes> monitors = ReadMonitorModes();
    if (!monitors.empty()) {
        AppendMenuA(submenu, MF_SEPARATOR, 0, nullptr);
    }
    DisplayModeTable& table = Tray().displayModes;
    ClearDisplayModeTable(table);
    for (const MonitorModes& monitor : monitors) {
        MonitorModeMenu modes = BuildMonitorModeMenu(table, monitor.device, monitor.current, monitor.modes);
        HMENU monitorMenu = CreatePopupMenu();
        AppendModeSubmenu(monitorMenu, LanguageKey::Resolution, modes.resolutions);
        AppendModeSubmenu(monitorMenu, LanguageKey::Framerate, modes.frequencies);
        AppendModeSubmenu(monitorMenu, LanguageKey::Colordepth, modes.depths);
        AppendMenuA(submenu, MF_POPUP, reinterpret_cast<UINT_PTR>(monitorMenu), monitor.title.c_str());
    }
    return submenu;
}

UINT EntryState(const TrayMenuEntry& entry) {
    const TrayPreferences& preferences = Tray().preferences;
    UINT state = MF_STRING;
    if (entry.kind == TrayEntryKind::Toggle) {
        state |= ToggleChecked(preferences, entry.command) ? MF_CHECKED : MF_UNCHECKED;
        state |= ToggleEnabled(preferences, entry.command) ? MF_ENABLED : MF_GRAYED;
    } else if (!TrayCommandAvailable(entry.command)) {
        state |= MF_GRAYED;
    }
    return state;
}

void ApplyDisplayMode(const DisplayModeEntry& entry) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    mode.dmPelsWidth = static_cast<DWORD>(entry.mode.width);
    mode.dmPelsHeight = static_cast<DWORD>(entry.mode.height);
    mode.dmBitsPerPel = static_cast<DWORD>(entry.mode.bitsPerPixel);
    mode.dmDisplayFrequency = static_cast<DWORD>(entry.mode.frequency);
    TrayShell().changeDisplaySettings(entry.device.c_str(), &mode, nullptr, CDS_UPDATEREGISTRY, nullptr);
    BuildTrayMenu();
}

void OptimizeAllProcesses() {
    ShowOptimizingIcon();
    for (BeginProcessEnumeration(); NextProcess() != 0;) {
        TrimWorkingSet(CurrentProcessId());
    }
}

void FlipTrayToggle(int command) {
    for (const SettingChange& change : FlipToggle(Tray().preferences, command)) {
        WriteTrayPreference(change.key, change.value);
    }
    BuildTrayMenu();
    if (ToggleRedrawsIcons(command)) {
        RefreshTrayIcons();
        Tray().stamps.icon = GetTickCount();
    }
}

// The help of the current language, as the main program opens it.
void OpenTrayHelp() {
    if (!OpenHelpFile(Tray().window, nullptr)) {
        ShowMessageBox(LanguageText(LanguageKey::Information), LanguageText(LanguageKey::CanNotOpenHelp),
                       kMessageBoxInformation);
    }
}

void ExploreDataFolder() {
    std::string settings = Tray().settingsPath;
    std::string folder = settings.substr(0, settings.find_last_of('\\'));
    ShellExecuteA(Tray().window, "explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

std::vector<MonitorModes> ReadMonitorModes() {
    std::vector<MonitorModes> monitors;
    DISPLAY_DEVICEA adapter{};
    adapter.cb = sizeof(adapter);
    for (DWORD index = 0; EnumDisplayDevicesA(nullptr, index, &adapter, 0); ++index, adapter.cb = sizeof(adapter)) {
        if (!(adapter.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP)) {
            continue;
        }
        DISPLAY_DEVICEA monitor{};
        monitor.cb = sizeof(monitor);
        if (!EnumDisplayDevicesA(adapter.DeviceName, 0, &monitor, 0)) {
            monitor.DeviceString[0] = '\0';
        }
        MonitorModes entry;
        entry.device = adapter.DeviceName;
        entry.title = MonitorMenuTitle(adapter.DeviceString, adapter.DeviceName, monitor.DeviceString);
        DEVMODEA mode{};
        mode.dmSize = sizeof(mode);
        if (!EnumDisplaySettingsA(adapter.DeviceName, ENUM_CURRENT_SETTINGS, &mode)) {
            continue;
        }
        entry.current = {static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                         static_cast<int>(mode.dmDisplayFrequency), static_cast<int>(mode.dmBitsPerPel)};
        for (DWORD number = 0; EnumDisplaySettingsA(adapter.DeviceName, number, &mode); ++number) {
            entry.modes.push_back({static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                                   static_cast<int>(mode.dmDisplayFrequency), static_cast<int>(mode.dmBitsPerPel)});
        }
        monitors.push_back(std::move(entry));
    }
    return monitors;
}

void BuildTrayMenu() {
    TrayProgram& tray = Tray();
    if (tray.menu != nullptr) {
        DestroyMenu(tray.menu);
    }
    tray.menu = CreatePopupMenu();
    for (const TrayMenuEntry& entry : TrayMenuEntries()) {
        switch (entry.kind) {
            case TrayEntryKind::Separator:
                AppendMenuA(tray.menu, MF_SEPARATOR, 0, nullptr);
                break;
            case TrayEntryKind::WindowsSubmenu:
                AppendEntry(tray.menu, MF_POPUP, reinterpret_cast<UINT_PTR>(BuildWindowsSubmenu()), TrayMenuText(entry),
                            entry.icon);
                break;
            default:
                AppendEntry(tray.menu, EntryState(entry), static_cast<UINT_PTR>(entry.command), TrayMenuText(entry),
                            entry.icon);
                break;
        }
    }
}

void ShowTrayMenu() {
    TrayProgram& tray = Tray();
    POINT cursor{};
    GetCursorPos(&cursor);
    // In front first, so that the menu closes when the user clicks elsewhere.
    SetForegroundWindow(tray.window);
    TrackPopupMenu(tray.menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, tray.window, nullptr);
    PostMessageA(tray.window, WM_NULL, 0, 0);
}

void RunTrayCommand(int command) {
    if (ToggleSetting(Tray().preferences, command) != nullptr) {
        FlipTrayToggle(command);
        return;
    }
    if (int power = PowerCommandOf(command)) {
        RunPowerCommand(power);
        return;
    }
    if (const DisplayModeEntry* mode = DisplayModeOfCommand(Tray().displayModes, command)) {
        ApplyDisplayMode(*mode);
        return;
    }
    switch (command) {
        case TrayCommandShowMain:
            StartMainProgram();
            break;
        case TrayCommandOptimizeAll:
            OptimizeAllProcesses();
            break;
        case TrayCommandShowSmartLogs:
            ExploreDataFolder();
            break;
        case TrayCommandSelectColors:
            ShowWindow(Tray().colourWindow, SW_SHOW);
            SetForegroundWindow(Tray().colourWindow);
            break;
        case TrayCommandHelp:
            OpenTrayHelp();
            break;
        case TrayCommandClose:
            ExitTray(true);
            break;
        default:
            RunAgencyCommand(command);
            break;
    }
}

void FreeTrayMenuImages() {
    for (auto& entry : g_images) {
        if (entry.second != nullptr) {
            DeleteObject(entry.second);
        }
    }
    g_images.clear();
}
