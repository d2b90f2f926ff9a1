#pragma once

#include <optional>
#include <string>
#include <vector>

#include "main/RowTable.h"
#include "main/services/ServiceTexts.h"

// The rows of the services and drivers lists, built from plain records that the Win32 side reads
// from the service manager, the registry and the files. Portable.

// Columns 0-8 are shown; the numbers behind them are kept for the menu.
enum ServiceColumn : size_t { ServiceColumnStateNumber = 9, ServiceColumnStartNumber = 10, ServiceColumnCount = 11 };
enum DriverColumn : size_t { DriverColumnPath = 8, DriverColumnCount = 9 };

// The manager's numbers the lists and menus tell apart.
constexpr long kServiceStopped = 1;
constexpr long kServiceRunning = 4;
constexpr long kServicePaused = 7;
constexpr long kServiceAutoStart = 2;
constexpr long kServiceDemandStart = 3;
constexpr long kServiceDisabled = 4;

struct ServiceRecord {
    std::string name;
    std::string displayName;
    long state = 0;
    long type = -1;       // -1 when the configuration could not be read
    long startType = -1;  // likewise
    std::string command;  // the configured command line
    std::string product;  // version texts of the executable behind the command
    std::string company;
    std::string description;
    int image = 0;
};

struct DriverRecord {
    std::string baseName;
    std::string path;
    std::string description;  // version texts of the file
    std::string company;
    std::string version;
    std::string typeValue;  // the registry values of its service key, as text; empty when unreadable
    std::string startValue;
    std::string size;  // the formatted size, or the missing-file text
};

// Replaces the table's rows with one row per record, in order.
void FillServiceTable(RowTable& table, const std::vector<ServiceRecord>& records);
size_t AppendDriverRow(RowTable& table, const DriverRecord& record);

// What the services menu offers for a row (none selected: nothing but unchecked entries).
struct ServiceMenuState {
    bool start = false;
    bool stop = false;
    bool pause = false;
    bool resume = false;
    bool startTypes = false;
    long startType = -1;
};
ServiceMenuState ServiceMenuStateOf(const RowTable& table, size_t row);

// The action of a services menu command (581-587), or none.
std::optional<ServiceAction> ServiceActionOfCommand(int id);
