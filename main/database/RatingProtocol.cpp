#include "main/database/RatingProtocol.h"

#include <cctype>

#include "main/database/Base64.h"
#include "main/database/RatingCache.h"

const char* const kDatabaseServerHostKey = "DatabaseServerHost";
const char* const kDatabaseServerPortKey = "DatabaseServerPort";

namespace {

const char* const kRequestHeaders =
    "User-Agent: vantreldbgnt\r\n"
    "Content-Type: application/x-www-form-urlencoded\r\n";

const char* PostPath(RatingPost post) {
    switch (post) {
        case RatingPost::Insert:
            return "/vtldb/insert.php";
        case RatingPost::Update:
            return "/vtldb/update.php";
        case RatingPost::Delete:
            return "/vtldb/delete.php";
    }
    return "";
}

// HTTP wants the port in the Host header when it is not the default one.
std::string HostHeader(const DatabaseServer& server) {
    std::string header = "Host: " + server.host;
    if (server.port != 80) {
        header += ":" + std::to_string(server.port);
    }
    return header + "\r\n";
}

}  // namespace

std::string BuildRatingPostRequest(RatingPost post,
                                   const DatabaseServer& server,
                                   const std::string& hash,
                                   const std::string& prop,
                                   const std::string& user,
                                   const std::string& password) {
    std::string body = "hash=" + hash;
    if (post != RatingPost::Delete) {
        body += "&prop=" + prop;
    }
    body += "&username=" + user + "&password=" + password;
    return std::string("POST ") + PostPath(post) + " HTTP/1.0\r\n" + HostHeader(server) + kRequestHeaders +
           "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string BuildRatingQueryRequest(const DatabaseServer& server, const std::string& hash) {
    return "GET /vtldb/query.php?hash=" + hash + " HTTP/1.0\r\n" + HostHeader(server) + kRequestHeaders + "\r\n";
}

std::string BuildRatingProp(int32_t rating, const std::string& description) {
    return EncodeRatingProp(std::to_string(rating) + "|" + description);
}

std::string AnswerBody(const std::string& received) {
    const size_t blankLine = received.find("\n\r");
    if (blankLine == std::string::npos) {
        return received.size() > 2 ? received.substr(2) : std::string();
    }
    return blankLine + 3 < received.size() ? received.substr(blankLine + 3) : std::string();
}

bool AnswerIsComplete(const std::string& received) {
    const size_t headersEnd = received.find("\r\n\r\n");
    if (headersEnd == std::string::npos) {
        return false;
    }
    std::string headers = received.substr(0, headersEnd + 2);
    for (char& c : headers) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const std::string name = "\r\ncontent-length:";
    const size_t at = headers.find(name);
    if (at == std::string::npos) {
        return false;
    }
    size_t digit = at + name.size();
    while (digit < headers.size() && headers[digit] == ' ') {
        ++digit;
    }
    size_t length = 0;
    bool any = false;
    for (; digit < headers.size() && std::isdigit(static_cast<unsigned char>(headers[digit])) && length < 1000000;
         ++digit) {
        length = length * 10 + static_cast<size_t>(headers[digit] - '0');
        any = true;
    }
    return any && received.size() - (headersEnd + 4) >= length;
}

int32_t PostResult(const std::string& body) {
    return LeadingDecimal(body);
}

QueryAnswer ParseQueryAnswer(const std::string& hash, const std::string& answer) {
    QueryAnswer result;
    if (answer == "0") {
        result.kind = QueryAnswer::Kind::Unrated;
        return result;
    }
    if (hash.empty() || answer.size() < kRatingHashLength || answer.compare(0, kRatingHashLength, hash) != 0) {
        return result;
    }
    std::string text;
    if (!DecodeRatingProp(answer.substr(kRatingHashLength), text) || text.empty()) {
        return result;
    }
    const size_t bar = text.find('|');
    result.kind = QueryAnswer::Kind::Rated;
    result.rating = LeadingDecimal(text.substr(0, bar));
    if (bar != std::string::npos) {
        const size_t next = text.find('|', bar + 1);
        result.description = text.substr(bar + 1, next == std::string::npos ? std::string::npos : next - bar - 1);
    }
    return result;
}
