#include <gtest/gtest.h>

#include "hardware/NetworkRates.h"

namespace {

NetworkInterface Interface(uint32_t index, uint64_t received, uint64_t sent, uint64_t speed, bool wide) {
    NetworkInterface row;
    row.index = index;
    row.octetsReceived = received;
    row.octetsSent = sent;
    row.speed = speed;
    row.wideCounters = wide;
    return row;
}

}  // namespace

TEST(NetworkRates, ThirtyTwoBitCountersGiveTheRightRateOverTheirWrap) {
    NetworkSampler sampler;
    // 100 Mbit/s; the received counter wraps at 4 GiB between the two readings, the sent one does not.
    EXPECT_FALSE(
        SampleNetworkRates(sampler, {Interface(3, 0xFFFFF000u, 500, 100000000, false)}, 0xFFFFFC18u)[0].measured);
    std::vector<InterfaceRate> rates =
        SampleNetworkRates(sampler, {Interface(3, 0x00001000u, 1500, 100000000, false)}, 0x000003E8u);
    ASSERT_TRUE(rates[0].measured);
    // 0x2000 octets over 2000 ms across the clock's own wrap.
    EXPECT_DOUBLE_EQ(4096.0, rates[0].download);
    EXPECT_DOUBLE_EQ(500.0, rates[0].upload);
    EXPECT_EQ(0, rates[0].utilisation);

    // A reset looks like a wrap of almost 4 GiB, more than the link carries in a second: no rate.
    rates = SampleNetworkRates(sampler, {Interface(3, 0x100, 1500, 100000000, false)}, 0x000007D0u);
    EXPECT_EQ(0.0, rates[0].download);
    // A 64-bit counter that goes back was reset; it never gives a huge rate.
    EXPECT_EQ(0u, CounterDelta(5000, 10, true));
    EXPECT_EQ(0x100000000ull - 4990, CounterDelta(5000, 10, false));
}

TEST(NetworkRates, UtilisationIsCappedAndNeedsASpeed) {
    NetworkSampler sampler;
    SampleNetworkRates(sampler, {Interface(1, 0, 0, 8000, true), Interface(2, 0, 0, 0, true)}, 1000);
    std::vector<InterfaceRate> rates =
        SampleNetworkRates(sampler, {Interface(1, 5000000, 0, 8000, true), Interface(2, 5000, 5000, 0, true)}, 2000);
    EXPECT_EQ(100, rates[0].utilisation);
    EXPECT_EQ(kNoUtilisation, rates[1].utilisation);
    EXPECT_EQ(100, HighestUtilisation(rates));
    // 1000 bit/s: 62.5 bytes of 125 rounds to 50 %.
    EXPECT_EQ(50, LinkUtilisation(62.5, 0, 1000));
    EXPECT_EQ(1, LinkUtilisation(0.625, 0, 1000));
    EXPECT_EQ(kNoUtilisation, LinkUtilisation(1, 1, 7));
}

TEST(NetworkRates, AnInterfaceAppearingOrVanishingLeavesTheOthersAlone) {
    NetworkSampler sampler;
    SampleNetworkRates(sampler, {Interface(1, 1000, 0, 0, true), Interface(2, 50, 0, 0, true)}, 1000);
    // Interface 1 vanished, 4 appeared before 2: 2 keeps its own rate, 4 has none yet.
    std::vector<InterfaceRate> rates =
        SampleNetworkRates(sampler, {Interface(4, 900000, 0, 0, true), Interface(2, 150, 0, 0, true)}, 2000);
    EXPECT_FALSE(rates[0].measured);
    EXPECT_EQ(4u, rates[0].index);
    EXPECT_TRUE(rates[1].measured);
    EXPECT_DOUBLE_EQ(100.0, rates[1].download);
}

TEST(NetworkInterfaces, AddressTypeAndColourTexts) {
    EXPECT_EQ("00-1A-80-9F-FF-0C", PhysicalAddressText({0x00, 0x1A, 0x80, 0x9F, 0xFF, 0x0C}));
    EXPECT_EQ("", PhysicalAddressText({}));
    EXPECT_EQ(LanguageKey::NetworkLoopback, InterfaceTypeKey(24));
    EXPECT_EQ(LanguageKey::NotDetectable, InterfaceTypeKey(53));
    EXPECT_EQ(0xFF8040u, InterfaceColour(2, 99));
    for (uint32_t index = 0; index < 2000; ++index) {
        uint32_t colour = InterfaceColour(7, index);
        EXPECT_EQ(colour, InterfaceColour(12, index));
        for (int shift = 0; shift < 24; shift += 8)
            ASSERT_GE((colour >> shift) & 0xFF, 0x21u) << std::hex << colour;
    }
    EXPECT_NE(InterfaceColour(7, 10), InterfaceColour(7, 11));
}
