// The SMART reading steps, the sector parser and the evaluation against drives of public smartctl
// reports, and the simulation folder the programs read under Wine.
#include <gtest/gtest.h>

#include <map>

#include "foundation/FileSystem.h"
#include "hardware/SmartEvaluation.h"
#include "hardware/SmartReading.h"
#include "hardware/SmartRows.h"
#include "hardware/SmartSimulation.h"
#include "tests/hardware/SmartSamples.h"
#include "tests/harness/TemporaryFolder.h"
#include "tests/harness/TestSupport.h"

namespace {

// A drive held in memory: each request answers with its sector and the length given, or not at all.
struct MemoryDrive {
    bool opens = true;
    std::map<SmartRequest, std::string> sectors;
    std::map<SmartRequest, size_t> lengths;  // default: the whole answer
    std::vector<std::array<uint8_t, kSmartCommandLength>> commands;
    int closes = 0;
};

SmartDevice MemoryDevice(MemoryDrive& drive) {
    SmartDevice device;
    device.context = &drive;
    device.open = [](void* context, int) { return static_cast<MemoryDrive*>(context)->opens; };
    device.send = [](void* context, SmartRequest request, const std::array<uint8_t, kSmartCommandLength>& command,
                     uint8_t* answer) -> size_t {
        MemoryDrive& drive = *static_cast<MemoryDrive*>(context);
        drive.commands.push_back(command);
        auto sector = drive.sectors.find(request);
        if (sector == drive.sectors.end()) {
            return 0;
        }
        std::copy(sector->second.begin(), sector->second.end(), answer + kSmartAnswerHeaderLength);
        auto length = drive.lengths.find(request);
        return length == drive.lengths.end() ? kSmartAnswerLength : length->second;
    };
    device.close = [](void* context) { ++static_cast<MemoryDrive*>(context)->closes; };
    return device;
}

MemoryDrive SampleMemoryDrive(const SampleDrive& sample) {
    MemoryDrive drive;
    drive.sectors[SmartRequest::Identify] = MakeSmartIdentifySector(sample.model, sample.serial);
    drive.sectors[SmartRequest::Enable] = std::string(512, '\0');
    drive.lengths[SmartRequest::Enable] = kSmartAnswerHeaderLength;
    drive.sectors[SmartRequest::Thresholds] = SampleThresholdSector(sample.attributes);
    drive.sectors[SmartRequest::Data] = SampleDataSector(sample.attributes);
    return drive;
}

SmartTable TableOf(std::initializer_list<std::pair<int, SmartAttribute>> attributes) {
    SmartTable table{};
    for (const auto& entry : attributes) {
        table[entry.first] = entry.second;
    }
    return table;
}

SmartAttribute Values(int threshold, int current, int worst, int64_t raw = 0) {
    SmartAttribute attribute;
    attribute.threshold = threshold;
    attribute.current = current;
    attribute.worst = worst;
    attribute.raw = raw;
    return attribute;
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
        {9, Values(0, 100, 100), SmartGood, 100},
        {9, Values(100, 100, 100), SmartCritical, 75},  // equal to the threshold counts as failed
        {9, Values(50, 52, 60), SmartWarning, 98},
        {9, Values(50, 53, 50), SmartWarning, 95},
        {194, Values(0, 100, 100, 55), SmartWarning, 95},
        {194, Values(0, 100, 100, 56), SmartCritical, 75},
        {194, Values(0, 100, 100, 100), SmartGood, 100},
        {194, Values(0, 100, 100, 40), SmartGood, 100},
        {5, Values(36, 100, 100, 1), SmartWarning, 98},
        {5, Values(36, 36, 36, 1), SmartCritical, 74},  // a count never makes a critical state milder
        {200, Values(0, 100, 100, 7), SmartGood, 100},  // not a counting attribute
    };
    for (const Case& c : cases) {
        SmartEvaluation evaluation = EvaluateSmart(TableOf({{c.id, c.values}}));
        EXPECT_EQ(evaluation.states[c.id], c.state) << "id " << c.id << " current " << c.values.current;
        EXPECT_EQ(evaluation.percentage, c.percentage) << "id " << c.id << " current " << c.values.current;
    }
    EXPECT_EQ(SmartEvaluationText(98), "98% (Good)");
    SmartTable three = TableOf({{1, Values(10, 9, 9)}, {3, Values(10, 10, 10)}, {200, Values(10, 1, 1)}});
    EXPECT_EQ(EvaluateSmart(three).percentage, 42);
    EXPECT_EQ(SmartEvaluationText(42), "42% (Poor)");
    EXPECT_EQ(SmartVerdictKey(35), LanguageKey::SMARTCritical);
    EXPECT_EQ(SmartVerdictKey(36), LanguageKey::SMARTDefective);
    EXPECT_EQ(SmartVerdictKey(76), LanguageKey::SMARTFaultless);
    EXPECT_EQ(SmartVerdictKey(100), LanguageKey::SMARTPerfect);
    EXPECT_EQ(SmartHealthColour(0), 0x0000FFu);
    EXPECT_EQ(SmartHealthColour(50), 0x808080u | 0xFF);
    EXPECT_EQ(SmartHealthColour(100), 0xFFFFFFu);
}

