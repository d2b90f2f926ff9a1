#pragma once
// The agencies in memory and their stored form "agency.dat": records of a type byte, the fields
// each followed by 0x01, and "\r\n". Portable: the tray companion's windows show these rows.

#include <string>
#include <string_view>
#include <vector>

enum class AgencyKind { SystemStart = 0, ProgramStart = 1, Avoid = 2 };

// Fields of system-start and program-start rows: name, conditions (or trigger), parameters,
// invisible marker, full path. Avoid rows: program, conditions.
constexpr int kStartAgencyFieldCount = 5;
constexpr int kAvoidAgencyFieldCount = 2;

struct AgencyRow {
    std::vector<std::string> fields;
    // System-start rows only: run or cancelled in this run of the tray companion. Never stored.
    bool examined = false;
};

struct AgencyLists {
    std::vector<AgencyRow> systemStart;
    std::vector<AgencyRow> programStart;
    std::vector<AgencyRow> avoid;
};

std::vector<AgencyRow>& AgencyList(AgencyLists& lists, AgencyKind kind);
const std::vector<AgencyRow>& AgencyList(const AgencyLists& lists, AgencyKind kind);

// The file's bytes for the lists, and the lists read back from such bytes. Without `autorun`,
// every system-start row is examined at once (those agencies run only in a run started at logon).
std::string FormatAgencyFile(const AgencyLists& lists);
AgencyLists ParseAgencyFile(std::string_view bytes, bool autorun);

// A field typed by the user fits the file: no 0x01, CR or LF.
bool AgencyFieldStorable(std::string_view field);

// No list has a row: saving then leaves the autostart link and its setting alone.
bool AgencyListsEmpty(const AgencyLists& lists);
