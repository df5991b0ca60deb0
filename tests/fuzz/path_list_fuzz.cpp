// Feeds arbitrary text to the path-list splitter. Besides crashes, it checks what every caller
// relies on: no empty paths, nothing invented, and the UTF-16 form splitting the same way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/path_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> paths = SplitPathList(text);
    size_t total = 0;
    for (const std::string& path : paths) {
        if (path.empty()) {
            std::abort();
        }
        total += path.size();
    }
    if (total > text.size()) {
        std::abort();
    }
    const std::wstring wide(text.begin(), text.end());
    const std::vector<std::wstring> widePaths = SplitPathList(wide);
    if (widePaths.size() != paths.size()) {
        std::abort();
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        if (std::wstring(paths[i].begin(), paths[i].end()) != widePaths[i]) {
            std::abort();
        }
    }
    return 0;
}
