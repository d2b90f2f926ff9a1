#pragma once

#include <string>

// Stops and deletes the services a killed earlier test run left registered: names made of the
// prefix and the id of a process that no longer runs.
void RemoveLeftOverTestServices(const std::string& prefix);

// The folder of the running test program, with a trailing backslash.
std::string TestProgramFolder();

// The state number sc.exe reports ("STATE : 4  RUNNING"); 0 when it names none.
unsigned long ScQueryState(const std::string& name);
