#include "main/processes/ProcessIdSet.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ProcessIdSetTest, CursorStopsAtTheEndAndStaysThere) {
    EnumerationCursor cursor;
    ResetCursor(cursor, 2);
    EXPECT_EQ(AdvanceCursor(cursor), 1u);
    EXPECT_EQ(AdvanceCursor(cursor), 2u);
    EXPECT_EQ(AdvanceCursor(cursor), 0u);
    EXPECT_EQ(AdvanceCursor(cursor), 0u);
    EXPECT_EQ(cursor.position, 2u);
    ResetCursor(cursor, 0);
    EXPECT_EQ(AdvanceCursor(cursor), 0u);
}

TEST(ProcessIdSetTest, EntryCountNeverExceedsWhatWasOffered) {
    EXPECT_EQ(EntriesFromBytes(1024, kProcessIdBufferBytes), 256u);
    EXPECT_EQ(EntriesFromBytes(40, kProcessIdBufferBytes), 10u);
    EXPECT_EQ(EntriesFromBytes(4096, kProcessIdBufferBytes), 256u);  // a misbehaving call
    EXPECT_EQ(EntriesFromBytes(7, kProcessIdBufferBytes), 1u);
}

TEST(ProcessIdSetTest, SnapshotCompletesAFullEnumerationWithEachIdOnce) {
    // 256 ids from the enumeration (its limit), 300 processes in the snapshot.
    std::vector<uint32_t> enumerated, snapshot;
    for (uint32_t i = 0; i < 256; ++i)
        enumerated.push_back(4 * i);
    for (uint32_t i = 300; i-- > 0;)
        snapshot.push_back(4 * i);
    snapshot.push_back(8);  // a duplicate inside the snapshot too
    ProcessIdSet set;
    ResetProcessIdSet(set);
    AddProcessIds(set, enumerated.data(), enumerated.size());
    AddProcessIds(set, snapshot.data(), snapshot.size());
    ASSERT_EQ(set.ids.size(), 300u);
    for (uint32_t i = 0; i < 256; ++i)
        ASSERT_EQ(set.ids[i], 4 * i) << "enumeration order comes first";
    EXPECT_EQ(set.ids[256], 4u * 299) << "then the snapshot's missing ids in its order";
    EXPECT_EQ(set.ids[299], 4u * 256);
    EXPECT_TRUE(ContainsProcessId(set, 4 * 299));
    EXPECT_FALSE(ContainsProcessId(set, 6));

    ResetProcessIdSet(set);
    EXPECT_TRUE(set.ids.empty());
    EXPECT_FALSE(ContainsProcessId(set, 0));
}

TEST(ProcessIdSetTest, ThreadCountsIgnoreIdsOutsideTheTable) {
    ProcessIdSet set;
    ResetProcessIdSet(set);
    for (uint32_t owner : {8u, 8u, 8u, 65536u, 65537u, 0xFFFFFFFFu})
        CountThread(set, owner);
    EXPECT_EQ(ThreadCount(set, 8), 3);
    EXPECT_EQ(ThreadCount(set, 65536), 1);
    EXPECT_EQ(ThreadCount(set, 65537), 0);
    EXPECT_EQ(ThreadCount(set, 0xFFFFFFFFu), 0);
    ResetProcessIdSet(set);
    EXPECT_EQ(ThreadCount(set, 8), 0) << "each pass counts from zero";
}
