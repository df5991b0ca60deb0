#include "settings/path_list.h"

namespace {

// Works on code units: blank and quote are single bytes in cp932 and single units in UTF-16, and
// no cp932 trail byte has their values.
template <typename String>
std::vector<String> Split(const String& text) {
    using Char = typename String::value_type;
    const Char blank = static_cast<Char>(' ');
    const Char quote = static_cast<Char>('"');
    std::vector<String> paths;
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        if (text[i] == blank) {
            ++i;
            // A second blank would start an empty path: there is nothing to hand over for it.
            continue;
        }
        bool quoted = text[i] == quote;
        if (quoted) {
            ++i;
        }
        String token;
        bool closed = !quoted;
        while (i < n) {
            Char c = text[i];
            if (quoted ? c == quote : c == blank) {
                closed = true;
                ++i;
                break;
            }
            token += c;
            ++i;
        }
        if (closed && !token.empty()) {
            paths.push_back(token);
        }
    }
    return paths;
}

}  // namespace

std::vector<std::string> SplitPathList(const std::string& text) {
    return Split(text);
}

std::vector<std::wstring> SplitPathList(const std::wstring& text) {
    return Split(text);
}
