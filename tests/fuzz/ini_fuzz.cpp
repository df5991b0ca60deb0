// Feeds arbitrary INI files to the native profile reader and writer. Besides crashes, it checks
// that a value written reads back and that writing one key changes no other key's value.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/profile.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

const std::string& IniPath() {
    static const std::string path = [] {
        char name[] = "/tmp/varnel-ini-fuzz-XXXXXX";
        const int fd = mkstemp(name);
        Check(fd >= 0);
        close(fd);
        return std::string(name);
    }();
    return path;
}

void ReadWriteRead(const uint8_t* data, size_t size, const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "wb");
    Check(f != nullptr);
    Check(std::fwrite(data, 1, size, f) == size);
    std::fclose(f);

    const char* sections[] = {"Basic", "basic", "x", ""};
    const char* keys[] = {"TopMost", "a", "IOFilePath", "Written2"};
    std::string before[4][4];
    for (int s = 0; s < 4; ++s) {
        for (int k = 0; k < 4; ++k) {
            before[s][k] = platform::ReadProfileString(sections[s], keys[k], "-", path);
            Check(before[s][k].size() <= 255);
        }
    }
    // A CR without LF ends a line only while no LF follows it anywhere, so a write that adds
    // the first LF re-cuts the lines before it: known, and left out here.
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at + 1)) {
        if (at + 1 == text.size() || text[at + 1] != '\n') {
            return;
        }
    }
    if (!platform::WriteProfileString("Basic", "Written", "value 1", path)) {
        return;
    }
    Check(platform::ReadProfileString("Basic", "Written", "-", path) == "value 1");
    for (int s = 0; s < 4; ++s) {
        for (int k = 0; k < 4; ++k) {
            Check(platform::ReadProfileString(sections[s], keys[k], "-", path) == before[s][k]);
        }
    }
}

}  // namespace

// The scratch file is removed after each input, so that none is left when the run ends.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReadWriteRead(data, size, IniPath());
    unlink(IniPath().c_str());
    return 0;
}
