#pragma once

#include <string>

// FileHash with the SHA-1 functions of advapi32 from the library table (slot 7), looked up at each
// use: empty text when the slot is empty or a function is missing, "0" for an unreadable file.
std::string FileHash(const std::string& path);

struct FileStamp;

// The path, size and last-write time of a file the system names; false when it cannot be read.
bool ReadFileStamp(const std::string& path, FileStamp& stamp);

// FileHash, remembered for the run of the program: a file that keeps its path, size and last-write
// time is read once. Files without a stamp (missing ones) are hashed, not remembered.
std::string CachedFileHash(const std::string& path);