TEST(SmartReadingTest, PublishedDrivesReadBackAndEvaluate) {
    UseSourceLanguage();
    const std::map<std::string, int> expected = {
        {"check_smart-3", 94},     {"unraid-docs", 96},  {"qiita-i386", 90}, {"samsung-850-evo", 100},
        {"samsung-mz7km480", 100}, {"sandisk-pssd", 75}, {"reallocated", 94}};
    for (const SampleDrive& sample : SampleDrives()) {
        MemoryDrive memory = SampleMemoryDrive(sample);
        SmartReading reading = ReadSmartDrive(MemoryDevice(memory), 3);
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
            EXPECT_EQ(read.flags, attribute.flags) << sample.source << " id " << int(attribute.id);
            EXPECT_EQ(read.threshold, attribute.threshold) << sample.source << " id " << int(attribute.id);
            EXPECT_EQ(read.current, attribute.current) << sample.source << " id " << int(attribute.id);
            EXPECT_EQ(read.worst, attribute.worst) << sample.source << " id " << int(attribute.id);
            // Bytes 9 and 10 of an entry are not part of the raw value.
            EXPECT_EQ(read.raw, static_cast<int64_t>(attribute.raw & 0xFFFFFFFF)) << sample.source;
        }
        EXPECT_EQ(EvaluateSmart(reading.table).percentage, expected.at(sample.source)) << sample.source;
        EXPECT_EQ(memory.closes, 1);
    }
    SmartTable table{};
    ApplySmartData(SampleDataSector(SampleDriveBySource("unraid-docs").attributes), table);
    EXPECT_EQ(table[7].raw, 2636649);
    EXPECT_EQ(SmartFlagsText(table[7].flags), "pre failure warranty, on-line collection, performance, error rate");
    EXPECT_EQ(SmartAttributeName(7), "Seek Error Rate");
    EXPECT_EQ(SmartAttributeName(177), "");
}

