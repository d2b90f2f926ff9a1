#pragma once

#include <string>

// FileHash with the SHA-1 functions of advapi32 from the library table (slot 7), looked up at each
// use: empty text when the slot is empty or a function is missing, "0" for an unreadable file.
std::string FileHash(const std::string& path);
