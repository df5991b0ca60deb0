// The rules of the held form that hold on every platform; the conversions themselves are the
// platform's (text_win.cpp, text_posix.cpp).
#include "platform/text.h"

namespace platform {

bool IsCp932Structure(const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size;) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) {
            ++i;
            continue;
        }
        if (!IsCp932LeadByte(c) || i + 1 >= size) {
            return false;
        }
        const auto trail = static_cast<unsigned char>(bytes[i + 1]);
        if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
            return false;
        }
        i += 2;
    }
    return true;
}

// One way there and back decides it, on either platform: what the conversions make is canonical
// by construction, so any other spelling of the same native text differs from it.
bool IsCanonical(const std::string& held) {
    NativeString native;
    std::string back;
    return ToNative(held, &native) && FromNative(native, &back) && back == held;
}

bool IsCanonicalCp932(const std::string& cp932) {
    return !HoldsEscapes(cp932) && IsCanonical(cp932);
}

std::string ShownForm(const std::string& held) {
    if (IsCanonical(held)) {
        return held;
    }
    std::string shown;
    NativeString native;
    for (std::size_t i = 0; i < held.size();) {
        const auto c = static_cast<unsigned char>(held[i]);
        std::size_t length = 1;
        if (c == kEscapeLead) {
            length = kEscapeLength;
        } else if (IsCp932LeadByte(c)) {
            length = 2;
        }
        const std::string piece = held.substr(i, length);
        char32_t point = 0;
        // Half of a character is nothing to show, and two such halves would pair.
        const bool half = ReadEscape(held, i, &point) && point >= 0xD800 && point <= 0xDFFF;
        if (half) {
            shown += '?';
            i += length;
        } else if (piece.size() == length && ToNative(piece, &native)) {
            shown += piece;
            i += length;
        } else {
            shown += '?';
            ++i;
        }
    }
    return shown;
}

}  // namespace platform
