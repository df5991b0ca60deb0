#include <errno.h>
#include <iconv.h>

#include <vector>

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

// A converter is opened once per direction and thread: opening one costs more than most of the
// conversions it serves. A failed conversion leaves it in its initial state for the next.
class Converters {
  public:
    ~Converters() {
        for (const Slot& slot : slots) {
            iconv_close(slot.cd);
        }
    }
    iconv_t Get(const char* to, const char* from) {
        for (const Slot& slot : slots) {
            if (slot.to == to && slot.from == from) {
                iconv(slot.cd, nullptr, nullptr, nullptr, nullptr);
                return slot.cd;
            }
        }
        iconv_t cd = iconv_open(to, from);
        if (cd != reinterpret_cast<iconv_t>(-1)) {
            slots.push_back({to, from, cd});
        }
        return cd;
    }

  private:
    struct Slot {
        std::string to;
        std::string from;
        iconv_t cd;
    };
    std::vector<Slot> slots;
};

bool Convert(const char* to, const char* from, const std::string& in, std::string* out) {
    out->clear();
    if (in.empty()) {
        return true;
    }
    thread_local Converters converters;
    iconv_t cd = converters.Get(to, from);
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

// The cp932 form of UTF-8 text when it is exact: cp932 text that converts back to the same
// text. iconv takes some characters to a look-alike ("〜" U+301C to the code of "～" U+FF5E,
// "¥" to "\\"): only a conversion that comes back the same is exact.
bool Exact(const std::string& utf8, std::string* cp932) {
    if (IsAscii(utf8)) {
        *cp932 = utf8;
        return true;
    }
    std::string back;
    return Convert("CP932", "UTF-8", utf8, cp932) &&
           platform::IsCp932Structure(cp932->data(), cp932->size()) &&
           Convert("UTF-8", "CP932", *cp932, &back) && back == utf8;
}

bool HasExactForm(char32_t c) {
    std::string utf8;
    std::string cp932;
    platform::AppendUtf8(&utf8, c);
    return Exact(utf8, &cp932);
}

bool RunToUtf8(const std::string& held, std::size_t start, std::size_t end, std::string* out) {
    const std::string run = held.substr(start, end - start);
    return platform::IsCp932Structure(run.data(), run.size()) &&
           ConvertText("UTF-8", "CP932", run, out);
}

}  // namespace

namespace platform {

bool ToNative(const std::string& held, NativeString* out) {
    if (!HoldsEscapes(held)) {
        return RunToUtf8(held, 0, held.size(), out);
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
        // An escape stands only for what cp932 cannot hold: an escaped "\\" would hide a
        // separator, an escaped "あ" would be a second name for one file.
        if (!RunToUtf8(held, start, escape, &run) ||
            (escape < held.size() && (!ReadEscape(held, escape, &c) || c < 0x80 ||
                                      (c >= 0xD800 && c <= 0xDFFF) || HasExactForm(c)))) {
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
    if (Exact(native, cp932)) {
        return true;
    }
    cp932->clear();
    return false;
}

// Character by character only when the whole has no cp932 form: each character that cp932 holds
// exactly (there and back) stays cp932, every other one is escaped.
bool FromNative(const NativeString& native, std::string* held) {
    if (Exact(native, held)) {
        return true;
    }
    std::string back;
    std::string out;
    std::string piece;
    for (std::size_t i = 0; i < native.size();) {
        const std::size_t length = Utf8Length(static_cast<unsigned char>(native[i]));
        std::string one = length == 0 ? std::string() : native.substr(i, length);
        if (length == 0 || one.size() != length || !ConvertText("UTF-16LE", "UTF-8", one, &back)) {
            return false;  // not UTF-8
        }
        if (Exact(one, &piece)) {
            out += piece;
        } else {
            AppendEscape(&out, Utf8CodePoint(native, i, length));
        }
        i += length;
    }
    held->swap(out);
    return true;
}

bool Cp932ToHeld(const std::string& cp932, std::string* held) {
    held->clear();
    std::string utf8;
    return IsCp932Structure(cp932.data(), cp932.size()) &&
           ConvertText("UTF-8", "CP932", cp932, &utf8) && FromNative(utf8, held);
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
