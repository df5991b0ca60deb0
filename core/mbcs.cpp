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

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size();) {
        std::size_t len = CharLength(a, i);
        if (len != CharLength(b, i)) {
            return false;
        }
        if (len == 2) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
        } else {
            unsigned char x = static_cast<unsigned char>(a[i]);
            unsigned char y = static_cast<unsigned char>(b[i]);
            if (x >= 'A' && x <= 'Z')
                x = static_cast<unsigned char>(x - 'A' + 'a');
            if (y >= 'A' && y <= 'Z')
                y = static_cast<unsigned char>(y - 'A' + 'a');
            if (x != y) {
                return false;
            }
        }
        i += len;
    }
    return true;
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
