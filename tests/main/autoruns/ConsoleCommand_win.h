#pragma once

#include <string>
#include <vector>

// Runs one of Wine's console programs (reg.exe, sc.exe) as the outside reference of a test and
// captures what it prints.

struct ConsoleResult {
    long exitCode = -1;  // -1 when the program could not be started or did not end in time
    std::string output;  // standard output and standard error together
};

ConsoleResult RunConsoleCommand(const std::string& commandLine, unsigned long timeoutMilliseconds = 60000);

// The output split into lines, carriage returns removed.
std::vector<std::string> OutputLines(const std::string& output);

// The fields of a line separated by runs of blanks, as reg.exe and sc.exe line up their columns
// (reg.exe separates by four blanks; a single blank inside a field is kept).
std::vector<std::string> ColumnsOf(const std::string& line);

// True for a name the tests made as prefix + process id when that process no longer runs: what a
// test run that was killed left behind in the shared prefix.
bool IsLeftOverTestName(const std::string& name, const std::string& prefix);
