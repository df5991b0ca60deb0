#include "core/mbcs.h"

namespace mbcs {

std::size_t FindFirst(const std::string& s, char c, std::size_t from) {
    for (std::size_t i = from; i < s.size(); i += CharLength(s, i)) {
        if (s[i] == c) {
            return i;
        }
    }
    return std::string::npos;
}

std::size_t FindLast(const std::string& s, char c) {
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) {
        if (s[i] == c) {
            found = i;
        }
    }
    return found;
}

std::string ReplaceAll(const std::string& s, char from, char to) {
    std::string out = s;
    for (std::size_t i = 0; i < out.size(); i += CharLength(out, i)) {
        if (out[i] == from) {
            out[i] = to;
        }
    }
    return out;
}

std::string CutToBytes(const std::string& s, std::size_t most) {
    std::size_t end = 0;
    while (end < s.size() && end + CharLength(s, end) <= most) {
        end += CharLength(s, end);
    }
    return s.substr(0, end);
}

std::string FoldAsciiCase(const std::string& s) {
    std::string out = s;
    for (std::size_t i = 0; i < out.size(); i += CharLength(out, i)) {
        if (out[i] >= 'A' && out[i] <= 'Z') {
            out[i] = static_cast<char>(out[i] - 'A' + 'a');
        }
    }
    return out;
}

}  // namespace mbcs
