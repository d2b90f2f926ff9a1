// The SMART monitor's portable parts: what a reading reports against the previous one, the log's
// lines and attribute table, the balloons' texts and the bytes of "smart.dat".
#include <gtest/gtest.h>

#include <string>

#include "tests/hardware/SmartSamples.h"
#include "tests/harness/TestSupport.h"
#include "tray/smart/SmartLog.h"
#include "tray/smart/SmartMonitorTable.h"

namespace {

// A reading whose sectors list the attributes in the given order.
SmartReading Reading(const std::vector<SampleAttribute>& attributes) {
    SmartReading reading;
    reading.detectable = true;
    const std::string thresholds = SampleThresholdSector(attributes);
    const std::string data = SampleDataSector(attributes);
    ApplySmartThresholds(thresholds, reading.table);
    ApplySmartData(data, reading.table);
    reading.thresholdIds = SmartEntryIds(thresholds);
    reading.dataIds = SmartEntryIds(data);
    return reading;
}

const SmartLogTime kTime = {2026, 3, 7, 9, 5, 1};

TEST(SmartMonitor, ChangesOfWatchedAttributesOnlyAndEveryValueStored) {
    UseSourceLanguage();
    SmartMonitorRecord record;
    record.watched[5] = 1;
    record.watched[9] = 1;
    // Id 5 with 3 reallocated sectors, id 9 at 100, id 194 unwatched, id 12 not listed by the drive.
    TakeSmartChanges(record,
                     Reading({{5, 0x33, 100, 100, 36, 3}, {9, 0x32, 100, 100, 0, 7}, {194, 0x22, 40, 30, 0, 40}}));
    record.raw[12] = 77;

    auto changes = TakeSmartChanges(
        record, Reading({{9, 0x32, 99, 100, 0, 7}, {5, 0x33, 100, 100, 36, 5}, {194, 0x22, 41, 30, 0, 41}}));
    ASSERT_EQ(changes.size(), 2u);  // in the drive's order; unchanged and unwatched values are silent
    EXPECT_EQ(SmartLogLine(kTime, changes[0]), "07.03.26 09:05:01: Power-On Hours [Current Value]: 99 (-1)\r\n");
    EXPECT_EQ(SmartLogLine(kTime, changes[1]), "07.03.26 09:05:01: Reallocated Sectors Count [Raw Value]: 5 (+2)\r\n");
    EXPECT_EQ(record.current[194], 41);  // stored though unwatched
    EXPECT_EQ(record.raw[194], 41);
    EXPECT_EQ(record.raw[12], 77);  // not listed: kept
}

TEST(SmartMonitor, BalloonTexts) {
    UseSourceLanguage();
    EXPECT_EQ(SmartBalloonTitle(kTime), "Information (09:05:01)");
    EXPECT_EQ(SmartBalloonText(0, "Disk", {{5, SmartValueKind::Raw, 5, 2}}),
              "Drive #0 (Disk): \nReallocated Sectors Count [Raw Value]: 5 (+2)");
    // Many changes at once: as many whole lines as fit, then a mark.
    std::vector<SmartChange> many(20, SmartChange{197, SmartValueKind::Current, 100, 100});
    std::string text = SmartBalloonText(3, "Disk", many);
    EXPECT_LE(text.size(), kSmartBalloonTextLength);
    EXPECT_EQ(text.substr(text.size() - 4), "\n...");
    EXPECT_EQ(text.substr(text.size() - 5, 1), ")");
}

TEST(SmartMonitor, AttributeTableOfANewLog) {
    UseSourceLanguage();
    const SmartReading reading = Reading(SampleDriveBySource("unraid-docs").attributes);
    EXPECT_EQ(SmartAttributeTableText(reading.table),
              "Description:                 | Threshold: | Current Value: | Worst Value: | Raw Value: | \r\n"
              "                             |            |                |              |            | \r\n"
              "Read Error Rate              |          6 |            112 |           99 |   42208416 | \r\n"
              "Spin-Up Time                 |          0 |             96 |           96 |          0 | \r\n"
              "Start/Stop Count             |         20 |            100 |          100 |          7 | \r\n"
              "Reallocated Sectors Count    |         36 |            100 |          100 |          0 | \r\n"
              "Seek Error Rate              |         30 |             56 |           55 |    2636649 | \r\n"
              "Power-On Hours               |          0 |            100 |          100 |         72 | \r\n"
              "Spin Retry Count             |         97 |            100 |          100 |          0 | \r\n"
              "Device Power Cycle Count     |         20 |            100 |          100 |          7 | \r\n" +
                  std::string(89, '-') + "\r\n\r\n");
    // A wider value widens its column; a nameless attribute is a blank name.
    SmartTable table{};
    table[100].raw = 1099511627776;
    EXPECT_NE(SmartAttributeTableText(table).find("\r\n                             |          0 |              0 | "
                                                  "           0 | 1099511627776 | \r\n"),
              std::string::npos);
}

TEST(SmartMonitor, TableFileBytesAndSelection) {
    SmartMonitorTable table{};
    table[0].raw[5] = -2;
    table[1].monitored = 1;
    table[1].watched[5] = 1;
    table[15].worst[255] = 0x01020304;
    const std::string bytes = EncodeSmartMonitorTable(table);
    ASSERT_EQ(bytes.size(), 98368u);
    EXPECT_EQ(bytes.substr(4100 + 5 * 8, 8), std::string(1, '\xFE') + std::string(7, '\xFF'));
    EXPECT_EQ(bytes.substr(6148, 4), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(bytes.substr(6148 + 4 + 5 * 4, 4), std::string("\x01\0\0\0", 4));
    EXPECT_EQ(bytes.substr(15 * 6148 + 3076 + 255 * 4, 4), "\x04\x03\x02\x01");

    SmartMonitorTable loaded{};
    ASSERT_TRUE(DecodeSmartMonitorTable(bytes, loaded));
    EXPECT_EQ(EncodeSmartMonitorTable(loaded), bytes);
    // A file of the wrong length is left alone rather than half read.
    EXPECT_FALSE(DecodeSmartMonitorTable(bytes.substr(0, bytes.size() - 1), loaded));
    EXPECT_FALSE(DecodeSmartMonitorTable(bytes + "x", loaded));
    EXPECT_EQ(loaded[1].watched[5], 1);

    // The settings' selection decides what is watched; a drive without one is no longer monitored.
    SmartSelection selection{};
    selection[3] = ParseMonitoredAttributes("194,9");
    ApplySmartSelection(loaded, selection);
    EXPECT_EQ(loaded[1].monitored, 0);
    EXPECT_EQ(loaded[1].watched[5], 0);
    EXPECT_EQ(loaded[3].monitored, 1);
    EXPECT_EQ(loaded[3].watched[194] + loaded[3].watched[9] + loaded[3].watched[5], 2);
    EXPECT_EQ(loaded[0].raw[5], -2);  // the previous values stay
}

}  // namespace
