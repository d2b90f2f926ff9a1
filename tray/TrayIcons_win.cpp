#include "tray/TrayIcons_win.h"

#include "foundation/Language.h"
#include "foundation/ScopedHandles_win.h"
#include "main/processes/SystemFigures_win.h"
#include "resources/PngBitmap_win.h"
#include "tray/NetworkSource_win.h"
#include "tray/TrayProgram_win.h"

namespace {

enum TrayIconIndex { kHardwareIcon = 0, kNetworkIcon = 1, kValueIcon = 2 };
constexpr UINT kBalloonMilliseconds = 1000;

NOTIFYICONDATAA IconData(int index, HICON icon) {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = Tray().window;
    data.uID = static_cast<UINT>(index);
    data.uFlags = NIF_MESSAGE | NIF_ICON;
    data.uCallbackMessage = kTrayIconMessage;
    data.hIcon = icon;
    if (index == kHardwareIcon) {
        data.uFlags |= NIF_TIP;
        lstrcpynA(data.szTip, Tray().tooltip.c_str(), sizeof(data.szTip));
    }
    return data;
}

// Adds the icon, or changes it when it is there already.
void ShowIcon(int index, HICON icon) {
    TrayProgram& tray = Tray();
    NOTIFYICONDATAA data = IconData(index, icon);
    if (tray.iconAdded[index]) {
        if (TrayShell().notifyIcon(NIM_MODIFY, &data)) {
            return;
        }
        // The tray lost it (a shell that restarted without telling): add it anew.
    }
    tray.iconAdded[index] = TrayShell().notifyIcon(NIM_ADD, &data) != FALSE;
}

void HideIcon(int index) {
    TrayProgram& tray = Tray();
    if (!tray.iconAdded[index]) {
        return;
    }
    NOTIFYICONDATAA data = IconData(index, nullptr);
    TrayShell().notifyIcon(NIM_DELETE, &data);
    tray.iconAdded[index] = false;
}

// Replaces the icon handle of the index with one made from the image and shows what its setting asks.
void InstallIcon(int index, const IconImage& image) {
    TrayProgram& tray = Tray();
    HICON drawn = CreateIconFromImage(image);
    if (drawn != nullptr) {
        if (tray.icons[index] != nullptr) {
            DestroyIcon(tray.icons[index]);
        }
        tray.icons[index] = drawn;
    }
    const TrayPreferences& preferences = tray.preferences;
    if (index == kHardwareIcon) {
        ShowIcon(index, preferences.PreferencesShowHardwareUsage != 0 ? tray.icons[index] : tray.programIcon);
        return;
    }
    int shown = index == kNetworkIcon ? preferences.PreferencesShowNetworkUsage : preferences.PreferencesShowValues;
    if (shown == 0) {
        HideIcon(index);
    } else {
        ShowIcon(index, tray.icons[index]);
    }
}

IconColours ColoursOf(const TrayPreferences& preferences) {
    IconColours colours;
    colours.cpu = static_cast<uint32_t>(preferences.PreferencesColorCPU);
    colours.ram = static_cast<uint32_t>(preferences.PreferencesColorRAM);
    colours.swap = static_cast<uint32_t>(preferences.PreferencesColorSwap);
    colours.netInput = static_cast<uint32_t>(preferences.PreferencesColorNetInput);
    colours.netOutput = static_cast<uint32_t>(preferences.PreferencesColorNetOutput);
    return colours;
}

// The image with its background fully transparent and every drawn pixel opaque, in the order a
// 32-bit bitmap keeps its colours (0xAARRGGBB).
PngImage OpaqueDrawing(const IconImage& image) {
    PngImage picture;
    picture.width = kTrayIconSide;
    picture.height = kTrayIconSide;
    picture.pixels.reserve(image.pixels.size());
    for (uint32_t colour : image.pixels) {
        uint32_t swapped = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
        picture.pixels.push_back(colour == kIconBackground ? 0 : 0xFF000000u | swapped);
    }
    return picture;
}

// One bit per pixel, set where the background shows through.
HBITMAP CreateMaskBitmap(const IconImage& image) {
    // Rows of a monochrome bitmap are padded to 16 bits; 16 pixels fill exactly one word.
    uint8_t rows[kTrayIconSide * 2] = {};
    for (int y = 0; y < kTrayIconSide; ++y) {
        for (int x = 0; x < kTrayIconSide; ++x) {
            if (PixelAt(image, x, y) == kIconBackground) {
                rows[y * 2 + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    return CreateBitmap(kTrayIconSide, kTrayIconSide, 1, 1, rows);
}

}  // namespace

HICON CreateIconFromImage(const IconImage& image) {
    ScopedGdiObject<HBITMAP> colour(CreatePngBitmap(OpaqueDrawing(image)));
    ScopedGdiObject<HBITMAP> mask(CreateMaskBitmap(image));
    if (!colour.valid() || !mask.valid()) {
        return nullptr;
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour.get();
    info.hbmMask = mask.get();
    return CreateIconIndirect(&info);
}

void AddTrayIcons() {
    TrayProgram& tray = Tray();
    StartNetworkTotals(tray.network, ReadInterfaceOctets());
    ShowIcon(kHardwareIcon, tray.programIcon);
}

void RefreshTrayIcons() {
    TrayProgram& tray = Tray();
    IconColours colours = ColoursOf(tray.preferences);
    IconImage image;
    NetworkTotals totals = SampleNetworkTotals(tray.network, ReadInterfaceOctets());
    DrawNetworkIcon(image, totals.incoming, totals.outgoing, tray.network.incomingMaximum, tray.network.outgoingMaximum,
                    colours);
    InstallIcon(kNetworkIcon, image);
    DrawValueIcon(image, totals.incoming, totals.outgoing);
    InstallIcon(kValueIcon, image);
    DecayNetworkMaxima(tray.network);

    HardwareFigures figures;
    figures.cpuPercent = WholeSystemCpuUsage();
    MemoryStatusFigures memory = ReadMemoryStatus();
    figures.ramUsed = memory.usedPhysical;
    figures.ramTotal = memory.totalPhysical;
    figures.swapUsed = memory.usedPageFile;
    figures.swapTotal = memory.totalPageFile;
    DrawHardwareIcon(image, figures, colours);
    tray.tooltip = HardwareTooltip(figures);
    InstallIcon(kHardwareIcon, image);
}

void RestoreTrayIcons() {
    TrayProgram& tray = Tray();
    // The new tray knows none of our icons: each one shown is added, not changed.
    for (int index = 0; index < kTrayIconCount; ++index) {
        tray.iconAdded[index] = false;
    }
    bool drawnHardware = tray.icons[kHardwareIcon] != nullptr && tray.preferences.PreferencesShowHardwareUsage != 0;
    ShowIcon(kHardwareIcon, drawnHardware ? tray.icons[kHardwareIcon] : tray.programIcon);
    if (tray.icons[kNetworkIcon] != nullptr && tray.preferences.PreferencesShowNetworkUsage != 0) {
        ShowIcon(kNetworkIcon, tray.icons[kNetworkIcon]);
    }
    if (tray.icons[kValueIcon] != nullptr && tray.preferences.PreferencesShowValues != 0) {
        ShowIcon(kValueIcon, tray.icons[kValueIcon]);
    }
}

void ShowOptimizingIcon() {
    TrayProgram& tray = Tray();
    tray.tooltip = LanguageText(LanguageKey::OptimizeAllProcesses) + "...";
    ShowIcon(kHardwareIcon, tray.optimizeIcon != nullptr ? tray.optimizeIcon : tray.programIcon);
}

void RemoveTrayIcons() {
    TrayProgram& tray = Tray();
    for (int index = 0; index < kTrayIconCount; ++index) {
        HideIcon(index);
        if (tray.icons[index] != nullptr) {
            DestroyIcon(tray.icons[index]);
            tray.icons[index] = nullptr;
        }
    }
}

void ShowTrayBalloon(const std::string& title, const std::string& text, DWORD infoFlags) {
    TrayProgram& tray = Tray();
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = tray.window;
    data.uID = kHardwareIcon;
    data.uFlags = NIF_INFO;
    lstrcpynA(data.szInfoTitle, title.c_str(), sizeof(data.szInfoTitle));
    lstrcpynA(data.szInfo, text.c_str(), sizeof(data.szInfo));
    data.uTimeout = kBalloonMilliseconds;
    data.dwInfoFlags = infoFlags;
    TrayShell().notifyIcon(NIM_MODIFY, &data);
}
