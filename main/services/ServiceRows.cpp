#include "main/services/ServiceRows.h"

#include "main/CommandIds.h"
#include "main/services/DriversView.h"

void FillServiceTable(RowTable& table, const std::vector<ServiceRecord>& records) {
    table.rows.clear();
    for (const ServiceRecord& record : records) {
        size_t row = AppendRow(table);
        SetCell(table, row, 0, record.name);
        SetCell(table, row, 1, record.displayName);
        SetCell(table, row, 2, ServiceKeyText(ServiceStateKey(record.state)));
        SetCell(table, row, 3, ServiceKeyText(ServiceTypeKey(record.type)));
        SetCell(table, row, 4, ServiceKeyText(ServiceStartTypeKey(record.startType)));
        SetCell(table, row, 5, record.product);
        SetCell(table, row, 6, record.company);
        SetCell(table, row, 7, record.command);
        SetCell(table, row, 8, record.description);
        SetCellInteger(table, row, ServiceColumnStateNumber, record.state);
        SetCellInteger(table, row, ServiceColumnStartNumber, record.startType);
        table.rows[row].image = record.image;
    }
}

size_t AppendDriverRow(RowTable& table, const DriverRecord& record) {
    size_t row = AppendRow(table);
    SetCell(table, row, 0, record.baseName);
    SetCell(table, row, 1, DriverKindText(record.baseName));
    SetCell(table, row, 2, record.description);
    SetCell(table, row, 3, DriverTypeText(record.typeValue));
    SetCell(table, row, 4, DriverStartText(record.startValue));
    SetCell(table, row, 5, record.company);
    SetCell(table, row, 6, record.version);
    SetCell(table, row, 7, record.size);
    SetCell(table, row, DriverColumnPath, record.path);
    table.rows[row].image = DriverKindImage(record.baseName);
    return row;
}

ServiceMenuState ServiceMenuStateOf(const RowTable& table, size_t row) {
    ServiceMenuState menu;
    if (row == kNoRow || row >= table.rows.size())
        return menu;
    long state = static_cast<long>(CellInteger(table, row, ServiceColumnStateNumber));
    menu.start = state == kServiceStopped;
    menu.stop = state == kServiceRunning || state == kServicePaused;
    menu.pause = state == kServiceRunning;
    menu.resume = state == kServicePaused;
    menu.startTypes = true;
    menu.startType = static_cast<long>(CellInteger(table, row, ServiceColumnStartNumber));
    return menu;
}

std::optional<ServiceAction> ServiceActionOfCommand(int id) {
    switch (id) {
        case CommandServiceStart:
            return ServiceAction::Start;
        case CommandServiceStop:
            return ServiceAction::Stop;
        case CommandServicePause:
            return ServiceAction::Pause;
        case CommandServiceContinue:
            return ServiceAction::Continue;
        case CommandServiceDisabled:
            return ServiceAction::RunDeactivated;
        case CommandServiceAutomatic:
            return ServiceAction::RunAutomatic;
        case CommandServiceManual:
            return ServiceAction::RunManual;
    }
    return std::nullopt;
}
