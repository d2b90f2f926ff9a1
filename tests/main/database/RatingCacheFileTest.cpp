#include "main/database/RatingCacheFile.h"
#include "tests/main/database/RatingCacheFileOf.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "foundation/FileSystem.h"
#include "tests/main/database/DatabaseTestSupport.h"

namespace {

const int64_t kNow = 1700000000;
const int64_t kDay = 86400;
const std::string kHashA = "0123456789abcdef0123456789abcdef01234567";
const std::string kHashB = "fedcba9876543210fedcba9876543210fedcba98";

std::string Record(const std::string& hash,
                   const std::string& rating,
                   const std::string& description,
                   int64_t lastUsed,
                   int64_t queried) {
    return hash + "\x02" + rating + "\x02" + description + "\x02" + std::to_string(lastUsed) + "\x02" +
           std::to_string(queried) + "\x01";
}

RatingEntry Entry(const std::string& hash, int32_t rating, const std::string& description, int64_t lastUsed) {
    RatingEntry entry;
    entry.hash = hash;
    entry.rating = rating;
    entry.description = description;
    entry.lastUsed = static_cast<int32_t>(lastUsed);
    entry.queried = static_cast<int32_t>(lastUsed - 5);
    return entry;
}

TEST(RatingCacheFile, KeyIsStableAndOfTheAllowedLength) {
    const std::vector<uint8_t>& key = RatingCacheKey();
    EXPECT_GE(key.size(), 17u);
    EXPECT_LE(key.size(), 40u);
    EXPECT_EQ(&key, &RatingCacheKey());
}

TEST(RatingCacheFile, SavedCacheLoadsBackInOrder) {
    TemporaryFolder folder;
    RatingCache saved;
    AppendRating(saved, Entry(kHashA, 2, "Editor \xE4\xF6\xFC | with bar", kNow - kDay));
    AppendRating(saved, Entry(kHashB, -7, "", kNow));
    AppendRating(saved, Entry(std::string(40, 'c'), 9, "line one\r\nline two", kNow + kDay));
    const std::string path = folder.File(kRatingCacheFileName);
    ASSERT_EQ(SaveRatingCache(saved, path), RatingSaveResult::Saved);
    EXPECT_EQ(ListFolderFiles(folder.Path()), std::vector<std::string>{kRatingCacheFileName});

    RatingCache loaded;
    ASSERT_EQ(LoadRatingCache(loaded, path, kNow), RatingLoadResult::Loaded);
    ASSERT_EQ(loaded.entries.size(), saved.entries.size());
    for (size_t i = 0; i < saved.entries.size(); ++i) {
        EXPECT_EQ(loaded.entries[i].hash, saved.entries[i].hash);
        EXPECT_EQ(loaded.entries[i].rating, saved.entries[i].rating);
        EXPECT_EQ(loaded.entries[i].known, saved.entries[i].known);
        EXPECT_EQ(loaded.entries[i].description, saved.entries[i].description);
        EXPECT_EQ(loaded.entries[i].lastUsed, saved.entries[i].lastUsed);
        EXPECT_EQ(loaded.entries[i].queried, saved.entries[i].queried);
    }
    EXPECT_EQ(loaded.entries[0].known, 1);
}

TEST(RatingCacheFile, LayoutIsChecksumThenObscuredPayload) {
    RatingCache cache;
    AppendRating(cache, Entry(kHashA, 1, "Some description", kNow));
    const std::string payload = BuildRatingPayload(cache);
    EXPECT_EQ(payload, Record(kHashA, "1", "Some description", kNow, kNow - 5));
    const std::string file = EncodeRatingCacheFile(cache);
    ASSERT_EQ(file.size(), payload.size() + 4);
    EXPECT_EQ(file.find("Some description"), std::string::npos) << "the payload must not be readable";
    EXPECT_EQ(file, RatingCacheFileOf(payload));
}

TEST(RatingCacheFile, SeparatorsInAnEditedDescriptionCannotForgeRecords) {
    RatingCache cache;
    AppendRating(cache, Entry(kHashA, 1, "", kNow)).description = std::string("x\x01") + kHashB +
                                                                  "\x02"
                                                                  "2\x02forged\x02" +
                                                                  std::to_string(kNow) +
                                                                  "\x02"
                                                                  "0";
    RatingCache loaded;
    ASSERT_EQ(DecodeRatingCacheFile(EncodeRatingCacheFile(cache), loaded, kNow), RatingLoadResult::Loaded);
    ASSERT_EQ(loaded.entries.size(), 1u);
    EXPECT_EQ(loaded.entries[0].hash, kHashA);
    EXPECT_EQ(FindRating(loaded, kHashB), nullptr);
}

TEST(RatingCacheFile, ChecksumMatchesGzipsCrc32) {
    // gzip, which nobody here wrote, stores the CRC-32 of its input little-endian in its trailer.
    TemporaryFolder folder;
    RatingCache cache;
    for (int i = 0; i < 50; ++i) {
        AppendRating(cache, Entry(std::string(39, 'a') + static_cast<char>('0' + i % 10) + std::to_string(i), i % 3,
                                  "entry " + std::to_string(i), kNow));
    }
    const std::string payload = BuildRatingPayload(cache);
    WriteWholeFile(folder.File("payload"), payload);
    const std::string gzip = CommandOutput("gzip -c '" + folder.File("payload") + "'");
    ASSERT_GE(gzip.size(), 8u) << "gzip is missing";
    EXPECT_EQ(EncodeRatingCacheFile(cache).substr(0, 4), gzip.substr(gzip.size() - 8, 4));
}

TEST(RatingCacheFile, MissingFileAddsAndShowsNothing) {
    TemporaryFolder folder;
    RatingCache cache;
    AppendRating(cache, Entry(kHashA, 1, "kept", kNow));
    const RatingLoadResult result = LoadRatingCache(cache, folder.File("vantrel.db"), kNow);
    EXPECT_EQ(result, RatingLoadResult::NoFile);
    EXPECT_STREQ(RatingLoadMessage(result), "");
    EXPECT_EQ(cache.entries.size(), 1u);
}

TEST(RatingCacheFile, FilesOfFourBytesOrLessAreSizeMismatches) {
    TemporaryFolder folder;
    for (const std::string& bytes : {std::string(), std::string("\x01"), std::string(4, '\0')}) {
        WriteWholeFile(folder.File("vantrel.db"), bytes);
        RatingCache cache;
        const RatingLoadResult result = LoadRatingCache(cache, folder.File("vantrel.db"), kNow);
        EXPECT_EQ(result, RatingLoadResult::SizeMismatch) << bytes.size() << " bytes";
        EXPECT_STREQ(RatingLoadMessage(result), "File size mismatch!");
        EXPECT_TRUE(cache.entries.empty());
    }
}

TEST(RatingCacheFile, AnyFlippedBitMakesTheFileCorruptAndAddsNothing) {
    const std::string file =
        RatingCacheFileOf(Record(kHashA, "2", "desc", kNow, kNow) + Record(kHashB, "1", "", kNow, kNow));
    for (size_t bit = 0; bit < file.size() * 8; ++bit) {
        std::string damaged = file;
        damaged[bit / 8] = static_cast<char>(damaged[bit / 8] ^ (1 << (bit % 8)));
        RatingCache cache;
        AppendRating(cache, Entry(kHashA, 1, "before", kNow));
        const RatingLoadResult result = DecodeRatingCacheFile(damaged, cache, kNow);
        ASSERT_EQ(result, RatingLoadResult::Corrupt) << "bit " << bit;
        ASSERT_EQ(cache.entries.size(), 1u);
        EXPECT_EQ(cache.entries[0].description, "before");
    }
    EXPECT_STREQ(RatingLoadMessage(RatingLoadResult::Corrupt), "Database corrupt!");
}

TEST(RatingCacheFile, LaterRecordOfAHashWinsAndGoesToTheEnd) {
    RatingCache cache;
    AppendRating(cache, Entry(kHashB, 1, "in memory", kNow));
    AppendRating(cache, Entry(std::string(40, 'e'), 1, "untouched", kNow));
    const std::string payload = Record(kHashA, "1", "old", kNow, kNow) + Record(kHashB, "2", "from file", kNow, kNow) +
                                Record(kHashA, "2", "new", kNow, kNow);
    ASSERT_EQ(DecodeRatingCacheFile(RatingCacheFileOf(payload), cache, kNow), RatingLoadResult::Loaded);
    ASSERT_EQ(cache.entries.size(), 3u);
    EXPECT_EQ(cache.entries[0].description, "untouched");
    EXPECT_EQ(cache.entries[1].description, "from file");
    EXPECT_EQ(cache.entries[2].hash, kHashA);
    EXPECT_EQ(cache.entries[2].description, "new");
}

TEST(RatingCacheFile, LoadingMergesLikeAppendingTheRecordsOneByOne) {
    // Random files over a few hashes, fresh and stale records mixed, loaded into caches that
    // already hold some of them: the result must be what appending each record in turn (and
    // removing it again when stale) gives.
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        RatingCache loaded;
        for (int i = static_cast<int>(random() % 4); i > 0; --i)
            AppendRating(loaded, Entry(std::string(40, static_cast<char>('a' + random() % 5)), 1, "before", kNow));
        RatingCache expected = loaded;
        std::string payload;
        for (int i = 1 + static_cast<int>(random() % 8); i > 0; --i) {
            const std::string hash(40, static_cast<char>('a' + random() % 5));
            const int32_t rating = static_cast<int32_t>(random() % 3);
            const int64_t lastUsed =
                random() % 3 == 0 ? kNow - 40 * kDay : kNow - static_cast<int64_t>(random() % 1000);
            const std::string description = "r" + std::to_string(i);
            payload += Record(hash, std::to_string(rating), description, lastUsed, lastUsed - 5);
            AppendRating(expected, Entry(hash, rating, description, lastUsed));
            if (lastUsed < kNow - kRatingCacheMaximumAge)
                RemoveRating(expected, hash);
        }
        ASSERT_EQ(DecodeRatingCacheFile(RatingCacheFileOf(payload), loaded, kNow), RatingLoadResult::Loaded);
        ASSERT_EQ(loaded.entries.size(), expected.entries.size()) << "round " << round;
        for (size_t i = 0; i < loaded.entries.size(); ++i) {
            const RatingEntry& a = loaded.entries[i];
            const RatingEntry& b = expected.entries[i];
            EXPECT_TRUE(a.hash == b.hash && a.rating == b.rating && a.known == b.known &&
                        a.description == b.description && a.lastUsed == b.lastUsed && a.queried == b.queried)
                << "round " << round << ", entry " << i;
        }
        EXPECT_EQ(loaded.current, expected.current) << "round " << round;
    }
}

