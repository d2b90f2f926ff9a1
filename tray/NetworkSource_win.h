#pragma once
// Where the tray icons' network figures come from: the octet counters of every interface.

#include <vector>

#include "tray/NetworkTotals.h"

// One reading of all interfaces; empty when the interface table cannot be read.
std::vector<InterfaceOctets> ReadInterfaceOctets();
