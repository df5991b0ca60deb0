#include <unistd.h>

#include <vector>

#include "core/mbcs.h"
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
            std::string cp932;
            if (!FromNative(std::string(buffer.data(), static_cast<size_t>(n)), &cp932)) {
                return "";
            }
            return mbcs::ReplaceAll(cp932, '/', '\\');
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace platform
