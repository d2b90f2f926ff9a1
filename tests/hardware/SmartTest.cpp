// The SMART reading steps, the sector parser and the evaluation, against drives of public smartctl
// reports written into a simulation folder as the programs read it under Wine.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "foundation/FileSystem.h"
#include "hardware/SmartEvaluation.h"
#include "hardware/SmartRows.h"
#include "hardware/SmartSimulation.h"
#include "tests/hardware/SmartSamples.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/TestSupport.h"

namespace {

SmartAttribute Values(int threshold, int current, int worst, int64_t raw = 0) {
    SmartAttribute attribute;
    attribute.threshold = threshold;
    attribute.current = current;
    attribute.worst = worst;
    attribute.raw = raw;
    return attribute;
}

SmartReading ReadFrom(const TemporaryFolder& folder, int drive) {
    SmartSimulation simulation{folder.Path()};
    return ReadSmartDrive(SimulatedSmartDevice(simulation), drive);
}

}  // namespace

TEST(SmartEvaluationTest, RulesPenaliseInOrderAndRoundToTheVerdict) {
    UseSourceLanguage();
    struct Case {
        int id;
        SmartAttribute values;
        SmartState state;
        int percentage;
    };
    const Case cases[] = {
        {9, Values(0, 100, 100), SmartGood, 100},         {9, Values(100, 100, 100), SmartCritical, 75},
        {9, Values(50, 52, 60), SmartWarning, 98},        {9, Values(50, 53, 50), SmartWarning, 95},
        {194, Values(0, 100, 100, 55), SmartWarning, 95}, {194, Values(0, 100, 100, 56), SmartCritical, 75},
        {194, Values(0, 100, 100, 100), SmartGood, 100},  {194, Values(0, 100, 100, 40), SmartGood, 100},
        {5, Values(36, 100, 100, 1), SmartWarning, 98},   {200, Values(0, 100, 100, 7), SmartGood, 100},
        {5, Values(36, 36, 36, 1), SmartCritical, 74},  // a count never makes a critical state milder
    };
    for (const Case& c : cases) {
        SmartTable table{};
        table[c.id] = c.values;
        SmartEvaluation evaluation = EvaluateSmart(table);
        EXPECT_EQ(evaluation.states[c.id], c.state) << "id " << c.id << " current " << c.values.current;
        EXPECT_EQ(evaluation.percentage, c.percentage) << "id " << c.id << " current " << c.values.current;
    }
    SmartTable three{};
    three[1] = Values(10, 9, 9);
    three[3] = Values(10, 10, 10);
    three[200] = Values(10, 1, 1);
    EXPECT_EQ(SmartEvaluationText(EvaluateSmart(three).percentage), "42% (Poor)");
    EXPECT_EQ(SmartEvaluationText(98), "98% (Good)");
    EXPECT_EQ(SmartVerdictKey(35), LanguageKey::SMARTCritical);
    EXPECT_EQ(SmartVerdictKey(76), LanguageKey::SMARTFaultless);
    EXPECT_EQ(SmartVerdictKey(100), LanguageKey::SMARTPerfect);
    EXPECT_EQ(SmartHealthColour(0), 0x0000FFu);
    EXPECT_EQ(SmartHealthColour(50), 0x8080FFu);
}

