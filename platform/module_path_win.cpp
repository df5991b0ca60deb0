#include <windows.h>

#include <vector>

#include "platform/module_path.h"
#include "platform/text.h"

namespace platform {

// The path may be longer than MAX_PATH; grow the buffer until it fits.
std::string ExecutablePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            return "";
        }
        if (n < buffer.size()) {
            std::string cp932;
            return FromNativeCp932(std::wstring(buffer.data(), n), &cp932) ? cp932 : "";
        }
        if (buffer.size() >= 32768) {
            return "";
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace platform
