// Code page 932 is named explicitly rather than taken from the system (CP_ACP), so that texts
// and names come out the same on a system set to any other code page.

#include <windows.h>

#include <climits>

#include "platform/text.h"

namespace {

constexpr UINT kCodePage = 932;

// MB_ERR_INVALID_CHARS refuses lone lead bytes, unassigned codes and malformed UTF-8 instead of
// letting them become U+30FB, U+FFFD or a default character.
bool Widen(UINT codePage, const std::string& text, std::wstring* out) {
    out->clear();
    if (text.empty()) {
        return true;
    }
    if (text.size() > static_cast<std::size_t>(INT_MAX)) {
        return false;
    }
    const int length = static_cast<int>(text.size());
    const int needed =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        return false;
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, &wide[0],
                            needed) != needed) {
        return false;
    }
    out->swap(wide);
    return true;
}

// Strict cp932 of wide text: fails where the default character would be needed.
bool Narrow(const wchar_t* text, std::size_t size, std::string* out) {
    out->clear();
    if (size == 0) {
        return true;
    }
    if (size > static_cast<std::size_t>(INT_MAX)) {
        return false;
    }
    const int length = static_cast<int>(size);
    // Without WC_NO_BEST_FIT_CHARS "é" would come out as "e" and "¥" as "\", a different name
    // or even a separator; a character that needs the default character has no exact form.
    BOOL usedDefault = FALSE;
    const int needed = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text, length, nullptr,
                                           0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) {
        return false;
    }
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text, length, &narrow[0], needed,
                            nullptr, &usedDefault) != needed ||
        usedDefault) {
        return false;
    }
    out->swap(narrow);
    return true;
}

void AppendUnits(std::wstring* wide, char32_t c) {
    if (c >= 0x10000) {
        wide->push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
        wide->push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
        wide->push_back(static_cast<wchar_t>(c));
    }
}

}  // namespace

namespace platform {

bool ToNative(const std::string& held, NativeString* out) {
    if (!HoldsEscapes(held)) {
        return Widen(kCodePage, held, out);
    }
    std::wstring wide;
    std::wstring run;
    std::size_t start = 0;
    while (start < held.size()) {
        std::size_t escape = held.find(static_cast<char>(kEscapeLead), start);
        if (escape == std::string::npos) {
            escape = held.size();
        }
        char32_t c = 0;
        if (!Widen(kCodePage, held.substr(start, escape - start), &run) ||
            (escape < held.size() && !ReadEscape(held, escape, &c))) {
            return false;
        }
        wide += run;
        if (escape < held.size()) {
            AppendUnits(&wide, c);
            escape += kEscapeLength;
        }
        start = escape;
    }
    out->swap(wide);
    return true;
}

bool FromNativeCp932(const NativeString& native, std::string* cp932) {
    return Narrow(native.data(), native.size(), cp932);
}

// Character by character only when the whole has no cp932 form: each character that cp932 holds
// exactly (there and back) stays cp932, every other one, a lone surrogate too, is escaped.
bool FromNative(const NativeString& native, std::string* held) {
    if (Narrow(native.data(), native.size(), held)) {
        return true;
    }
    std::string out;
    std::string piece;
    std::wstring back;
    for (std::size_t i = 0; i < native.size();) {
        const wchar_t unit = native[i];
        std::size_t length = 1;
        char32_t c = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < native.size() && native[i + 1] >= 0xDC00 &&
            native[i + 1] <= 0xDFFF) {
            length = 2;
            c = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                (static_cast<char32_t>(native[i + 1]) - 0xDC00);
        }
        if (Narrow(native.data() + i, length, &piece) && Widen(kCodePage, piece, &back) &&
            back == native.substr(i, length)) {
            out += piece;
        } else {
            AppendEscape(&out, c);
        }
        i += length;
    }
    held->swap(out);
    return true;
}

bool Utf8ToHeld(const std::string& utf8, std::string* held) {
    held->clear();
    std::wstring wide;
    return Widen(CP_UTF8, utf8, &wide) && FromNative(wide, held);
}

bool HeldToUtf8(const std::string& held, std::string* utf8) {
    utf8->clear();
    std::wstring wide;
    if (!ToNative(held, &wide)) {
        return false;
    }
    if (wide.empty()) {
        return true;
    }
    const int length = static_cast<int>(wide.size());
    // A lone surrogate has no UTF-8 form: refused rather than turned into U+FFFD.
    const int needed = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), length,
                                           nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return false;
    }
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), length, &narrow[0], needed,
                            nullptr, nullptr) != needed) {
        return false;
    }
    utf8->swap(narrow);
    return true;
}

// A name on disk may hold a lone surrogate; text that an editor saved with one is malformed.
bool Utf16ToHeld(const std::u16string& utf16, std::string* held) {
    held->clear();
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            return false;
        }
    }
    return FromNative(std::wstring(utf16.begin(), utf16.end()), held);
}

bool HeldToUtf16(const std::string& held, std::u16string* utf16) {
    std::wstring wide;
    if (!ToNative(held, &wide)) {
        return false;
    }
    utf16->assign(wide.begin(), wide.end());
    return true;
}

}  // namespace platform
