// Exact conversion between the form names are held in and the encoding the platform's file and
// window functions take. A conversion that cannot be exact fails; nothing is approximated.
//
// Names are held as cp932 bytes. A character that cp932 cannot hold exactly ("〜" U+301C, "é",
// an emoji, even a lone surrogate that a Windows name may hold) is held as an escape of four
// bytes: 0xFF, then its code point in three groups of seven bits, each with the high bit set.
// 0xFF is never a byte of cp932 text, so a name that cp932 can hold is held byte for byte as
// before, and no byte of an escape is "\", "/", ".", a trail byte's partner or NUL.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

constexpr unsigned char kEscapeLead = 0xFF;
constexpr std::size_t kEscapeLength = 4;

inline bool HoldsEscapes(const std::string& held) {
    return held.find(static_cast<char>(kEscapeLead)) != std::string::npos;
}

inline void AppendEscape(std::string* held, char32_t c) {
    held->push_back(static_cast<char>(kEscapeLead));
    held->push_back(static_cast<char>(0x80 | ((c >> 14) & 0x7F)));
    held->push_back(static_cast<char>(0x80 | ((c >> 7) & 0x7F)));
    held->push_back(static_cast<char>(0x80 | (c & 0x7F)));
}

// The code point of the escape at i; false when there is none well formed.
inline bool ReadEscape(const std::string& held, std::size_t i, char32_t* c) {
    if (i + kEscapeLength > held.size() || static_cast<unsigned char>(held[i]) != kEscapeLead) {
        return false;
    }
    char32_t value = 0;
    for (std::size_t k = 1; k < kEscapeLength; ++k) {
        const auto byte = static_cast<unsigned char>(held[i + k]);
        if (byte < 0x80) {
            return false;
        }
        value = (value << 7) | (byte & 0x7F);
    }
    *c = value;
    return value <= 0x10FFFF;
}

#ifdef _WIN32
using NativeString = std::wstring;  // UTF-16
#else
using NativeString = std::string;  // UTF-8
#endif

// Held form to native and back. FromNative fails only on what is no text at all (malformed
// UTF-8 on POSIX); FromNativeCp932 also fails where an escape would be needed, for what must stay
// cp932 (varnel.ini and the paths stored in it).
bool ToNative(const std::string& held, NativeString* out);
bool FromNative(const NativeString& native, std::string* held);
bool FromNativeCp932(const NativeString& native, std::string* cp932);

// The name as the file system will list it: a few characters have two cp932 codes, and the file
// system keeps only one of them. A name without an exact form stays as it is.
inline std::string StoredForm(const std::string& name) {
    NativeString native;
    std::string stored;
    return ToNative(name, &native) && FromNative(native, &stored) ? stored : name;
}

// Text in a Unicode encoding (as an editor saved it, or the clipboard holds it) to the held form
// and back. Fails on malformed input: an invalid UTF-8 sequence, or in UTF-8 a surrogate.
bool Utf8ToHeld(const std::string& utf8, std::string* held);
bool HeldToUtf8(const std::string& held, std::string* utf8);
bool Utf16ToHeld(const std::u16string& utf16, std::string* held);
bool HeldToUtf16(const std::string& held, std::u16string* utf16);

}  // namespace platform
