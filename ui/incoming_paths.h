// Paths that come from outside (the command line, a drop, the open dialog) arrive as UTF-16 and
// are taken exactly in the held form: never approximated, which could name another file.
#pragma once

#include <string>
#include <vector>

// The program's own command line without the program's name.
std::wstring CommandLineArguments();
// A path made absolute against the working folder.
std::wstring AbsolutePath(const std::wstring& path);
// The path in the held form; false for an empty path.
bool TakePath(const std::wstring& path, std::string* held);
