#include <windows.h>

#include <winsock2.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "hardware/NetworkInterfaces_win.h"
#include "hardware/NetworkRates.h"
#include "tests/harness/WineTestSupport.h"

namespace {

struct HostCounters {
    uint64_t received = 0;
    uint64_t sent = 0;
};

// The host's own counters, which Wine's interface table reports from.
std::map<std::string, HostCounters> HostInterfaces() {
    std::map<std::string, HostCounters> interfaces;
    std::ifstream file("Z:\\proc\\net\\dev");
    std::string line;
    while (std::getline(file, line)) {
        size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::string name = line.substr(0, colon);
        name.erase(0, name.find_first_not_of(' '));
        std::istringstream fields(line.substr(colon + 1));
        uint64_t value[9] = {};
        for (uint64_t& field : value)
            fields >> field;
        interfaces[name] = {value[0], value[8]};
    }
    return interfaces;
}

void SendLoopbackTraffic(int datagrams) {
    WSADATA data;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &data));
    SOCKET sender = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in target = {};
    target.sin_family = AF_INET;
    target.sin_port = htons(9);  // discard
    target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    static char payload[1400];
    for (int i = 0; i < datagrams; ++i)
        sendto(sender, payload, sizeof payload, 0, reinterpret_cast<sockaddr*>(&target), sizeof target);
    closesocket(sender);
    WSACleanup();
}

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
            // The host's counters were read after the table; traffic in between only adds.
            // The 32-bit table shows the host's counters modulo 4 GiB (busy loopbacks pass it).
            const uint64_t tolerance = 1 << 20;
            const uint64_t mask = row.wideCounters ? ~0ull : 0xFFFFFFFFull;
            EXPECT_LE(row.octetsReceived, after[row.description].received & mask);
            EXPECT_GE(row.octetsReceived + tolerance, after[row.description].received & mask);
            EXPECT_LE(row.octetsSent, after[row.description].sent & mask);
            EXPECT_GE(row.octetsSent + tolerance, after[row.description].sent & mask);
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
    SendLoopbackTraffic(200);
    Sleep(50);
    ReadInterfaceTable(table);
    std::vector<InterfaceRate> rates = SampleNetworkRates(sampler, table, GetTickCount());
    const size_t position = Loopback(table) - table.data();
    ASSERT_TRUE(rates[position].measured);
    // 200 datagrams of 1400 bytes in well under a second.
    EXPECT_GT(rates[position].upload, 200 * 1400.0);
    EXPECT_GT(rates[position].download, 200 * 1400.0);
}
