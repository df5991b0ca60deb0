#include <unistd.h>

#include <vector>

#include "platform/module_path.h"
#include "platform/text.h"

namespace platform {

std::string ExecutablePath() {
    std::vector<char> buffer(256);
    for (;;) {
        ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return "";
        }
        if (static_cast<size_t>(n) < buffer.size()) {
            // Separators are turned while the path is UTF-8, where a "/" byte is always one.
            std::string native(buffer.data(), static_cast<size_t>(n));
            for (char& c : native) {
                if (c == '/') {
                    c = '\\';
                }
            }
            std::string cp932;
            return FromNativeCp932(native, &cp932) ? cp932 : "";
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace platform
