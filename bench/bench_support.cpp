#include "bench/bench_support.h"

#include <stdio.h>
#include <unistd.h>

#include <cstdlib>

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

std::string FreshFolder(const std::string& parent, const std::string& stem) {
    const std::string folder = parent + "/" + stem + "-" + std::to_string(getpid());
    const std::string command = "rm -rf '" + folder + "' && mkdir -p '" + folder + "'";
    if (system(command.c_str()) != 0) {
        fprintf(stderr, "cannot make %s\n", folder.c_str());
        exit(1);
    }
    return folder;
}

void RemoveFolder(const std::string& folder) {
    const std::string command = "rm -rf '" + folder + "'";
    if (system(command.c_str()) != 0) {
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

}  // namespace bench