TEST(RatingCacheFile, EntriesUnusedForMoreThan31DaysEitherWayAreDropped) {
    const std::string payload = Record(std::string(40, '1'), "1", "30 days ago", kNow - 30 * kDay, 0) +
                                Record(std::string(40, '2'), "1", "32 days ago", kNow - 32 * kDay, 0) +
                                Record(std::string(40, '3'), "1", "in 32 days", kNow + 32 * kDay, 0) +
                                Record(std::string(40, '4'), "1", "exactly 31 days", kNow - 31 * kDay, 0) +
                                Record(std::string(40, '5'), "1", "31 days and a second", kNow - 31 * kDay - 1, 0) +
                                Record(std::string(40, '6'), "1", "in 30 days", kNow + 30 * kDay, 0);
    RatingCache cache;
    AppendRating(cache, Entry(std::string(40, '2'), 2, "replaced by the stale record", kNow));
    ASSERT_EQ(DecodeRatingCacheFile(RatingCacheFileOf(payload), cache, kNow), RatingLoadResult::Loaded);
    std::vector<std::string> kept;
    for (const RatingEntry& entry : cache.entries) {
        kept.push_back(entry.description);
    }
    EXPECT_EQ(kept, (std::vector<std::string>{"30 days ago", "exactly 31 days", "in 30 days"}));
}