TEST(SmartReadingTest, SectorsAndIdentifyTextsAreNeverTrusted) {
    // Every entry in use: the walk ends with the sector, and the six bytes after the last whole
    // entry are no entry.
    std::string sector(512, '\x07');
    for (size_t entry = 2; entry + 12 <= 512; entry += 12) {
        sector[entry] = static_cast<char>(entry / 12 + 1);
    }
    sector[506] = static_cast<char>(250);
    SmartTable table{};
    ApplySmartThresholds(sector, table);
    EXPECT_EQ(table[42].threshold, 7);
    EXPECT_EQ(table[43].threshold, 0);
    EXPECT_EQ(table[250].threshold, 0);
    ApplySmartData(sector.substr(0, 100), table);  // a short sector is walked only as far as it goes
    EXPECT_EQ(table[8].current, 7);
    EXPECT_EQ(table[9].current, 0);

    std::string identify = MakeSmartIdentifySector("", "  WD-12345  ");
    identify.replace(54, 6, std::string("eTtsX\0", 6));  // a text of odd length loses its last character
    EXPECT_EQ(SmartModelText(identify), "Test");
    EXPECT_EQ(SmartSerialText(identify), "WD-12345");
    EXPECT_EQ(SmartModelText(identify.substr(0, 60)), "Test");
    EXPECT_EQ(SmartModelText(identify.substr(0, 30)), "");

    // A storage descriptor: vendor at 40, product at 48, no revision, serial at 70.
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
    EXPECT_EQ(names.model, "ST2000DM001-1CH164");
    EXPECT_EQ(names.serial, "");
    EXPECT_EQ(ParseStorageDeviceDescriptor(descriptor.substr(0, 35)).model, "");
}

TEST(SmartReadingTest, RequestsCarryTheirRegistersAndFailuresEndTheReading) {
    auto block = SmartCommandBlock(SmartRequest::Thresholds, 3);
    EXPECT_EQ(block[0] | (block[1] << 8), 512);
    EXPECT_EQ(block[4], 0xD1);
    EXPECT_EQ(block[5], 1);
    EXPECT_EQ(block[7], 0x4F);
    EXPECT_EQ(block[8], 0xC2);
    EXPECT_EQ(block[9], 0xB0);
    EXPECT_EQ(block[10], 0xB0);
    EXPECT_EQ(block[12], 3);
    EXPECT_EQ(SmartCommandBlock(SmartRequest::Identify, 2)[9], 0xA0);
    EXPECT_EQ(SmartCommandBlock(SmartRequest::Identify, 2)[10], 0xEC);
    EXPECT_EQ(SmartCommandBlock(SmartRequest::Enable, 0)[4], 0xD8);
    EXPECT_EQ(SmartCommandBlock(SmartRequest::Data, 0)[4], 0xD0);
    EXPECT_EQ(SmartControlCode(SmartRequest::Enable), 0x0007C084u);
    EXPECT_EQ(SmartControlCode(SmartRequest::Data), 0x0007C088u);

    const SampleDrive& sample = SampleDriveBySource("check_smart-3");
    MemoryDrive closed = SampleMemoryDrive(sample);
    closed.opens = false;
    SmartReading reading = ReadSmartDrive(MemoryDevice(closed), 0);
    EXPECT_FALSE(reading.opened);
    EXPECT_TRUE(reading.serial.empty());
    EXPECT_EQ(closed.closes, 0);

    MemoryDrive noEnable = SampleMemoryDrive(sample);
    noEnable.lengths[SmartRequest::Enable] = 0;
    reading = ReadSmartDrive(MemoryDevice(noEnable), 0);
    EXPECT_FALSE(reading.detectable);
    EXPECT_EQ(reading.serial, "CHECKSMART3");
    EXPECT_EQ(noEnable.commands.size(), 2u);
    EXPECT_EQ(noEnable.closes, 1);

    // A short data answer is no answer: the thresholds stay, the values stay 0.
    MemoryDrive shortData = SampleMemoryDrive(sample);
    shortData.lengths[SmartRequest::Data] = kSmartAnswerLength - 1;
    reading = ReadSmartDrive(MemoryDevice(shortData), 0);
    EXPECT_TRUE(reading.detectable);
    EXPECT_FALSE(reading.dataRead);
    EXPECT_EQ(reading.table[5].threshold, 36);
    EXPECT_EQ(reading.table[5].current, 0);

    MemoryDrive noIdentify = SampleMemoryDrive(sample);
    noIdentify.sectors.erase(SmartRequest::Identify);
    reading = ReadSmartDrive(MemoryDevice(noIdentify), 1);
    EXPECT_TRUE(reading.model.empty());
    EXPECT_EQ(reading.table[9].raw, 15261);
}

