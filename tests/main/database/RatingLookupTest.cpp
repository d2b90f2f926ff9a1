#include "main/database/RatingLookup.h"

#include "main/database/RatingUpload.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>

namespace {

const std::string kHash = "3f786850e387550fdab836ed7e6dc881de23001b";
const int64_t kStart = 1700000000;

// A server on a script: each connection gets the next answer, then is closed; the clocks move only
// when the code waits.
struct ScriptedServer {
    std::deque<std::string> answers;
    std::string unread;  // of the current connection's answer
    std::vector<std::string> requests;
    bool refuse = false;
    bool silent = false;
    int64_t milliseconds = 1000000;
    int64_t seconds = kStart;
};

RatingDatabase DatabaseFor(ScriptedServer& server) {
    RatingDatabase database;
    database.texts = {"Looking for updates", "System", "Trustworthy"};
    database.now = [&server] { return server.seconds; };
    RatingNetwork& network = database.network;
    network.started = true;
    network.connect = [&server](const std::string&, int) -> intptr_t {
        if (server.refuse)
            return -1;
        server.unread = server.answers.empty() ? std::string() : server.answers.front();
        if (!server.answers.empty())
            server.answers.pop_front();
        return 7;
    };
    network.send = [&server](intptr_t, const std::string& request) {
        server.requests.push_back(request);
        return true;
    };
    network.readable = [&server](intptr_t) { return !server.silent; };
    network.receive = [&server](intptr_t, size_t most) {
        std::string piece = server.unread.substr(0, most);
        server.unread.erase(0, piece.size());
        return piece;
    };
    network.close = [](intptr_t) {};
    network.sleep = [&server](int milliseconds) { server.milliseconds += milliseconds; };
    network.tick = [&server] { return server.milliseconds; };
    return database;
}

std::string Http(const std::string& body) {
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

TEST(RatingLookup, UnknownFileIsCachedAsUnratedForAWeek) {
    ScriptedServer server;
    RatingDatabase database = DatabaseFor(server);
    server.answers = {Http("0")};
    EXPECT_EQ(RatingLookup(database, kHash, "app.exe", true), 0);
    ASSERT_EQ(server.requests.size(), 1u);
    EXPECT_EQ(server.requests[0].rfind("GET /vtldb/query.php?hash=" + kHash + " HTTP/1.0\r\n", 0), 0u);
    ASSERT_EQ(database.cache.entries.size(), 1u);
    EXPECT_EQ(database.cache.entries[0].queried, kStart);

    server.seconds += kRatingRefreshAge;
    EXPECT_EQ(RatingLookupText(database, kHash, "app.exe", true), "");
    EXPECT_EQ(RatingLookupKnown(database, kHash, "app.exe", true), 0);
    EXPECT_EQ(server.requests.size(), 1u) << "a week-old entry needs no request";
    EXPECT_EQ(database.cache.entries[0].lastUsed, kStart + kRatingRefreshAge);

    server.seconds += 1;
    server.answers = {Http(kHash + BuildRatingProp(2, "Now rated"))};
    std::string caption;
    database.progress = [&caption](const std::string& text, bool) {
        caption = text;
        return false;
    };
    EXPECT_EQ(RatingLookupDescription(database, kHash, "app.exe", true), "Now rated");
    EXPECT_EQ(server.requests.size(), 2u);
    EXPECT_EQ(caption, "Looking for updates: app.exe");
    ASSERT_EQ(database.cache.entries.size(), 1u);
    EXPECT_EQ(database.cache.entries[0].rating, 2);
}

TEST(RatingLookup, RatedAnswerGivesAllFourFields) {
    ScriptedServer server;
    RatingDatabase database = DatabaseFor(server);
    server.answers = {Http(kHash + BuildRatingProp(1, "Windows shell"))};
    EXPECT_EQ(RatingLookup(database, kHash, "explorer.exe", true), 1);
    EXPECT_EQ(RatingLookupText(database, kHash, "explorer.exe", true), "System");
    EXPECT_EQ(RatingLookupKnown(database, kHash, "explorer.exe", true), 1);
    EXPECT_EQ(RatingLookupDescription(database, kHash, "explorer.exe", true), "Windows shell");
    EXPECT_EQ(server.requests.size(), 1u);
    EXPECT_EQ(RatingName(database.texts, 2), "Trustworthy");
    EXPECT_EQ(RatingName(database.texts, 3), "");
}

TEST(RatingLookup, FailedOrForeignAnswersLeaveTheCacheAlone) {
    for (const std::string& answer :
         {Http("-1"), Http("<html>Not found</html>"), Http(std::string(40, 'f') + BuildRatingProp(1, "x")),
          Http(kHash + "not base64"), Http(kHash), std::string("garbage")}) {
        ScriptedServer server;
        RatingDatabase database = DatabaseFor(server);
        server.answers = {answer};
        EXPECT_EQ(RatingLookup(database, kHash, "a.exe", true), 0) << answer;
        EXPECT_TRUE(database.cache.entries.empty()) << answer;
        server.answers = {Http("0")};
        RatingLookup(database, kHash, "a.exe", true);
        EXPECT_EQ(server.requests.size(), 2u) << "nothing was cached, so the next lookup asks again";
    }
}

TEST(RatingLookup, AFailedExchangeLeavesTheServerAloneForAMinute) {
    ScriptedServer server;
    RatingDatabase database = DatabaseFor(server);
    server.refuse = true;
    EXPECT_EQ(RatingLookup(database, kHash, "a.exe", true), 0);
    server.refuse = false;
    server.answers = {Http("0"), Http("0")};
    EXPECT_EQ(RatingLookup(database, std::string(40, 'b'), "b.exe", true), 0);
    EXPECT_EQ(server.requests.size(), 0u) << "the rest of the list comes from the cache";
    server.milliseconds += kRatingServerRestMilliseconds;
    RatingLookup(database, std::string(40, 'b'), "b.exe", true);
    RatingLookup(database, kHash, "a.exe", true);
    EXPECT_EQ(server.requests.size(), 2u) << "a minute later the server is asked again, and stays asked";
}

TEST(RatingLookup, StaleEntryStaysWhenTheRefreshFails) {
    ScriptedServer server;
    RatingDatabase database = DatabaseFor(server);
    RatingEntry old;
    old.hash = kHash;
    old.rating = 2;
    old.description = "from last month";
    old.queried = static_cast<int32_t>(kStart - 20 * 86400);
    AppendRating(database.cache, old);
    AppendRating(database.cache, RatingEntry{std::string(40, 'a'), 1, 1, "", 0, 0});
    server.refuse = true;
    EXPECT_EQ(RatingLookupDescription(database, kHash, "a.exe", true), "from last month");
    EXPECT_EQ(server.requests.size(), 0u);
    EXPECT_EQ(database.cache.entries[0].lastUsed, kStart);
}

TEST(RatingLookup, NothingIsAskedWithoutAHashDatabaseOrNetwork) {
    ScriptedServer server;
    RatingDatabase database = DatabaseFor(server);
    server.answers = {Http("0"), Http("0"), Http("0")};
    EXPECT_EQ(RatingLookup(database, "0", "unreadable.exe", true), 0);
    EXPECT_EQ(RatingLookupText(database, "", "no hashing", true), "");
    EXPECT_EQ(RatingLookup(database, kHash, "off.exe", false), 0);
    EXPECT_EQ(QueryRating(database, "0", "x"), 0);
    database.network.started = false;
    EXPECT_EQ(QueryRating(database, kHash, "x"), 0);
    EXPECT_TRUE(server.requests.empty());
    EXPECT_TRUE(database.cache.entries.empty());
}

TEST(RatingLookup, CancelEmptiesEveryLookupUntilTheFlagIsCleared) {
    ScriptedServer server;
    RatingDatabase database = DatabaseFor(server);
    server.answers = {Http(kHash + BuildRatingProp(1, "cached"))};
    ASSERT_EQ(RatingLookup(database, kHash, "a.exe", true), 1);

    database.progress = [](const std::string&, bool) { return true; };
    EXPECT_EQ(QueryRating(database, std::string(40, 'b'), "b.exe"), 0);
    EXPECT_TRUE(database.cancelled);
    EXPECT_EQ(RatingLookup(database, kHash, "a.exe", true), 0);
    EXPECT_EQ(RatingLookupText(database, kHash, "a.exe", true), "");
    EXPECT_EQ(RatingLookupKnown(database, kHash, "a.exe", true), 0);
    EXPECT_EQ(RatingLookupDescription(database, kHash, "a.exe", true), "");
    EXPECT_EQ(QueryRating(database, kHash, "a.exe"), 0);
    EXPECT_EQ(server.requests.size(), 1u);

    database.cancelled = false;
    EXPECT_EQ(RatingLookupDescription(database, kHash, "a.exe", true), "cached");
}

TEST(RatingLookup, ProgressWindowOpensForQueriesInQuickSuccession) {
    ScriptedServer server;
    RatingDatabase database = DatabaseFor(server);
    std::vector<std::pair<std::string, bool>> calls;
    database.progress = [&calls](const std::string& caption, bool open) {
        calls.emplace_back(caption, open);
        return false;
    };
    server.answers = {Http("0"), Http("0"), Http("0")};
    QueryRating(database, std::string(40, '1'), "one.exe");
    QueryRating(database, std::string(40, '2'), "two.exe");
    server.milliseconds += kRatingProgressDelayMilliseconds;
    QueryRating(database, std::string(40, '3'), "three.exe");
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], std::make_pair(std::string("one.exe"), false));
    EXPECT_EQ(calls[1], std::make_pair(std::string("two.exe"), true));
    EXPECT_EQ(calls[2], std::make_pair(std::string("three.exe"), false));
}

