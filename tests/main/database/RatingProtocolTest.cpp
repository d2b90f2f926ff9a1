#include "main/database/RatingProtocol.h"

#include <gtest/gtest.h>

namespace {

const std::string kHash = "da39a3ee5e6b4b0d3255bfef95601890afd80709";

DatabaseServer Server(const std::string& host, int port) {
    DatabaseServer server;
    server.host = host;
    server.port = port;
    return server;
}

TEST(RatingProtocol, PostRequestsAreByteForByte) {
    const DatabaseServer server = Server("db.example", 80);
    const std::string headers =
        " HTTP/1.0\r\nHost: db.example\r\nUser-Agent: vantreldbgnt\r\n"
        "Content-Type: application/x-www-form-urlencoded\r\n";
    const std::string body = "hash=" + kHash + "&prop=MXxhYg~~&username=anna&password=p+w=&x";
    EXPECT_EQ(
        BuildRatingPostRequest(RatingPost::Insert, server, kHash, "MXxhYg~~", "anna", "p+w=&x"),
        "POST /vtldb/insert.php" + headers + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
    EXPECT_EQ(
        BuildRatingPostRequest(RatingPost::Update, server, kHash, "MXxhYg~~", "anna", "p+w=&x"),
        "POST /vtldb/update.php" + headers + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
    const std::string deleteBody = "hash=" + kHash + "&username=anna&password=secret";
    EXPECT_EQ(BuildRatingPostRequest(RatingPost::Delete, server, kHash, "ignored", "anna", "secret"),
              "POST /vtldb/delete.php" + headers + "Content-Length: 75\r\n\r\n" + deleteBody);
    EXPECT_EQ(deleteBody.size(), 75u);
}

TEST(RatingProtocol, QueryRequestIsByteForByte) {
    EXPECT_EQ(BuildRatingQueryRequest(Server("db.example", 80), kHash),
              "GET /vtldb/query.php?hash=" + kHash +
                  " HTTP/1.0\r\nHost: db.example\r\nUser-Agent: vantreldbgnt\r\n"
                  "Content-Type: application/x-www-form-urlencoded\r\n\r\n");
}

TEST(RatingProtocol, HostHeaderNamesAPortOtherThan80) {
    const std::string request = BuildRatingQueryRequest(Server("127.0.0.1", 8080), kHash);
    EXPECT_NE(request.find("\r\nHost: 127.0.0.1:8080\r\n"), std::string::npos) << request;
}

TEST(RatingProtocol, PropIsRatingBarDescriptionInBase64) {
    EXPECT_EQ(BuildRatingProp(1, "ab"), "MXxhYg~~");
    EXPECT_EQ(BuildRatingProp(2, ""), "Mnw~");
}

TEST(RatingProtocol, BodyFollowsTheBlankLine) {
    EXPECT_EQ(AnswerBody("HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\n1"), "1");
    EXPECT_EQ(AnswerBody("HTTP/1.1 200 OK\r\n\r\nline\r\n\r\nmore"), "line\r\n\r\nmore");
    EXPECT_EQ(AnswerBody("HTTP/1.1 200 OK\r\n\r\n"), "");
    EXPECT_EQ(AnswerBody("HTTP/1.1 200 OK\r\n\r"), "");
    // Without a blank line the whole text but its first two characters.
    EXPECT_EQ(AnswerBody("xx0"), "0");
    EXPECT_EQ(AnswerBody("x"), "");
    EXPECT_EQ(AnswerBody(""), "");
}

TEST(RatingProtocol, AnAnswerIsCompleteWhenItsAnnouncedBodyIsIn) {
    EXPECT_TRUE(AnswerIsComplete("HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\n1"));
    EXPECT_FALSE(AnswerIsComplete("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n1"));
    EXPECT_FALSE(AnswerIsComplete("HTTP/1.1 200 OK\r\nContent-Length: 1\r\n")) << "headers not over yet";
    EXPECT_TRUE(AnswerIsComplete("HTTP/1.1 400 Bad\r\nServer: x\r\ncontent-length:0\r\n\r\n"));
    EXPECT_TRUE(AnswerIsComplete("HTTP/1.1 200 OK\r\nCONTENT-LENGTH: 3\r\nX: y\r\n\r\nabc"));
    // Without the header (or with nonsense in it) only the closed connection tells.
    EXPECT_FALSE(AnswerIsComplete("HTTP/1.1 200 OK\r\n\r\nabc"));
    EXPECT_FALSE(AnswerIsComplete("HTTP/1.1 200 OK\r\nContent-Length: x\r\n\r\nabc"));
    EXPECT_FALSE(AnswerIsComplete("HTTP/1.1 200 OK\r\nX-Content-Length: 0\r\n\r\n"));
    EXPECT_FALSE(AnswerIsComplete("HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\nabc"));
}

TEST(RatingProtocol, PostResultIsTheLeadingNumber) {
    EXPECT_EQ(PostResult("1"), 1);
    EXPECT_EQ(PostResult("4 wrong password"), 4);
    EXPECT_EQ(PostResult("<html>error</html>"), 0);
    EXPECT_EQ(PostResult(""), 0);
}

TEST(RatingProtocol, QueryAnswersOfTheThreeKinds) {
    const QueryAnswer unknown = ParseQueryAnswer(kHash, "0");
    EXPECT_EQ(unknown.kind, QueryAnswer::Kind::Unrated);

    const QueryAnswer rated = ParseQueryAnswer(kHash, kHash + BuildRatingProp(2, "Text editor|ignored|too"));
    EXPECT_EQ(rated.kind, QueryAnswer::Kind::Rated);
    EXPECT_EQ(rated.rating, 2);
    EXPECT_EQ(rated.description, "Text editor");

    const QueryAnswer bare = ParseQueryAnswer(kHash, kHash + "Nw~~");
    EXPECT_EQ(bare.kind, QueryAnswer::Kind::Rated) << "a prop without a bar is all rating";
    EXPECT_EQ(bare.rating, 7);
    EXPECT_EQ(bare.description, "");

    for (const std::string& answer :
         {std::string("-1"), std::string("-2"), std::string("-3"), std::string("00"), std::string("0\r\n"),
          std::string(""), std::string("<html>404</html>"), kHash.substr(0, 39), kHash, kHash + "!!!!",
          kHash + "MXxhYg", std::string(40, '0') + BuildRatingProp(1, "other hash")}) {
        EXPECT_EQ(ParseQueryAnswer(kHash, answer).kind, QueryAnswer::Kind::Ignored) << answer;
    }
}

}  // namespace
