// Whole files as bytes, for the name text. Paths are cp932 in slash form ("D:/a/tmp.txt"); each
// platform converts them exactly to its own encoding and refuses what does not convert.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Why a file could not be written, as far as the system tells.
enum class WriteFailure {
    None,
    FolderMissing,  // the folder (or drive) of the path does not exist
    AccessDenied,   // no rights, read-only, or a folder of that name
    InUse,          // another program holds the file
    DiskFull,
    BadName,  // no file can have this path
    Other,
};

// Creates the file or cuts it to length 0, then writes the bytes as they are. False when the
// file cannot be opened for writing or not every byte reached it; *why then says why.
bool WriteWholeFile(const std::string& path, const std::string& bytes, WriteFailure* why = nullptr);

// Writes the bytes beside the file (its name and ".new"), forces them to the disk and then puts
// them in the file's place in one step: a crash or a full disk leaves the old file whole. False
// when that could not be done; the old file is as it was then.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);

// Every byte of the file, in room made once for its size and `room` bytes more (a file of many
// megabytes read piece by piece would otherwise take twice its size). False when it cannot be
// opened or read.
bool ReadWholeFile(const std::string& path, std::string* bytes, std::size_t room = 0);

}  // namespace platform
