#include <errno.h>
#include <iconv.h>

#include "platform/text.h"
#include "platform/utf8.h"

namespace {

// ASCII is the same in cp932, UTF-8 and the paths of every file system here; most paths are
// ASCII, and opening a converter costs more than the rename it serves.
bool IsAscii(const std::string& s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool Convert(const char* to, const char* from, const std::string& in, std::string* out) {
    out->clear();
    if (in.empty()) {
        return true;
    }
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    std::string result(in.size() * 4 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = &result[0];
    size_t outLeft = result.size();
    // iconv stops (EILSEQ/EINVAL) at bytes it cannot map instead of approximating them.
    size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    bool ok = done != static_cast<size_t>(-1) && inLeft == 0 &&
              iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (!ok) {
        return false;
    }
    result.resize(result.size() - outLeft);
    *out = std::move(result);
    return true;
}

bool ConvertText(const char* to, const char* from, const std::string& in, std::string* out) {
    if (IsAscii(in)) {
        *out = in;
        return true;
    }
    return Convert(to, from, in, out);
}

// The length of the UTF-8 sequence that starts with this byte; 0 for a byte that starts none.
std::size_t Utf8Length(unsigned char lead) {
    return lead < 0x80                    ? 1
           : lead >= 0xC2 && lead <= 0xDF ? 2
           : lead >= 0xE0 && lead <= 0xEF ? 3
           : lead >= 0xF0 && lead <= 0xF4 ? 4
                                          : 0;
}

char32_t Utf8CodePoint(const std::string& s, std::size_t i, std::size_t length) {
    static const unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t c = static_cast<unsigned char>(s[i]) & kLeadBits[length];
    for (std::size_t k = 1; k < length; ++k) {
        c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    return c;
}

}  // namespace

namespace platform {

bool ToNative(const std::string& held, NativeString* out) {
    if (!HoldsEscapes(held)) {
        return ConvertText("UTF-8", "CP932", held, out);
    }
    std::string utf8;
    std::string run;
    std::size_t start = 0;
    while (start < held.size()) {
        std::size_t escape = held.find(static_cast<char>(kEscapeLead), start);
        if (escape == std::string::npos) {
            escape = held.size();
        }
        char32_t c = 0;
        if (!ConvertText("UTF-8", "CP932", held.substr(start, escape - start), &run) ||
            (escape < held.size() &&
             (!ReadEscape(held, escape, &c) || (c >= 0xD800 && c <= 0xDFFF)))) {
            return false;
        }
        utf8 += run;
        if (escape < held.size()) {
            AppendUtf8(&utf8, c);
            escape += kEscapeLength;
        }
        start = escape;
    }
    out->swap(utf8);
    return true;
}

bool FromNativeCp932(const NativeString& native, std::string* cp932) {
    return ConvertText("CP932", "UTF-8", native, cp932);
}

// Character by character only when the whole has no cp932 form: each character that cp932 holds
// exactly (there and back) stays cp932, every other one is escaped.
bool FromNative(const NativeString& native, std::string* held) {
    // iconv takes some characters to a look-alike ("〜" U+301C to the code of "～" U+FF5E): only a
    // conversion that comes back the same is exact.
    std::string back;
    if (ConvertText("CP932", "UTF-8", native, held) &&
        (IsAscii(native) || (ConvertText("UTF-8", "CP932", *held, &back) && back == native))) {
        return true;
    }
    std::string out;
    std::string piece;
    for (std::size_t i = 0; i < native.size();) {
        const std::size_t length = Utf8Length(static_cast<unsigned char>(native[i]));
        std::string one = length == 0 ? std::string() : native.substr(i, length);
        if (length == 0 || one.size() != length || !ConvertText("UTF-16LE", "UTF-8", one, &back)) {
            return false;  // not UTF-8
        }
        if (ConvertText("CP932", "UTF-8", one, &piece) &&
            ConvertText("UTF-8", "CP932", piece, &back) && back == one) {
            out += piece;
        } else {
            AppendEscape(&out, Utf8CodePoint(native, i, length));
        }
        i += length;
    }
    held->swap(out);
    return true;
}

bool Utf8ToHeld(const std::string& utf8, std::string* held) {
    return FromNative(utf8, held);
}

bool HeldToUtf8(const std::string& held, std::string* utf8) {
    return ToNative(held, utf8);
}

bool Utf16ToHeld(const std::u16string& utf16, std::string* held) {
    // iconv takes bytes: the code units in a fixed order, so that no byte-order mark is needed.
    std::string bytes;
    bytes.reserve(utf16.size() * 2);
    for (char16_t unit : utf16) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    std::string utf8;
    return Convert("UTF-8", "UTF-16LE", bytes, &utf8) && FromNative(utf8, held);
}

bool HeldToUtf16(const std::string& held, std::u16string* utf16) {
    std::string utf8;
    std::string bytes;
    if (!ToNative(held, &utf8) || !Convert("UTF-16LE", "UTF-8", utf8, &bytes)) {
        return false;
    }
    utf16->clear();
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        utf16->push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                               (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return true;
}

}  // namespace platform
