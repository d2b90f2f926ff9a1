#include "main/database/RatingCacheFile.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unordered_map>

#include "foundation/FileSystem.h"

const char* const kRatingCacheFileName = "vantrel.db";

namespace {

constexpr char kRecordEnd = '\x01';
constexpr char kFieldEnd = '\x02';
constexpr uint32_t kKeySeed = 0x56544C44;  // any constant will do; it only has to stay the same

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

uint32_t PayloadChecksum(const std::string& payload) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes the length as uInt; feed large payloads in pieces.
    for (size_t offset = 0; offset < payload.size();) {
        const size_t piece = std::min<size_t>(payload.size() - offset, 1u << 30);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(payload.data() + offset), static_cast<uInt>(piece));
        offset += piece;
    }
    return static_cast<uint32_t>(crc);
}

void Obscure(std::string& bytes, int direction) {
    const std::vector<uint8_t>& key = RatingCacheKey();
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(static_cast<uint8_t>(bytes[i]) + direction * key[i % key.size()]);
    }
}

std::vector<std::string> SplitFields(const std::string& record) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t end = record.find(kFieldEnd, start);
        fields.push_back(record.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) {
            return fields;
        }
        start = end + 1;
    }
}

struct LoadedRecord {
    RatingEntry entry;
    bool stale = false;
};

LoadedRecord ReadRecord(const std::string& record, int64_t now) {
    const std::vector<std::string> fields = SplitFields(record);
    auto field = [&fields](size_t index) { return index < fields.size() ? fields[index] : std::string(); };
    // Passed through AppendRating on a scratch cache: the same cleaning as every stored entry.
    RatingCache scratch;
    RatingEntry entry;
    entry.hash = field(0);
    entry.rating = LeadingDecimal(field(1));
    entry.description = field(2);
    entry.lastUsed = LeadingDecimal(field(3));
    entry.queried = LeadingDecimal(field(4));
    LoadedRecord loaded;
    loaded.stale = std::abs(now - entry.lastUsed) > kRatingCacheMaximumAge;
    loaded.entry = std::move(AppendRating(scratch, std::move(entry)));
    return loaded;
}

// The records in file order, each as AppendRating would take it: the later record of a hash
// replaces the earlier one and goes to the end; a stale one still removes the older entry of its
// hash but is not kept itself. Done in one pass, so that a large file loads in linear time.
void MergeRecords(std::vector<LoadedRecord> records, RatingCache& cache) {
    if (records.empty()) {
        return;
    }
    std::unordered_map<std::string, size_t> lastOfHash;
    for (size_t i = 0; i < records.size(); ++i) {
        lastOfHash[records[i].entry.hash] = i;
    }
    std::vector<RatingEntry> merged;
    for (RatingEntry& entry : cache.entries) {
        if (lastOfHash.count(entry.hash) == 0) {
            merged.push_back(std::move(entry));
        }
    }
    for (size_t i = 0; i < records.size(); ++i) {
        if (lastOfHash[records[i].entry.hash] == i && !records[i].stale) {
            merged.push_back(std::move(records[i].entry));
        }
    }
    cache.entries = std::move(merged);
    cache.current = records.back().stale ? RatingCache::kNoEntry : cache.entries.size() - 1;
}

}  // namespace

const char* RatingLoadMessage(RatingLoadResult result) {
    switch (result) {
        case RatingLoadResult::SizeMismatch:
            return "File size mismatch!";
        case RatingLoadResult::ShortRead:
            return "WTF Length!?";
        case RatingLoadResult::Corrupt:
            return "Database corrupt!";
        default:
            return "";
    }
}

const char* RatingSaveMessage(RatingSaveResult result) {
    return result == RatingSaveResult::NoFile ? "Write: No file!" : "";
}

const std::vector<uint8_t>& RatingCacheKey() {
    static const std::vector<uint8_t> key = [] {
        // A plain linear congruential generator, so the key does not depend on a library's rand().
        uint32_t state = kKeySeed;
        auto next = [&state]() {
            state = state * 1664525u + 1013904223u;
            return state >> 16;
        };
        std::vector<uint8_t> bytes(17 + next() % 24);
        for (uint8_t& byte : bytes) {
            byte = static_cast<uint8_t>(next() % 256);
        }
        return bytes;
    }();
    return key;
}

std::string BuildRatingPayload(const RatingCache& cache) {
    std::string payload;
    // Entries edited in place (the rating dialog) have not passed AppendRating's cleaning.
    for (const RatingEntry& entry : cache.entries) {
        payload += WithoutRecordSeparators(entry.hash);
        payload += kFieldEnd;
        payload += std::to_string(entry.rating);
        payload += kFieldEnd;
        payload += WithoutRecordSeparators(entry.description);
        payload += kFieldEnd;
        payload += std::to_string(entry.lastUsed);
        payload += kFieldEnd;
        payload += std::to_string(entry.queried);
        payload += kRecordEnd;
    }
    return payload;
}

std::string EncodeRatingCacheFile(const RatingCache& cache) {
    std::string payload = BuildRatingPayload(cache);
    const uint32_t crc = PayloadChecksum(payload);
    Obscure(payload, +1);
    std::string file;
    for (int shift = 0; shift < 32; shift += 8) {
        file += static_cast<char>((crc >> shift) & 0xFF);
    }
    return file + payload;
}

RatingLoadResult DecodeRatingCacheFile(const std::string& file, RatingCache& cache, int64_t now) {
    if (file.size() <= 4 || static_cast<int64_t>(file.size()) > kRatingCacheMaximumFileLength) {
        return RatingLoadResult::SizeMismatch;
    }
    uint32_t stored = 0;
    for (int i = 0; i < 4; ++i) {
        stored |= static_cast<uint32_t>(static_cast<uint8_t>(file[i])) << (8 * i);
    }
    std::string payload = file.substr(4);
    Obscure(payload, -1);
    if (PayloadChecksum(payload) != stored) {
        return RatingLoadResult::Corrupt;
    }
    // Text after the last record end is an unfinished record and is ignored.
    std::vector<LoadedRecord> records;
    size_t start = 0;
    for (size_t end; (end = payload.find(kRecordEnd, start)) != std::string::npos; start = end + 1) {
        records.push_back(ReadRecord(payload.substr(start, end - start), now));
    }
    MergeRecords(std::move(records), cache);
    return RatingLoadResult::Loaded;
}

RatingLoadResult LoadRatingCache(RatingCache& cache, const std::string& path, int64_t now) {
    FilePointer file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return RatingLoadResult::NoFile;
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        return RatingLoadResult::SizeMismatch;
    }
    const long length = std::ftell(file.get());
    if (length <= 4 || length > kRatingCacheMaximumFileLength || std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return RatingLoadResult::SizeMismatch;
    }
    std::string bytes(static_cast<size_t>(length), '\0');
    if (std::fread(&bytes[0], 1, bytes.size(), file.get()) != bytes.size()) {
        return RatingLoadResult::ShortRead;
    }
    return DecodeRatingCacheFile(bytes, cache, now);
}

RatingSaveResult SaveRatingCache(const RatingCache& cache, const std::string& path) {
    if (cache.entries.empty()) {
        return RatingSaveResult::NothingToSave;
    }
    return WriteFileAtomically(path, EncodeRatingCacheFile(cache)) ? RatingSaveResult::Saved : RatingSaveResult::NoFile;
}
