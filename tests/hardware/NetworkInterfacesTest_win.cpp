#include <windows.h>

#include <gtest/gtest.h>

#include "hardware/NetworkInterfaces_win.h"
#include "hardware/NetworkRates.h"
#include "tests/hardware/HostNetwork_win.h"
#include "tests/harness/WineTestSupport.h"

namespace {

const NetworkInterface* Loopback(const std::vector<NetworkInterface>& table) {
    for (const NetworkInterface& row : table)
        if (row.type == kInterfaceTypeLoopback)
            return &row;
    return nullptr;
}

}  // namespace

TEST(NetworkInterfacesWin, BothTablesMatchTheHostsInterfacesAndCounters) {
    std::map<std::string, HostCounters> host = HostInterfaces();
    ASSERT_FALSE(host.empty());
    for (InterfaceSource source : {InterfaceSource::Best, InterfaceSource::Legacy}) {
        std::vector<NetworkInterface> table;
        ASSERT_EQ(host.size(), ReadInterfaceTable(table, source));
        std::map<std::string, HostCounters> after = HostInterfaces();
        for (const NetworkInterface& row : table) {
            SCOPED_TRACE(row.description);
            ASSERT_EQ(1u, after.count(row.description));
            // The host's counters were read after the table; traffic in between only adds. The legacy
            // table's counters are 32 bits wide and wrap where the host's go on.
            const uint64_t tolerance = 1 << 20;
            const uint64_t width = row.wideCounters ? ~0ull : 0xFFFFFFFFull;
            EXPECT_LE((after[row.description].received - row.octetsReceived) & width, tolerance)
                << row.octetsReceived << " vs " << after[row.description].received;
            EXPECT_LE((after[row.description].sent - row.octetsSent) & width, tolerance)
                << row.octetsSent << " vs " << after[row.description].sent;
            EXPECT_EQ(source == InterfaceSource::Best, row.wideCounters);
        }
        for (size_t i = 1; i < table.size(); ++i)
            EXPECT_LT(table[i - 1].index, table[i].index);
    }
}

TEST(NetworkInterfacesWin, LoopbackTrafficShowsAsARate) {
    std::vector<NetworkInterface> table;
    NetworkSampler sampler;
    ReadInterfaceTable(table);
    ASSERT_NE(nullptr, Loopback(table));
    SampleNetworkRates(sampler, table, GetTickCount());
    Sleep(50);
    SendLoopbackTraffic(200, 1400);
    Sleep(50);
    ReadInterfaceTable(table);
    std::vector<InterfaceRate> rates = SampleNetworkRates(sampler, table, GetTickCount());
    const size_t position = Loopback(table) - table.data();
    ASSERT_TRUE(rates[position].measured);
    // 200 datagrams of 1400 bytes in well under a second.
    EXPECT_GT(rates[position].upload, 200 * 1400.0);
    EXPECT_GT(rates[position].download, 200 * 1400.0);
}