TEST(RatingCacheFile, UnfinishedLastRecordIsIgnored) {
    const std::string payload = Record(kHashA, "1", "complete", kNow, kNow) + kHashB +
                                "\x02"
                                "2\x02unfinished";
    RatingCache cache;
    ASSERT_EQ(DecodeRatingCacheFile(RatingCacheFileOf(payload), cache, kNow), RatingLoadResult::Loaded);
    ASSERT_EQ(cache.entries.size(), 1u);
    EXPECT_EQ(cache.entries[0].description, "complete");
}

TEST(RatingCacheFile, MissingAndNonNumericFieldsCountAsZeroOrEmpty) {
    const std::string now = std::to_string(kNow);
    const std::string payload = kHashA + "\x02x\x02\x02" + now + "\x01" + kHashB +
                                "\x02"
                                "2\x01" +
                                std::string(40, 'c') +
                                "\x02"
                                "1\x02"
                                "d\x02" +
                                now +
                                "\x02"
                                "abc\x02"
                                "extra\x01";
    RatingCache cache;
    ASSERT_EQ(DecodeRatingCacheFile(RatingCacheFileOf(payload), cache, kNow), RatingLoadResult::Loaded);
    ASSERT_EQ(cache.entries.size(), 2u);
    EXPECT_EQ(cache.entries[0].hash, kHashA);
    EXPECT_EQ(cache.entries[0].rating, 0);
    EXPECT_EQ(cache.entries[0].description, "");
    EXPECT_EQ(cache.entries[0].queried, 0);
    EXPECT_EQ(cache.entries[1].rating, 1);
    EXPECT_EQ(cache.entries[1].queried, 0);

    // A clock near 1970 keeps the record without a date.
    RatingCache early;
    ASSERT_EQ(DecodeRatingCacheFile(RatingCacheFileOf(payload), early, 100), RatingLoadResult::Loaded);
    ASSERT_EQ(early.entries.size(), 1u) << "the record without dates counts as used at 0";
    EXPECT_EQ(early.entries[0].hash, kHashB);
    EXPECT_EQ(early.entries[0].rating, 2);
}

