#pragma once

#include <cstddef>
#include <vector>

#include "hardware/NetworkInterfaces.h"

enum class InterfaceSource {
    Best,    // 64-bit counters where the system has them (Vista and later), else the 32-bit table
    Legacy,  // always the 32-bit table, as on Windows XP
};

// Reads the machine's interface table afresh into `table`, sorted by interface index. On failure
// the table is left as it was. Returns the number of rows in `table`.
size_t ReadInterfaceTable(std::vector<NetworkInterface>& table, InterfaceSource source = InterfaceSource::Best);