TEST(SmartReadingTest, PublishedDrivesReadBackAndEvaluate) {
    const std::map<std::string, int> expected = {{"check_smart-3", 94},     {"unraid-docs", 96},
                                                 {"qiita-i386", 90},        {"samsung-850-evo", 100},
                                                 {"samsung-mz7km480", 100}, {"sandisk-pssd", 75}};
    TemporaryFolder folder;
    for (size_t drive = 0; drive < SampleDrives().size(); ++drive) {
        const SampleDrive& sample = SampleDrives()[drive];
        ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), static_cast<int>(drive), sample));
        SmartReading reading = ReadFrom(folder, static_cast<int>(drive));
        ASSERT_TRUE(reading.detectable && reading.dataRead) << sample.source;
        EXPECT_EQ(reading.model, sample.model);
        EXPECT_EQ(reading.serial, sample.serial);
        size_t present = 0;
        for (const SmartAttribute& attribute : reading.table) {
            present += IsAttributePresent(attribute) ? 1 : 0;
        }
        EXPECT_EQ(present, sample.attributes.size()) << sample.source;
        for (const SampleAttribute& attribute : sample.attributes) {
            const SmartAttribute& read = reading.table[attribute.id];
            EXPECT_TRUE(read.flags == attribute.flags && read.threshold == attribute.threshold &&
                        read.current == attribute.current && read.worst == attribute.worst)
                << sample.source << " id " << int(attribute.id);
            // Bytes 9 and 10 of an entry are not part of the raw value.
            EXPECT_EQ(read.raw, static_cast<int64_t>(attribute.raw & 0xFFFFFFFF)) << sample.source;
        }
        EXPECT_EQ(EvaluateSmart(reading.table).percentage, expected.at(sample.source)) << sample.source;
    }
    SmartTable table = ReadFrom(folder, 1).table;
    EXPECT_EQ(table[7].raw, 2636649);
    EXPECT_EQ(SmartFlagsText(table[7].flags), "pre failure warranty, on-line collection, performance, error rate");
    EXPECT_EQ(SmartAttributeName(7), "Seek Error Rate");
    EXPECT_EQ(SmartAttributeName(177), "");
}

TEST(SmartReadingTest, SectorsIdentifyTextsAndDescriptorsAreNeverTrusted) {
    // Every entry in use: the walk ends with the sector; the six bytes after the last entry are none.
    std::string sector(512, '\x07');
    for (size_t entry = 2; entry + 12 <= 512; entry += 12) {
        sector[entry] = static_cast<char>(entry / 12 + 1);
    }
    sector[506] = static_cast<char>(250);
    SmartTable table{};
    ApplySmartThresholds(sector, table);
    EXPECT_EQ(table[42].threshold, 7);
    EXPECT_EQ(table[250].threshold, 0);
    ApplySmartData(sector.substr(0, 100), table);  // a short sector is walked only as far as it goes
    EXPECT_EQ(table[8].current, 7);
    EXPECT_EQ(table[9].current, 0);

    std::string identify = MakeSmartIdentifySector("", "  WD-12345  ");
    identify.replace(54, 6, std::string("eTtsX\0", 6));  // a text of odd length loses its last character
    EXPECT_EQ(SmartModelText(identify), "Test");
    EXPECT_EQ(SmartSerialText(identify), "WD-12345");
    EXPECT_EQ(SmartModelText(identify.substr(0, 30)), "");

    // A storage descriptor: vendor at 40, product at 48, serial at 70.
    std::string descriptor(80, '\0');
    descriptor[12] = 40;
    descriptor[16] = 48;
    descriptor[24] = 70;
    descriptor.replace(40, 4, "ATA ");
    descriptor.replace(48, 20, "ST2000DM001-1CH164  ");
    descriptor.replace(70, 9, "  Z1E4ABC");
    StorageDeviceNames names = ParseStorageDeviceDescriptor(descriptor);
    EXPECT_EQ(names.model, "ATA ST2000DM001-1CH164");
    EXPECT_EQ(names.serial, "Z1E4ABC");
    descriptor[24] = 80;  // just outside
    descriptor[12] = 0;   // none
    names = ParseStorageDeviceDescriptor(descriptor);
    EXPECT_EQ(names.model + "|" + names.serial, "ST2000DM001-1CH164|");
}

