#pragma once

#include <cstdint>
#include <string>

// The four HTTP/1.0 requests of the online rating database and the reading of their answers.

// Settings of the group "Database" that name the server.
extern const char* const kDatabaseServerHostKey;  // "DatabaseServerHost"
extern const char* const kDatabaseServerPortKey;  // "DatabaseServerPort"

struct DatabaseServer {
    std::string host = "localhost";
    int port = 80;
};

enum class RatingPost { Insert, Update, Delete };

// The values go in as they are, without URL encoding; the server splits the body itself.
std::string BuildRatingPostRequest(RatingPost post,
                                   const DatabaseServer& server,
                                   const std::string& hash,
                                   const std::string& prop,
                                   const std::string& user,
                                   const std::string& password);
std::string BuildRatingQueryRequest(const DatabaseServer& server, const std::string& hash);

// The prop of a rating: rating in decimal, "|", description, Base64 with "~" for "=".
std::string BuildRatingProp(int32_t rating, const std::string& description);

// Everything after the first LF CR LF of the received bytes; without one, all but the first two bytes.
std::string AnswerBody(const std::string& received);

// Whether the received bytes hold the whole answer that their Content-Length announces. Without
// that header only the server's closing of the connection ends the answer.
bool AnswerIsComplete(const std::string& received);

// The leading decimal number of a post's answer body, 0 when there is none.
int32_t PostResult(const std::string& body);

struct QueryAnswer {
    enum class Kind { Unrated, Rated, Ignored };
    Kind kind = Kind::Ignored;
    int32_t rating = 0;
    std::string description;
};

// "0" means the server does not know the hash; the hash followed by a prop carries its rating. An
// answer of any other form, or a prop that does not decode to text, is ignored.
QueryAnswer ParseQueryAnswer(const std::string& hash, const std::string& answer);
