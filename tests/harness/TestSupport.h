#pragma once
// What many tests need, native and under Wine: the English texts of the source tree, and message
// boxes that land in a list instead of on the screen.

#include <string>
#include <vector>

#include "foundation/MessageBoxSeam.h"

// Loads Language/<file> of the source tree (VANTREL_SOURCE) as the current language.
void UseSourceLanguage(const std::string& file = "English.ini");

struct ShownMessage {
    std::string title;
    std::string text;
    unsigned style;
};

// Installs the recorder and empties its list. Yes/No questions get `answer`, other boxes OK.
void RecordMessageBoxes(int answer = kAnswerNo);
void AnswerQuestionsWith(int answer);
std::vector<ShownMessage>& ShownMessages();
