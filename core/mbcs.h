// Searching names in their held form (platform/text.h): cp932, where a lead byte (0x81-0x9F,
// 0xE0-0xFC) takes the next byte with it, so that the trail byte of a double-byte character (which
// may be 0x5C or 0x7C) is never taken for "\" or "|"; and the escapes of characters cp932 cannot
// hold, four bytes from 0xFF on, whose last byte must not take the next character with it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace mbcs {

inline bool IsLeadByte(unsigned char c) {
    return platform::IsCp932LeadByte(c);
}

// Length in bytes of the character at position i (1, 2 or 4; never beyond the end).
inline std::size_t CharLength(const std::string& s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == platform::kEscapeLead) {
        return s.size() - i < platform::kEscapeLength ? s.size() - i : platform::kEscapeLength;
    }
    return IsLeadByte(c) && i + 1 < s.size() ? 2 : 1;
}

// How many UTF-16 units the character at i takes where Windows counts a name's length: 2 for a
// character beyond the Basic Multilingual Plane (held as an escape), else 1.
inline std::size_t Utf16Units(const std::string& s, std::size_t i) {
    char32_t c = 0;
    return platform::ReadEscape(s, i, &c) && c >= 0x10000 ? 2 : 1;
}

// Position of the first or last single-byte character c, or npos.
std::size_t FindFirst(const std::string& s, char c, std::size_t from = 0);
std::size_t FindLast(const std::string& s, char c);

// Every single-byte character `from` replaced by `to`.
std::string ReplaceAll(const std::string& s, char from, char to);

// The path with every backslash separator turned into "/".
inline std::string ToSlashForm(const std::string& path) {
    return ReplaceAll(path, '\\', '/');
}

// The text cut to at most `most` bytes, never inside a character.
std::string CutToBytes(const std::string& s, std::size_t most);

// The bytes begin with the prefix. Both begin at a character, so a match ends at one.
inline bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// The text with the ASCII letters A-Z folded to lower case, trail bytes as they are (so two
// different double-byte characters never fold to one): a file system that folds letter case
// takes "A.tmp" and "a.tmp" for one name.
std::string FoldAsciiCase(const std::string& s);

}  // namespace mbcs
