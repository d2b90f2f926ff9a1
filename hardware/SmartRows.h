#pragma once
// The rows of the SMART view: one per listed drive, one per present attribute of the selected drive.
// Portable.

#include <string>

#include "hardware/SmartEvaluation.h"
#include "hardware/SmartReading.h"
#include "main/RowTable.h"
#include "main/RowTableSort.h"

enum SmartDriveColumn : size_t {
    SmartDriveColumnNumber,  // "#" + n
    SmartDriveColumnEvaluation,
    SmartDriveColumnModel,
    SmartDriveColumnSerial,
    SmartDriveColumnCount
};

enum SmartAttributeColumn : size_t {
    SmartAttributeColumnName,
    SmartAttributeColumnId,  // decimal, then the hexadecimal form in brackets
    SmartAttributeColumnThreshold,
    SmartAttributeColumnCurrent,
    SmartAttributeColumnWorst,
    SmartAttributeColumnRaw,
    SmartAttributeColumnInformation,
    SmartAttributeColumnCount
};

// What the drive list remembers of a drive it showed, so that a drive that stops answering (an
// unplugged disk) keeps its row, marked as not detectable, instead of vanishing silently.
struct SmartDriveIdentity {
    std::string model;
    std::string serial;
};

// The drive's row: its evaluation with the health colour, or the NotDetectable text on white when it
// answered no SMART requests. A drive without a serial number gets no row: false.
bool AppendSmartDriveRow(RowTable& drives, const SmartReading& reading, const SmartDriveIdentity& identity);

// The drive number a drive row names ("#3" is 3), or -1.
int SmartDriveOfRow(const RowTable& drives, size_t row);

// Sorts drive cells ("#2", "#10") by their numbers.
int CompareDriveCells(std::string_view first, std::string_view second);

std::string SmartAttributeIdText(int id);

// Replaces the rows by one per present attribute, in id order, each with its state as image.
void FillSmartAttributeRows(RowTable& attributes, const SmartTable& table, const SmartEvaluation& evaluation);
