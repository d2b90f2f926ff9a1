// Any bytes as "agency.dat": reading must neither crash nor hang, every row has its kind's columns,
// and what is written from the rows reads back to the same rows and bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tray/agencies/AgencyFile.h"
#include "tray/agencies/Conditions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    AgencyLists lists = ParseAgencyFile(bytes, size % 2 == 0);
    for (AgencyKind kind : {AgencyKind::SystemStart, AgencyKind::ProgramStart, AgencyKind::Avoid}) {
        size_t expected = kind == AgencyKind::Avoid ? kAvoidAgencyFieldCount : kStartAgencyFieldCount;
        for (const AgencyRow& row : AgencyList(lists, kind)) {
            if (row.fields.size() != expected)
                std::abort();
            SplitConditionList(row.fields[1]);
        }
    }
    // Fields read from a file may hold bytes a wizard would refuse (a lone CR); rows made only of
    // storable fields must survive a save and a load unchanged.
    bool storable = true;
    for (AgencyKind kind : {AgencyKind::SystemStart, AgencyKind::ProgramStart, AgencyKind::Avoid})
        for (const AgencyRow& row : AgencyList(lists, kind))
            for (const std::string& field : row.fields)
                storable = storable && AgencyFieldStorable(field);
    std::string written = FormatAgencyFile(lists);
    if (storable && FormatAgencyFile(ParseAgencyFile(written, true)) != written)
        std::abort();
    return 0;
}
