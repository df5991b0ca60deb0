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

// The held form is canonical when it is exactly what FromNative makes of some native text:
// every byte outside escapes is cp932 text (no lone lead byte, no unassigned pair, none of the
// single bytes 0x80, 0xA0 and 0xFD-0xFF that Windows maps to private characters) that converts to
// characters and back to the same bytes, and every 0xFF begins a whole escape of a code point from
// U+0080 on that cp932 cannot hold exactly (never "\", "/", ":", NUL, a control character or a
// character cp932 holds). Canonical text has the separators of its native form, and no two
// canonical texts name one file. Everything from outside (the file system, the window, the
// clipboard, the IO file, a journal, the history, a hand-over, varnel.ini) is made canonical by
// the conversions below or checked with IsCanonical before anything uses it.
bool IsCanonical(const std::string& held);
// Canonical and without escapes: what varnel.ini and the paths stored in it may hold.
bool IsCanonicalCp932(const std::string& cp932);
// The structure of cp932 text alone: single bytes 0x00-0x7F and 0xA1-0xDF, and pairs of a lead
// byte (0x81-0x9F, 0xE0-0xFC) and a trail byte (0x40-0x7E, 0x80-0xFC). Whether a pair is assigned
// is for the conversion to say.
bool IsCp932Structure(const char* bytes, std::size_t size);
inline bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
// A held text made safe to show, whatever it holds: each byte that does not read as canonical
// text shows as "?", which no name may hold. Canonical text is returned as it is.
std::string ShownForm(const std::string& held);

// Held form to native and back. ToNative fails on any text that is not well formed (see above);
// FromNative fails only on what is no text at all (malformed UTF-8 on POSIX) and always gives
// canonical text; FromNativeCp932 also fails where an escape would be needed, for what must stay
// cp932 (varnel.ini and the paths stored in it).
bool ToNative(const std::string& held, NativeString* out);
bool FromNative(const NativeString& native, std::string* held);
bool FromNativeCp932(const NativeString& native, std::string* cp932);
// Bytes that claim to be cp932 (a cp932 IO file, CF_TEXT, an older copy's hand-over) to the
// canonical held form: fails on anything that is not cp932 text. A character with two cp932
// codes comes out in the code the file system keeps.
bool Cp932ToHeld(const std::string& cp932, std::string* held);

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
