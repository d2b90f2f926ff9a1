// The SMART monitor of the tray companion: the selection and "smart.dat" at start-up, one reading of
// every monitored drive per round with its changes written to the drive's log and shown as balloons,
// the selection reloaded when the main program saved it, the table saved at the menu's Close.
#include <windows.h>

#include <string>
#include <vector>

#include "foundation/FileSystem.h"
#include "foundation/ScopedHandles_win.h"
#include "foundation/SettingsFile.h"
#include "hardware/SmartDevice_win.h"
#include "tray/TrayIcons_win.h"
#include "tray/TrayPlugIns_win.h"
#include "tray/TrayProgram_win.h"
#include "tray/smart/SmartLog.h"
#include "tray/smart/SmartMonitorTable.h"

namespace {

SmartMonitorTable g_table;

// Beside the settings file: the folder "Vantrel" of the profile. Empty when the profile is unknown.
std::string DataFolder() {
    const std::string& settings = Tray().settingsPath;
    size_t separator = settings.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : settings.substr(0, separator);
}

SmartLogTime LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

// The drive's log, open for appending; a log grown past its limit is put aside first. `created`
// tells whether the log begins now. An invalid handle when it can be neither opened nor created.
HANDLE OpenDriveLog(int drive, bool& created) {
    const std::string folder = DataFolder();
    if (folder.empty() || !CreateFolderPath(folder)) {
        return INVALID_HANDLE_VALUE;
    }
    const std::string path = JoinPath(folder, SmartLogFileName(drive));
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) {
        uint64_t length = (static_cast<uint64_t>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
        if (SmartLogNeedsRotation(length)) {
            MoveFileExA(path.c_str(), JoinPath(folder, SmartOldLogFileName(drive)).c_str(), MOVEFILE_REPLACE_EXISTING);
        }
    }
    HANDLE log = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    created = log != INVALID_HANDLE_VALUE && GetLastError() != ERROR_ALREADY_EXISTS;
    return log;
}

void ShowBalloon(const std::string& title, const std::string& text) {
    if (!Tray().iconAdded[0]) {
        return;
    }
    ShowTrayBalloon(title, text, NIIF_WARNING);
    // The whole loop waits, so that the next balloon does not replace this one unread.
    Sleep(kSmartBalloonPause);
}

// One balloon per change; many changes at once share one balloon.
void ShowChanges(int drive,
                 const std::string& model,
                 const std::vector<SmartChange>& changes,
                 const SmartLogTime& time) {
    if (Tray().preferences.PreferencesMonitorSMARTBalloon != 1 || changes.empty()) {
        return;
    }
    const std::string title = SmartBalloonTitle(time);
    if (changes.size() > kSmartBalloonsPerReading) {
        ShowBalloon(title, SmartBalloonText(drive, model, changes));
        return;
    }
    for (const SmartChange& change : changes) {
        ShowBalloon(title, SmartBalloonText(drive, model, {change}));
    }
}

// One reading of the drive. A drive that does not answer changes nothing; otherwise the changes go
// to the log (when there is one) and the balloons, and a log that begins now gets the attribute
// table after them.
void CheckDrive(int drive, HANDLE log, bool newLog) {
    const SmartReading reading = ReadSmartDriveNow(drive);
    if (!reading.detectable) {
        return;
    }
    const std::vector<SmartChange> changes = TakeSmartChanges(g_table[drive], reading);
    const SmartLogTime time = LocalNow();
    if (log != INVALID_HANDLE_VALUE) {
        std::string text;
        for (const SmartChange& change : changes) {
            text += SmartLogLine(time, change);
        }
        if (newLog) {
            text += SmartAttributeTableText(reading.table);
        }
        DWORD written = 0;
        WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    ShowChanges(drive, reading.model, changes, time);
}

void CheckMonitoredDrives() {
    for (int drive = 0; drive < kSmartDriveCount; ++drive) {
        if (g_table[drive].monitored == 0) {
            continue;
        }
        bool created = false;
        ScopedHandle log(OpenDriveLog(drive, created));
        CheckDrive(drive, log.valid() ? log.get() : INVALID_HANDLE_VALUE, created);
    }
}

}  // namespace

// The settings file names what is watched; without one, the table keeps what "smart.dat" said.
void ReloadSmartSelection() {
    SettingsFile file;
    if (!OpenSettingsFile(file, Tray().settingsPath)) {
        return;
    }
    SmartSelection selection{};
    ReadSmartSelection(file, selection);
    CloseSettingsFile(file);
    ApplySmartSelection(g_table, selection);
}

// The previous values come from "smart.dat", what is watched from the settings: the main program's
// last choice wins over the flags of a table saved before it.
void StartSmartMonitoring() {
    g_table = SmartMonitorTable{};
    std::string bytes;
    const std::string folder = DataFolder();
    if (!folder.empty() && ReadWholeFile(JoinPath(folder, kSmartMonitorFileName), bytes)) {
        DecodeSmartMonitorTable(bytes, g_table);
    }
    ReloadSmartSelection();
    CheckMonitoredDrives();
}

void LogSmartChanges() {
    CheckMonitoredDrives();
}

void SaveSmartTable() {
    const std::string folder = DataFolder();
    if (!folder.empty() && CreateFolderPath(folder)) {
        WriteFileAtomically(JoinPath(folder, kSmartMonitorFileName), EncodeSmartMonitorTable(g_table));
    }
}
