#pragma once

#include <cstdio>
#include <string>

// The two steps of writing a file safely that differ between the systems.

// Pushes the written data of the open file to the disk.
bool FlushFileToDisk(std::FILE* file);

// Renames from over to, replacing an existing file in one step.
bool ReplaceFileWith(const std::string& from, const std::string& to);
