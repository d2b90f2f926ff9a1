#include "hardware/NetworkInterfaces.h"

#include <cstdio>

#include "foundation/ValueFormatting.h"

LanguageKey InterfaceTypeKey(uint32_t type) {
    switch (type) {
        case kInterfaceTypeEthernet:
            return LanguageKey::NetworkEthernet;
        case kInterfaceTypeTokenRing:
            return LanguageKey::NetworkTokenRing;
        case kInterfaceTypePpp:
            return LanguageKey::NetworkPPP;
        case kInterfaceTypeLoopback:
            return LanguageKey::NetworkLoopback;
        case kInterfaceTypeAtm:
            return LanguageKey::NetworkATM;
        case kInterfaceTypeIeee80211:
            return LanguageKey::NetworkIEEE80211;
        case kInterfaceTypeTunnel:
            return LanguageKey::NetworkTunnel;
        case kInterfaceTypeIeee1394:
            return LanguageKey::NetworkIEEE1394;
        default:
            return LanguageKey::NotDetectable;
    }
}

std::string PhysicalAddressText(const std::vector<uint8_t>& address) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < address.size(); ++i) {
        if (i > 0)
            text += '-';
        text += digits[address[i] >> 4];
        text += digits[address[i] & 0x0F];
    }
    return text;
}

namespace {

constexpr uint32_t kFixedInterfaceColours[] = {0x0000FF, 0x00AA00, 0xFF8040, 0xBB00BB, 0xBBBB00, 0x00BBBB, 0x808080};

}  // namespace

// Interfaces beyond the fixed colours get one derived from their index, so an interface keeps its
// colour across refreshes. Each component is drawn on its own within 0x21..0xFE: adding a floor to
// the whole 24-bit value would carry between components and could leave one of them near black.
uint32_t InterfaceColour(size_t position, uint32_t interfaceIndex) {
    constexpr size_t fixedCount = sizeof kFixedInterfaceColours / sizeof kFixedInterfaceColours[0];
    if (position < fixedCount)
        return kFixedInterfaceColours[position];
    uint32_t state = interfaceIndex;
    uint32_t colour = 0;
    for (int component = 0; component < 3; ++component) {
        state = state * 214013u + 2531011u;
        colour |= (((state >> 16) % 0xDE) + 0x21) << (8 * component);
    }
    return colour;
}

std::vector<std::string> InterfaceTableTexts(const NetworkInterface& row) {
    auto number = [](uint64_t value) { return std::to_string(value); };
    // How long the link would need at full speed for everything it has carried, in seconds.
    std::string fullSpeedSeconds;
    if (row.speed > 0)
        fullSpeedSeconds =
            FormatDecimalDouble(static_cast<double>(row.octetsReceived + row.octetsSent) * 8.0 / row.speed, 2);
    return {row.description,
            number(row.index),
            number(row.type),
            number(row.mtu),
            number(row.speed),
            PhysicalAddressText(row.physicalAddress),
            number(row.adminStatus),
            number(row.operationalStatus),
            number(row.lastChange),
            number(row.octetsReceived),
            number(row.octetsSent),
            number(row.unicastsReceived),
            number(row.unicastsSent),
            number(row.nonUnicastsReceived),
            number(row.nonUnicastsSent),
            number(row.discardsReceived),
            number(row.discardsSent),
            number(row.errorsReceived),
            number(row.errorsSent),
            number(row.unknownProtocolsReceived),
            number(row.outputQueueLength),
            fullSpeedSeconds};
}