TEST(SmartReadingTest, RequestsCarryTheirRegistersAndFailedAnswersEndTheReading) {
    auto block = SmartCommandBlock(SmartRequest::Thresholds, 3);
    const std::vector<int> expected = {0, 2, 0, 0, 0xD1, 1, 1, 0x4F, 0xC2, 0xB0, 0xB0, 0, 3};
    EXPECT_EQ(std::vector<int>(block.begin(), block.begin() + 13), expected);
    EXPECT_EQ(SmartCommandBlock(SmartRequest::Identify, 2)[9], 0xA0);
    EXPECT_EQ(SmartCommandBlock(SmartRequest::Identify, 2)[10], 0xEC);
    EXPECT_EQ(SmartCommandBlock(SmartRequest::Enable, 0)[4], 0xD8);
    EXPECT_EQ(SmartCommandBlock(SmartRequest::Data, 0)[4], 0xD0);
    EXPECT_EQ(SmartControlCode(SmartRequest::Enable), 0x0007C084u);
    EXPECT_EQ(SmartControlCode(SmartRequest::Data), 0x0007C088u);

    TemporaryFolder folder;
    EXPECT_FALSE(ReadFrom(folder, 0).opened);
    ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 0, SampleDriveBySource("check_smart-3")));
    // A short data answer is no answer: the thresholds stay, the values stay 0.
    folder.Write("drive0-data.bin", std::string(300, '\x01'));
    SmartReading reading = ReadFrom(folder, 0);
    EXPECT_TRUE(reading.detectable);
    EXPECT_FALSE(reading.dataRead);
    EXPECT_EQ(reading.table[5].threshold, 36);
    EXPECT_EQ(reading.table[5].current, 0);
    // Read afresh: a drive that lost its SMART answers is still there, without a table.
    ASSERT_EQ(std::remove(folder.File("drive0-thresholds.bin").c_str()), 0);
    reading = ReadFrom(folder, 0);
    EXPECT_TRUE(reading.opened);
    EXPECT_FALSE(reading.detectable);
    EXPECT_EQ(reading.serial, "CHECKSMART3");
}

TEST(SmartRowsTest, DriveAndAttributeRowsShowTheReading) {
    UseSourceLanguage();
    TemporaryFolder folder;
    ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 12, SampleDriveBySource("qiita-i386")));
    SmartReading reading = ReadFrom(folder, 12);
    RowTable drives = MakeRowTable(SmartDriveColumnCount);
    ASSERT_TRUE(AppendSmartDriveRow(drives, reading, {reading.model, reading.serial}));
    EXPECT_EQ(drives.rows[0].cells, (std::vector<std::string>{"#12", "90% (Good)", reading.model, "QIITAI386"}));
    EXPECT_EQ(drives.rows[0].backgroundColour, SmartHealthColour(90));
    EXPECT_EQ(SmartDriveOfRow(drives, 0), 12);
    EXPECT_LT(CompareDriveCells("#2", "#10"), 0);
    reading.detectable = false;
    ASSERT_TRUE(AppendSmartDriveRow(drives, reading, {"gone", "S1"}));
    EXPECT_EQ(Cell(drives, 1, 1), "Unavailable");
    EXPECT_EQ(drives.rows[1].backgroundColour, 0xFFFFFFu);
    EXPECT_FALSE(AppendSmartDriveRow(drives, reading, {"no serial", ""}));

    RowTable attributes = MakeRowTable(SmartAttributeColumnCount);
    FillSmartAttributeRows(attributes, reading.table, EvaluateSmart(reading.table));
    ASSERT_EQ(RowCount(attributes), 15u);
    size_t pending = FindRow(attributes, SmartAttributeColumnId, "197 (C5)");
    ASSERT_NE(pending, kNoRow);
    EXPECT_EQ(attributes.rows[pending].cells,
              (std::vector<std::string>{"Current Pending Sector Count", "197 (C5)", "0", "100", "100", "1",
                                        "on-line collection, event count"}));
    EXPECT_EQ(attributes.rows[pending].image, SmartWarning);
    EXPECT_EQ(Cell(attributes, 0, SmartAttributeColumnId), "1 (01)");
}