TEST(RatingLookup, PostsReturnTheServersNumberOrTheNetworkCode) {
    ScriptedServer server;
    RatingDatabase database = DatabaseFor(server);
    const RatingNetwork& network = database.network;
    server.answers = {Http("1"), Http("3"), Http("1"), "HTTP/1.1 404 Not Found\r\n\r\n<html>"};
    EXPECT_EQ(InsertRating(network, kHash, "MXw~", "anna", "pw"), 1);
    EXPECT_EQ(UpdateRating(network, kHash, "MXw~", "anna", "pw"), 3);
    EXPECT_EQ(DeleteRating(network, kHash, "anna", "pw"), 1);
    EXPECT_EQ(DeleteRating(network, kHash, "anna", "pw"), 0);
    ASSERT_EQ(server.requests.size(), 4u);
    EXPECT_EQ(server.requests[1].rfind("POST /vtldb/update.php HTTP/1.0\r\n", 0), 0u);
    const std::string deleteBody = "\r\n\r\nhash=" + kHash + "&username=anna&password=pw";
    EXPECT_EQ(server.requests[2].substr(server.requests[2].size() - deleteBody.size()), deleteBody);

    server.refuse = true;
    EXPECT_EQ(InsertRating(network, kHash, "MXw~", "anna", "pw"), kRatingNoConnection);
    EXPECT_EQ(QueryServer(network, kHash), "-2");
    server.refuse = false;
    server.silent = true;
    const int64_t before = server.milliseconds;
    EXPECT_EQ(UpdateRating(network, kHash, "MXw~", "anna", "pw"), kRatingNoAnswer);
    EXPECT_GT(server.milliseconds - before, kRatingAnswerTimeoutMilliseconds);
    EXPECT_LE(server.milliseconds - before, kRatingAnswerTimeoutMilliseconds + 100);
    EXPECT_EQ(QueryServer(network, kHash), "-3");
    database.network.started = false;
    EXPECT_EQ(DeleteRating(database.network, kHash, "anna", "pw"), kRatingNoNetwork);
    EXPECT_EQ(QueryServer(database.network, kHash), "-1");
}

