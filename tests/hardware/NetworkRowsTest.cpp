#include <gtest/gtest.h>

#include "foundation/Language.h"
#include "hardware/NetworkRows.h"
#include "tests/harness/TestSupport.h"

TEST(NetworkRows, RowsShowRatesOnlyWhenMeasuredAndColoursByPosition) {
    UseSourceLanguage();
    std::vector<NetworkInterface> table(2);
    table[0].description = "Loopback";
    table[0].index = 1;
    table[0].type = kInterfaceTypeLoopback;
    table[1].description = "LAN";
    table[1].index = 7;
    table[1].type = kInterfaceTypeEthernet;
    table[1].speed = 100000000;
    std::vector<InterfaceRate> rates(2);
    rates[0].measured = true;
    rates[0].download = 1500.4;
    rates[1].measured = true;  // no traffic since the last refresh
    RowTable rows = MakeRowTable(NetworkColumnCount);
    FillNetworkTable(rows, table, rates);
    ASSERT_EQ(2u, RowCount(rows));
    EXPECT_EQ(LanguageText(LanguageKey::NetworkLoopback), Cell(rows, 0, NetworkColumnType));
    EXPECT_EQ("1.50 KB/s", Cell(rows, 0, NetworkColumnDownload));
    EXPECT_EQ("", Cell(rows, 0, NetworkColumnUpload));
    EXPECT_EQ("", Cell(rows, 0, NetworkColumnMaximum)) << "unknown speed";
    EXPECT_EQ("", Cell(rows, 1, NetworkColumnDownload));
    EXPECT_EQ("12.50 MB/s ", Cell(rows, 1, NetworkColumnMaximum));
    EXPECT_EQ(0x00AA00u, rows.rows[1].textColour);
    EXPECT_EQ(&table[1], InterfaceOfRow(rows, 1, table));
    table.erase(table.begin() + 1);
    EXPECT_EQ(nullptr, InterfaceOfRow(rows, 1, table)) << "the interface went away";
    EXPECT_EQ("10000 MBit", LinkSpeedText(10000000000ull));
    EXPECT_EQ("100 MBit", LinkSpeedText(100000000));
}

TEST(NetworkRows, ExportDetailsAreExactAndLeaveAnUnknownSpeedEmpty) {
    NetworkInterface item;
    item.mtu = 1500;
    item.octetsReceived = 5000000123ull;
    item.unicastsSent = 1234567;
    std::string values;
    for (const DetailLine& line : InterfaceDetails(item, DetailStyle::Exact))
        values += line.value + "|";
    EXPECT_EQ(values, "|1500 Byte||5000000123 Byte|0 Byte|0|1234567|0|0|0|0|0|0|0|");
}
