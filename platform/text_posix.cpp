#include <errno.h>
#include <iconv.h>

#include "platform/text.h"

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

}  // namespace

namespace platform {

bool ToNative(const std::string& cp932, NativeString* out) {
    return ConvertText("UTF-8", "CP932", cp932, out);
}

bool FromNative(const NativeString& native, std::string* cp932) {
    return ConvertText("CP932", "UTF-8", native, cp932);
}

bool Utf8ToCp932(const std::string& utf8, std::string* cp932) {
    return ConvertText("CP932", "UTF-8", utf8, cp932);
}

bool Cp932ToUtf8(const std::string& cp932, std::string* utf8) {
    return ConvertText("UTF-8", "CP932", cp932, utf8);
}

bool Utf16ToCp932(const std::u16string& utf16, std::string* cp932) {
    // iconv takes bytes: the code units in a fixed order, so that no byte-order mark is needed.
    std::string bytes;
    bytes.reserve(utf16.size() * 2);
    for (char16_t unit : utf16) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return Convert("CP932", "UTF-16LE", bytes, cp932);
}

}  // namespace platform