TEST(RatingCacheFile, SavingAnEmptyCacheLeavesTheOldFile) {
    TemporaryFolder folder;
    const std::string path = folder.File("vantrel.db");
    WriteWholeFile(path, "old content");
    const RatingSaveResult result = SaveRatingCache(RatingCache(), path);
    EXPECT_EQ(result, RatingSaveResult::NothingToSave);
    EXPECT_STREQ(RatingSaveMessage(result), "");
    EXPECT_EQ(FileContent(path), "old content");
}

TEST(RatingCacheFile, FailedSaveReportsNoFileAndKeepsTheOldFile) {
    TemporaryFolder folder;
    RatingCache cache;
    AppendRating(cache, Entry(kHashA, 1, "new", kNow));

    const RatingSaveResult missingFolder = SaveRatingCache(cache, folder.File("missing/vantrel.db"));
    EXPECT_EQ(missingFolder, RatingSaveResult::NoFile);
    EXPECT_STREQ(RatingSaveMessage(missingFolder), "Write: No file!");

    // A folder in the way of the rename: the write succeeds, the replace fails, nothing is left over.
    const std::string blocked = folder.File("blocked.db");
    ASSERT_EQ(mkdir(blocked.c_str(), 0700), 0);
    ASSERT_EQ(mkdir((blocked + "/inside").c_str(), 0700), 0);
    EXPECT_EQ(SaveRatingCache(cache, blocked), RatingSaveResult::NoFile);
    EXPECT_EQ(ListFolderFiles(folder.Path()), std::vector<std::string>()) << "no temporary file is left";
    EXPECT_TRUE(IsFolder(blocked + "/inside"));

    const std::string path = folder.File("vantrel.db");
    WriteWholeFile(path, "old content");
    ASSERT_EQ(SaveRatingCache(cache, path), RatingSaveResult::Saved);
    EXPECT_EQ(FileContent(path), EncodeRatingCacheFile(cache));
}

TEST(RatingCacheFile, FileShorterThanItsReportedLengthIsAShortRead) {
    // Files in /sys report a length of a page but hold a few bytes.
    const std::string path = "/sys/kernel/mm/transparent_hugepage/enabled";
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || status.st_size <= static_cast<off_t>(FileContent(path).size())) {
        GTEST_SKIP() << "no file here reports more bytes than it holds";
    }
    RatingCache cache;
    const RatingLoadResult result = LoadRatingCache(cache, path, kNow);
    EXPECT_EQ(result, RatingLoadResult::ShortRead);
    EXPECT_STREQ(RatingLoadMessage(result), "WTF Length!?");
    EXPECT_TRUE(cache.entries.empty());
}

}  // namespace
