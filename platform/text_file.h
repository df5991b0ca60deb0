// Whole files as bytes, for the name text. Paths are cp932 in slash form ("D:/a/tmp.txt"); each
// platform converts them exactly to its own encoding and refuses what does not convert.
#pragma once

#include <string>

namespace platform {

// Creates the file or cuts it to length 0, then writes the bytes as they are. False when the
// file cannot be opened for writing or not every byte reached it.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// Every byte of the file. False when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string* bytes);

}  // namespace platform