TEST(SmartReadingTest, SimulationFolderFollowsItsFilesAtEveryReading) {
    TemporaryFolder folder;
    SmartSimulation simulation{folder.Path()};
    const SmartDevice device = SimulatedSmartDevice(simulation);
    EXPECT_FALSE(ReadSmartDrive(device, 0).opened);

    ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 0, SampleDriveBySource("samsung-850-evo")));
    SmartReading reading = ReadSmartDrive(device, 0);
    EXPECT_TRUE(reading.dataRead);
    EXPECT_EQ(reading.model, "Samsung SSD 850 EVO 500GB");
    EXPECT_EQ(reading.table[177].current, 100);

    ASSERT_TRUE(WriteSampleDriveFiles(folder.Path(), 0, SampleDriveBySource("sandisk-pssd")));
    EXPECT_EQ(ReadSmartDrive(device, 0).table[232].threshold, 5);

    ASSERT_TRUE(WriteFileAtomically(SmartSimulationFile(folder.Path(), 0, "data"), std::string(300, '\x01')));
    reading = ReadSmartDrive(device, 0);
    EXPECT_TRUE(reading.detectable);
    EXPECT_FALSE(reading.dataRead);
    ASSERT_EQ(std::remove(SmartSimulationFile(folder.Path(), 0, "thresholds").c_str()), 0);
    reading = ReadSmartDrive(device, 0);
    EXPECT_TRUE(reading.opened);
    EXPECT_FALSE(reading.detectable);
    EXPECT_EQ(reading.serial, "0016c24bf");
}

TEST(SmartRowsTest, DriveAndAttributeRowsShowTheReading) {
    UseSourceLanguage();
    const SampleDrive& sample = SampleDriveBySource("qiita-i386");
    MemoryDrive memory = SampleMemoryDrive(sample);
    SmartReading reading = ReadSmartDrive(MemoryDevice(memory), 12);
    RowTable drives = MakeRowTable(SmartDriveColumnCount);
    ASSERT_TRUE(AppendSmartDriveRow(drives, reading, {reading.model, reading.serial}));
    EXPECT_EQ(Cell(drives, 0, 0), "#12");
    EXPECT_EQ(Cell(drives, 0, 1), "90% (Good)");
    EXPECT_EQ(Cell(drives, 0, 2), "Seagate (Debian i386)");
    EXPECT_EQ(drives.rows[0].backgroundColour, SmartHealthColour(90));
    EXPECT_EQ(SmartDriveOfRow(drives, 0), 12);

    reading.detectable = false;
    ASSERT_TRUE(AppendSmartDriveRow(drives, reading, {"gone", "S1"}));
    EXPECT_EQ(Cell(drives, 1, 1), "Unavailable");
    EXPECT_EQ(drives.rows[1].backgroundColour, 0xFFFFFFu);
    EXPECT_FALSE(AppendSmartDriveRow(drives, reading, {"no serial", ""}));

    reading.detectable = true;
    RowTable attributes = MakeRowTable(SmartAttributeColumnCount);
    FillSmartAttributeRows(attributes, reading.table, EvaluateSmart(reading.table));
    ASSERT_EQ(RowCount(attributes), sample.attributes.size());
    size_t pending = FindRow(attributes, SmartAttributeColumnId, "197 (C5)");
    ASSERT_NE(pending, kNoRow);
    EXPECT_EQ(Cell(attributes, pending, 0), "Current Pending Sector Count");
    EXPECT_EQ(Cell(attributes, pending, 5), "1");
    EXPECT_EQ(Cell(attributes, pending, 6), "on-line collection, event count");
    EXPECT_EQ(attributes.rows[pending].image, SmartWarning);
    EXPECT_EQ(Cell(attributes, 0, SmartAttributeColumnId), "1 (01)");
}
