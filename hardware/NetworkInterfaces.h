#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/Language.h"

// One row of the machine's interface table, as the IP helper reports it. Counters are kept in 64
// bits; `wideCounters` says whether the system's octet counters really are 64-bit or wrap at 4 GiB.
struct NetworkInterface {
    std::string description;
    uint32_t index = 0;
    uint32_t type = 0;
    uint32_t mtu = 0;
    uint64_t speed = 0;  // bits per second
    std::vector<uint8_t> physicalAddress;
    uint32_t adminStatus = 0;
    uint32_t operationalStatus = 0;
    uint32_t lastChange = 0;
    uint64_t octetsReceived = 0;
    uint64_t octetsSent = 0;
    uint64_t unicastsReceived = 0;
    uint64_t unicastsSent = 0;
    uint64_t nonUnicastsReceived = 0;
    uint64_t nonUnicastsSent = 0;
    uint64_t discardsReceived = 0;
    uint64_t discardsSent = 0;
    uint64_t errorsReceived = 0;
    uint64_t errorsSent = 0;
    uint64_t unknownProtocolsReceived = 0;
    uint64_t outputQueueLength = 0;
    bool wideCounters = false;
};

// Interface types the lists name; any other type is "not detectable".
constexpr uint32_t kInterfaceTypeEthernet = 6;
constexpr uint32_t kInterfaceTypeTokenRing = 9;
constexpr uint32_t kInterfaceTypePpp = 23;
constexpr uint32_t kInterfaceTypeLoopback = 24;
constexpr uint32_t kInterfaceTypeAtm = 37;
constexpr uint32_t kInterfaceTypeIeee80211 = 71;
constexpr uint32_t kInterfaceTypeTunnel = 131;
constexpr uint32_t kInterfaceTypeIeee1394 = 144;

// Columns of InterfaceTableTexts, for export and search.
constexpr int kInterfaceTextCount = 22;

LanguageKey InterfaceTypeKey(uint32_t type);
// "00-1A-80-FF-..." : two upper-case hexadecimal digits per byte.
std::string PhysicalAddressText(const std::vector<uint8_t>& address);
// The text colour (0x00BBGGRR) of the interface at `position` in the table.
uint32_t InterfaceColour(size_t position, uint32_t interfaceIndex);
std::vector<std::string> InterfaceTableTexts(const NetworkInterface& row);
