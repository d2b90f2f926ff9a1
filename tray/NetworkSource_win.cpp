#include "tray/NetworkSource_win.h"

#include "hardware/NetworkInterfaces_win.h"

std::vector<InterfaceOctets> ReadInterfaceOctets() {
    // The same reading as the networks view's; a failed one counts as no interfaces.
    std::vector<NetworkInterface> table;
    ReadInterfaceTable(table);
    std::vector<InterfaceOctets> reading;
    reading.reserve(table.size());
    for (const NetworkInterface& row : table) {
        reading.push_back({row.index, row.octetsReceived, row.octetsSent, row.wideCounters});
    }
    return reading;
}
