#include "tests/harness/TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "foundation/Language.h"

namespace {

std::vector<ShownMessage> g_shown;
int g_answer = kAnswerNo;

int Record(const std::string& title, const std::string& text, unsigned style) {
    g_shown.push_back({title, text, style});
    return (style & kMessageBoxYesNo) != 0 ? g_answer : kAnswerOk;
}

}  // namespace

void UseSourceLanguage(const std::string& file) {
    const char* source = std::getenv("VANTREL_SOURCE");
    std::ifstream in(std::string(source != nullptr ? source : ".") + "/Language/" + file, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    SetCurrentLanguage(ParseLanguageCatalogue(bytes));
}

void RecordMessageBoxes(int answer) {
    g_shown.clear();
    g_answer = answer;
    SetMessageBoxFunction(Record);
}

void AnswerQuestionsWith(int answer) {
    g_answer = answer;
}

std::vector<ShownMessage>& ShownMessages() {
    return g_shown;
}
