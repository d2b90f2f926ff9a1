#pragma once
// The agency lists as the agency windows show them: their columns and a row table per list, whose
// last, hidden column holds each row's position in its agency list (the lists can be sorted).

#include <string>
#include <vector>

#include "main/TableListColumns.h"
#include "tray/agencies/AgencyFile.h"

constexpr char kExecAgencyTitle[] = "Exec Agency";
constexpr char kAvoidAgencyTitle[] = "Avoid Agency";

std::vector<ListColumn> AgencyColumns(AgencyKind kind);
// `images` gives each row's image index in order.
RowTable AgencyTable(const std::vector<AgencyRow>& rows, AgencyKind kind, const std::vector<int>& images);
// The agency list position of a table row; kNoRow when there is none.
size_t AgencyIndexOfRow(const RowTable& table, size_t row);

// The file whose icon a row shows: the program's path, or for avoid rows the program named.
const std::string& AgencyIconFile(const AgencyRow& row, AgencyKind kind);

// The remove question about a row, and the window title it is asked under.
std::string RemoveAgencyQuestion(const AgencyRow& row);
const char* AgencyWindowTitle(AgencyKind kind);
