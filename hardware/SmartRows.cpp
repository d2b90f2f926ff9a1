#include "hardware/SmartRows.h"

#include "foundation/ValueFormatting.h"

bool AppendSmartDriveRow(RowTable& drives, const SmartReading& reading, const SmartDriveIdentity& identity) {
    if (identity.serial.empty()) {
        return false;
    }
    size_t row = AppendRow(drives);
    SetCell(drives, row, SmartDriveColumnNumber, "#" + std::to_string(reading.drive));
    SetCell(drives, row, SmartDriveColumnModel, identity.model);
    SetCell(drives, row, SmartDriveColumnSerial, identity.serial);
    if (!reading.opened || !reading.detectable) {
        SetCell(drives, row, SmartDriveColumnEvaluation, LanguageText(LanguageKey::NotDetectable));
        return true;
    }
    int percentage = EvaluateSmart(reading.table).percentage;
    SetCell(drives, row, SmartDriveColumnEvaluation, SmartEvaluationText(percentage));
    drives.rows[row].backgroundColour = SmartHealthColour(percentage);
    return true;
}

int SmartDriveOfRow(const RowTable& drives, size_t row) {
    const std::string& cell = Cell(drives, row, SmartDriveColumnNumber);
    if (cell.size() < 2 || cell.size() > 3 || cell[0] != '#') {
        return -1;
    }
    int drive = 0;
    for (size_t i = 1; i < cell.size(); ++i) {
        if (cell[i] < '0' || cell[i] > '9') {
            return -1;
        }
        drive = drive * 10 + (cell[i] - '0');
    }
    return drive < kSmartDriveCount ? drive : -1;
}

int CompareDriveCells(std::string_view first, std::string_view second) {
    auto number = [](std::string_view cell) { return cell.substr(cell.empty() || cell[0] != '#' ? 0 : 1); };
    return CompareCellNumber(number(first), number(second));
}

std::string SmartAttributeIdText(int id) {
    return std::to_string(id) + " (" + HexByte(id) + ")";
}

void FillSmartAttributeRows(RowTable& attributes, const SmartTable& table, const SmartEvaluation& evaluation) {
    attributes.rows.clear();
    for (int id = 0; id < 256; ++id) {
        const SmartAttribute& attribute = table[id];
        if (!IsAttributePresent(attribute)) {
            continue;
        }
        size_t row = AppendRow(attributes);
        SetCell(attributes, row, SmartAttributeColumnName, SmartAttributeName(id));
        SetCell(attributes, row, SmartAttributeColumnId, SmartAttributeIdText(id));
        SetCellInteger(attributes, row, SmartAttributeColumnThreshold, attribute.threshold);
        SetCellInteger(attributes, row, SmartAttributeColumnCurrent, attribute.current);
        SetCellInteger(attributes, row, SmartAttributeColumnWorst, attribute.worst);
        SetCellInteger(attributes, row, SmartAttributeColumnRaw, attribute.raw);
        SetCell(attributes, row, SmartAttributeColumnInformation, SmartFlagsText(attribute.flags));
        attributes.rows[row].image = evaluation.states[id];
    }
}
