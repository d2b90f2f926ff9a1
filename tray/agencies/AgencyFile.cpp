#include "tray/agencies/AgencyFile.h"

namespace {

constexpr char kFieldEnd = '\x01';
constexpr char kRecordEnd[] = "\r\n";

int FieldCountOf(AgencyKind kind) {
    return kind == AgencyKind::Avoid ? kAvoidAgencyFieldCount : kStartAgencyFieldCount;
}

// The fields of one line: each ends at 0x01; a truncated last field (no 0x01) still counts.
std::vector<std::string> SplitFields(std::string_view line, AgencyKind kind) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < line.size()) {
        size_t end = line.find(kFieldEnd, start);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        fields.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
    // A short or damaged record still gives a row of the kind's shape.
    fields.resize(static_cast<size_t>(FieldCountOf(kind)));
    return fields;
}

void AppendRecords(std::string& bytes, const std::vector<AgencyRow>& rows, AgencyKind kind) {
    for (const AgencyRow& row : rows) {
        bytes += static_cast<char>(kind);
        for (int field = 0; field < FieldCountOf(kind); ++field) {
            if (static_cast<size_t>(field) < row.fields.size()) {
                bytes += row.fields[static_cast<size_t>(field)];
            }
            bytes += kFieldEnd;
        }
        bytes += kRecordEnd;
    }
}

}  // namespace

std::vector<AgencyRow>& AgencyList(AgencyLists& lists, AgencyKind kind) {
    switch (kind) {
        case AgencyKind::SystemStart:
            return lists.systemStart;
        case AgencyKind::ProgramStart:
            return lists.programStart;
        default:
            return lists.avoid;
    }
}

const std::vector<AgencyRow>& AgencyList(const AgencyLists& lists, AgencyKind kind) {
    return AgencyList(const_cast<AgencyLists&>(lists), kind);
}

std::string FormatAgencyFile(const AgencyLists& lists) {
    std::string bytes;
    AppendRecords(bytes, lists.systemStart, AgencyKind::SystemStart);
    AppendRecords(bytes, lists.programStart, AgencyKind::ProgramStart);
    AppendRecords(bytes, lists.avoid, AgencyKind::Avoid);
    return bytes;
}

AgencyLists ParseAgencyFile(std::string_view bytes, bool autorun) {
    AgencyLists lists;
    size_t position = 0;
    while (position < bytes.size()) {
        unsigned char type = static_cast<unsigned char>(bytes[position++]);
        size_t lineEnd = bytes.find('\n', position);
        size_t next = lineEnd == std::string_view::npos ? bytes.size() : lineEnd + 1;
        std::string_view line =
            bytes.substr(position, (lineEnd == std::string_view::npos ? bytes.size() : lineEnd) - position);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        position = next;
        if (type > static_cast<unsigned char>(AgencyKind::Avoid)) {
            continue;  // a record of a kind this program does not know
        }
        AgencyKind kind = static_cast<AgencyKind>(type);
        AgencyRow row;
        row.fields = SplitFields(line, kind);
        // Outside a run started at logon, system-start agencies are done from the start.
        row.examined = kind == AgencyKind::SystemStart && !autorun;
        AgencyList(lists, kind).push_back(std::move(row));
    }
    return lists;
}

bool AgencyFieldStorable(std::string_view field) {
    return field.find_first_of(std::string_view("\x01\r\n", 3)) == std::string_view::npos;
}

bool AgencyListsEmpty(const AgencyLists& lists) {
    return lists.systemStart.empty() && lists.programStart.empty() && lists.avoid.empty();
}
