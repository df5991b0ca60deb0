// Separators as the file system sees them in native text, and as every rule of the program finds
// them in held text (stepping over double-byte characters and escapes): for canonical text the
// two counts agree.
#pragma once

#include <cstddef>
#include <string>

#include "core/mbcs.h"
#include "platform/text.h"

inline std::size_t NativeSeparators(const platform::NativeString& native) {
    std::size_t n = 0;
    for (auto unit : native) {
        n += unit == '\\' || unit == '/' ? 1 : 0;
    }
    return n;
}

inline std::size_t HeldSeparators(const std::string& held) {
    std::size_t n = 0;
    for (char separator : {'\\', '/'}) {
        for (std::size_t at = mbcs::FindFirst(held, separator); at != std::string::npos;
             at = mbcs::FindFirst(held, separator, at + 1)) {
            ++n;
        }
    }
    return n;
}
