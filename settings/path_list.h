// Paths in one string, as a command line or a hand-over from a second copy brings them: separated
// by single blanks, a path with blanks in double quotes.
#pragma once

#include <string>
#include <vector>

// The paths in order. Quotes group only at the start of a path; a quote inside an unquoted path
// is an ordinary character; a quoted path that is never closed is dropped. Runs of blanks make
// no empty paths. Paths are not cut at any length.
std::vector<std::string> SplitPathList(const std::string& text);
std::vector<std::wstring> SplitPathList(const std::wstring& text);
