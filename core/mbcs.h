// Searching cp932 text. A lead byte (0x81-0x9F, 0xE0-0xFC) takes the next byte with it, so the
// trail byte of a double-byte character (which may be 0x5C or 0x7C) is never taken for "\" or "|".
#pragma once

#include <cstddef>
#include <string>

namespace mbcs {

inline bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character at position i (1 or 2; 1 for a lead byte at the very end).
inline std::size_t CharLength(const std::string& s, std::size_t i) {
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
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

// Byte comparison with only the ASCII letters A-Z folded to lower case. Trail bytes are compared
// as they are, so two different double-byte characters never compare equal.
bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b);
// The text with the ASCII letters A-Z folded to lower case, trail bytes as they are: a file
// system that folds letter case takes "A.tmp" and "a.tmp" for one name.
std::string FoldAsciiCase(const std::string& s);

}  // namespace mbcs
