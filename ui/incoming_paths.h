// Paths that come from outside (the command line, a drop, the open dialog) arrive as UTF-16 and
// are taken only when they have an exact cp932 form: an approximated name could name another file.
#pragma once

#include <string>
#include <vector>

struct AppContext;
class Refusals;

// The program's own command line without the program's name.
std::wstring CommandLineArguments();
// A path made absolute against the working folder.
std::wstring AbsolutePath(const std::wstring& path);
// The exact cp932 form of the path; false when there is none, and the path is refused with its
// reason.
bool TakePath(AppContext* context, const std::wstring& path, std::string* cp932,
              Refusals* refusals);
