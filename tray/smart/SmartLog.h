#pragma once
// What the SMART monitor writes and shows: the change lines of a drive's log, the attribute table
// that opens a new log, the balloon texts, and when a log is long enough to be put aside. Portable;
// the texts of the labels and headers come from the language catalogue.

#include <cstdint>
#include <string>
#include <vector>

#include "hardware/SmartAttributes.h"
#include "tray/smart/SmartMonitorTable.h"

// A log past this length is renamed to "smart<n>.log.1" (replacing the older copy) and a new one
// begins, so logs never fill the disk.
constexpr uint64_t kSmartLogRotationLength = 10000000;
// The pause after each balloon, so that the next one can be read.
constexpr uint32_t kSmartBalloonPause = 1000;
// More changes of one drive in one reading than this are shown in one balloon, not one each: a new
// drive or a start without "smart.dat" would otherwise hold the loop for minutes.
constexpr size_t kSmartBalloonsPerReading = 3;
// A balloon's text holds at most this many characters.
constexpr size_t kSmartBalloonTextLength = 255;

struct SmartLogTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "smart" + n + ".log", and the name of its older copy.
std::string SmartLogFileName(int drive);
std::string SmartOldLogFileName(int drive);
bool SmartLogNeedsRotation(uint64_t length);

// The language text naming the value (`Threshold`, `CurrentValue`, `WorstValue`, `Data`).
std::string SmartValueLabel(SmartValueKind kind);
// "Reallocated Sectors Count [Raw Value]: 5 (+2)".
std::string SmartChangeText(const SmartChange& change);
// "dd.mm.yy hh:ii:ss: " and the change's text, ended by "\r\n".
std::string SmartLogLine(const SmartLogTime& time, const SmartChange& change);

// `Information` and the time: "Information (hh:ii:ss)".
std::string SmartBalloonTitle(const SmartLogTime& time);
// `Drive` " #n (model): \n" and the changes one a line; what does not fit the balloon is cut at a
// whole line and marked "...".
std::string SmartBalloonText(int drive, const std::string& model, const std::vector<SmartChange>& changes);

// The table of a reading's present attributes, name, threshold, current, worst and raw value, under
// a header line, as a new log starts.
std::string SmartAttributeTableText(const SmartTable& table);
