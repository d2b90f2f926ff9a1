#pragma once

#include <string>

// Every message box of both programs goes through this one function pointer, so that tests can
// answer them. Each program's start-up installs the real one; without it nothing is shown and the
// answer is 0.

using MessageBoxFunction = int (*)(const std::string& title, const std::string& text, unsigned style);

// Returns the function installed before.
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);
int ShowMessageBox(const std::string& title, const std::string& text, unsigned style);

// Styles and answers as the Win32 message box knows them.
constexpr unsigned kMessageBoxQuestion = 0x34;  // Yes and No, warning icon
constexpr unsigned kMessageBoxWarning = 0x30;
constexpr unsigned kMessageBoxError = 0x10;
constexpr unsigned kMessageBoxInformation = 0x40;
constexpr unsigned kMessageBoxYesNo = 0x04;
constexpr int kAnswerOk = 1;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;