TEST(RatingLookup, WidenedTickCountRisesAcrossTheWrap) {
    TickWidening widening;
    EXPECT_EQ(WidenTickCount(100, widening), 100);
    EXPECT_EQ(WidenTickCount(0xFFFFFFF0u, widening), 0xFFFFFFF0LL);
    EXPECT_EQ(WidenTickCount(5, widening), 0x100000005LL);
    EXPECT_EQ(WidenTickCount(5, widening), 0x100000005LL);
    EXPECT_EQ(WidenTickCount(0xFFFFFFFFu, widening), 0x1FFFFFFFFLL);
    EXPECT_EQ(WidenTickCount(0, widening), 0x200000000LL);
}

TEST(RatingLookup, LocalEpochSecondsIsTheWallClockReadAsUtc) {
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    // A zone spelled out in POSIX form needs no zone database.
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    EXPECT_EQ(LocalEpochSeconds(1700000000), 1700000000 + 3600) << "winter";
    EXPECT_EQ(LocalEpochSeconds(1690000000), 1690000000 + 7200) << "summer";
    setenv("TZ", "UTC0", 1);
    tzset();
    EXPECT_EQ(LocalEpochSeconds(0), 0);
    EXPECT_EQ(LocalEpochSeconds(951782400), 951782400) << "29 February 2000";
    if (saved) {
        setenv("TZ", previous.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

TEST(RatingUpload, UpdateFirstThenInsertButNoInsertAfterAFailedExchange) {
    ScriptedServer server;
    RatingDatabase database = DatabaseFor(server);
    const RatingChoice choice{2, "Editor"};
    server.answers = {Http("0"), Http("1")};  // the update took nothing: the hash is new
    EXPECT_EQ(UploadRating(database.network, kHash, choice, "me", "pw"), 1);
    ASSERT_EQ(server.requests.size(), 2u);
    EXPECT_EQ(server.requests[0].rfind("POST /vtldb/update.php ", 0), 0u);
    EXPECT_NE(server.requests[1].find("\r\n\r\nhash=" + kHash + "&prop=" + BuildRatingProp(2, "Editor") +
                                      "&username=me&password=pw"),
              std::string::npos)
        << server.requests[1];

    server.answers = {Http("1")};
    EXPECT_EQ(UploadRating(database.network, kHash, choice, "me", "pw"), 1);
    EXPECT_EQ(server.requests.size(), 3u) << "a stored update needs no insert";
    server.answers = {Http("4"), Http("4")};
    EXPECT_EQ(UploadRating(database.network, kHash, choice, "me", "pw"), 4);
    server.refuse = true;
    EXPECT_EQ(UploadRating(database.network, kHash, choice, "me", "pw"), kRatingNoConnection);
    EXPECT_EQ(server.requests.size(), 5u) << "no insert after a failed connection";
    EXPECT_FALSE(AccountComplete("me", ""));
    EXPECT_FALSE(AccountComplete("", "pw"));
}

TEST(RatingUpload, CacheKeepsWhatWasUploadedOrDeleted) {
    RatingCache cache;
    const RatingTexts texts{"", "System", "Trustworthy"};
    StoreUploadedRating(cache, kHash, {2, "New\x01line"});
    ASSERT_EQ(cache.entries.size(), 1u);
    EXPECT_EQ(cache.entries[0].queried, 0) << "a new entry is confirmed by the next lookup";
    EXPECT_EQ(cache.entries[0].description, "New line");
    const FileRating shown = CachedFileRating(cache, texts, kHash);
    EXPECT_EQ(shown.text, "Trustworthy");
    EXPECT_TRUE(shown.known);

    cache.entries[0].queried = 500;
    AppendRating(cache, {std::string(40, 'a'), 0, 0, "", 1, 1});
    StoreUploadedRating(cache, kHash, {1, "Shell"});
    ASSERT_EQ(cache.entries.size(), 2u);
    EXPECT_EQ(cache.entries[0].queried, 500) << "an existing entry keeps its place and dates";
    EXPECT_EQ(cache.entries[0].known, 1);
    EXPECT_EQ(CachedFileRating(cache, texts, kHash).description, "Shell");

    StoreDeletedRating(cache, kHash, 900);
    ASSERT_EQ(cache.entries.size(), 2u);
    EXPECT_EQ(cache.entries[1].queried, 900) << "deleted online: unrated until the server says otherwise";
    EXPECT_FALSE(CachedFileRating(cache, texts, kHash).known);
}

}  // namespace
