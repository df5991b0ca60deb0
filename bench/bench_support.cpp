#include "bench/bench_support.h"

#include <stdio.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include "core/window_port.h"
#include "platform/message_box.h"

namespace window_port {
WindowHandle Owner() {
    return nullptr;
}
void AddRow(unsigned) {}
void WriteRow(unsigned) {}
bool IsRowSelected(unsigned) {
    return false;
}
void SelectRow(unsigned, bool) {}
void ShowListState(bool, bool) {}
void ShowProgress(Work, unsigned, unsigned) {}
}  // namespace window_port

namespace {
unsigned messages = 0;
}  // namespace

int ShowMessageBox(WindowHandle, const std::string& text, const std::string&, unsigned) {
    ++messages;
    fprintf(stderr, "message: %s\n", text.c_str());
    return kIdOk;
}

namespace bench {

unsigned Messages() {
    return messages;
}

std::string LocalFolder(const std::string& given) {
#ifdef _WIN32
    if (!given.empty() && given[0] == '/') {
        return "Z:" + given;
    }
#endif
    // The list takes full paths only.
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(given, error);
    return error ? given : full.generic_string();
}

// std::filesystem rather than a shell: the Windows build runs under Wine, without rm.
std::string FreshFolder(const std::string& parent, const std::string& stem) {
    const std::string folder = parent + "/" + stem + "-" + std::to_string(getpid());
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    if (!std::filesystem::create_directories(folder, error)) {
        fprintf(stderr, "cannot make %s\n", folder.c_str());
        exit(1);
    }
    return folder;
}

void RemoveFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    if (error) {
        fprintf(stderr, "cannot remove %s\n", folder.c_str());
    }
}

std::string ProgramForm(const std::string& posix) {
    std::string out = posix;
    for (char& c : out) {
        if (c == '/') {
            c = '\\';
        }
    }
    return out;
}

void MakeEmptyFile(const std::string& path) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) {
        fprintf(stderr, "cannot make %s\n", path.c_str());
        exit(1);
    }
    fclose(f);
}

}  // namespace bench
