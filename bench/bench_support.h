// What the native benchmarks share: a window that goes nowhere, message boxes that are counted
// (a message spoils a run), a clock, and a fresh folder for the files.
#pragma once

#include <chrono>
#include <string>

namespace bench {

// How many message boxes the run has shown.
unsigned Messages();

template <typename F>
double Time(F f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A folder as given on the command line, as a full path in this build's programs' form: under
// Wine a POSIX path is on drive Z:.
std::string LocalFolder(const std::string& given);

// A new, empty folder under the parent, named for this process and the benchmark; exits when it
// cannot be made.
std::string FreshFolder(const std::string& parent, const std::string& stem);
void RemoveFolder(const std::string& folder);

// The program's form of a POSIX path: backslashes.
std::string ProgramForm(const std::string& posix);

// An empty file at the path; exits when it cannot be made.
void MakeEmptyFile(const std::string& path);

}  // namespace bench
