// The system's process records and the facts kept per process.

#include "main/processes/SystemProcessRecords.h"

#include <gtest/gtest.h>

#include <vector>

#include "main/processes/KnownProcesses.h"

namespace {

void Put(std::vector<uint8_t>& bytes, size_t at, uint64_t value, size_t width) {
    for (size_t i = 0; i < width; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A record of `size` bytes (its threads behind it) for `pid`, chained to the next one unless last.
void AppendRecord(std::vector<uint8_t>& bytes, uint32_t pid, size_t size, bool last) {
    using namespace SystemProcessOffsets;
    size_t at = bytes.size();
    bytes.resize(at + size, 0xEE);
    Put(bytes, at + kNextEntry, last ? 0 : size, 4);
    Put(bytes, at + kThreads, 3, 4);
    Put(bytes, at + kUserTime, 0x123456789ull, 8);
    Put(bytes, at + kProcessId, pid, 4);
    Put(bytes, at + kParentId, 4, 4);
    Put(bytes, at + kHandles, 77, 4);
    Put(bytes, at + kWorkingSet, 0x80000000u, 4);
    Put(bytes, at + kIoCounters + 40, 0x100000000ull, 8);  // bytes moved otherwise
}

}  // namespace

TEST(SystemProcessRecordsTest, ChainIsReadToItsLastRecordAndStopsAtABadOffset) {
    std::vector<uint8_t> bytes;
    AppendRecord(bytes, 0, kSystemProcessRecordSize, false);
    AppendRecord(bytes, 1234, kSystemProcessRecordSize + 2 * 64, false);
    AppendRecord(bytes, 5678, kSystemProcessRecordSize, true);
    std::vector<SystemProcessRecord> records;
    ASSERT_TRUE(ParseSystemProcessRecords(bytes.data(), bytes.size(), records));
    ASSERT_EQ(records.size(), 3u);
    const SystemProcessRecord& second = records[1];
    EXPECT_EQ(second.pid, 1234u);
    EXPECT_EQ(second.parentPid, 4u);
    EXPECT_EQ(second.threads, 3u);
    EXPECT_EQ(second.handles, 77u);
    EXPECT_EQ(second.userTime, 0x123456789ull);
    EXPECT_EQ(second.workingSet, 0x80000000u) << "sizes are unsigned";
    EXPECT_EQ(second.io.otherBytes, 0x100000000ull);
    EXPECT_EQ(records[2].pid, 5678u);

    // The last record cut short, and an offset pointing into its own record.
    EXPECT_FALSE(ParseSystemProcessRecords(bytes.data(), bytes.size() - 1, records));
    EXPECT_EQ(records.size(), 2u);
    Put(bytes, 0, 8, 4);
    EXPECT_FALSE(ParseSystemProcessRecords(bytes.data(), bytes.size(), records));
    EXPECT_EQ(records.size(), 1u);
}

TEST(SystemProcessRecordsTest, KnownFactsFollowTheProcessNotTheId) {
    KnownProcesses known;
    RememberProcess(known, 40, {100, "a.exe", "C:\\a.exe", 0x20, 5});
    RememberProcess(known, 44, {100, "b.exe", "C:\\b.exe", 0x20, 6});
    ASSERT_NE(FindKnownProcess(known, 40, 100), nullptr);
    EXPECT_EQ(FindKnownProcess(known, 40, 100)->path, "C:\\a.exe");
    EXPECT_EQ(FindKnownProcess(known, 40, 200), nullptr) << "the id was given to a new process";
    ForgetEndedProcesses(known, {40});
    EXPECT_EQ(known.size(), 1u);
    EXPECT_EQ(FindKnownProcess(known, 44, 100), nullptr);
}
