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

// The cp932 form of wide text when it is exact: cp932 text that converts back to the same units.
// Windows takes U+F8F0-U+F8F3 to the single bytes A0 and FD-FF without using the default
// character, and 0xFF is the lead of an escape; only the way back shows such a form for what it is.
bool Exact(const wchar_t* text, std::size_t size, std::string* out) {
    std::wstring back;
    return Narrow(text, size, out) && platform::IsCp932Structure(out->data(), out->size()) &&
           Widen(kCodePage, *out, &back) && back.size() == size &&
           back.compare(0, size, text, size) == 0;
}

bool HasExactForm(char32_t c) {
    std::wstring units;
    AppendUnits(&units, c);
    std::string bytes;
    return Exact(units.data(), units.size(), &bytes);
}

bool WidenRun(const std::string& held, std::size_t start, std::size_t end, std::wstring* out) {
    return platform::IsCp932Structure(held.data() + start, end - start) &&
           Widen(kCodePage, held.substr(start, end - start), out);
}

}  // namespace

namespace platform {

bool ToNative(const std::string& held, NativeString* out) {
    if (!HoldsEscapes(held)) {
        return WidenRun(held, 0, held.size(), out);
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
        // An escape stands only for what cp932 cannot hold: an escaped "\\" would hide a
        // separator, an escaped "あ" would be a second name for one file.
        if (!WidenRun(held, start, escape, &run) ||
            (escape < held.size() &&
             (!ReadEscape(held, escape, &c) || c < 0x80 || HasExactForm(c)))) {
            return false;
        }
        wide += run;
        if (escape < held.size()) {
            // Two escaped halves would make one character, a second name for its own escape.
            if (c >= 0xDC00 && c <= 0xDFFF && !wide.empty() && wide.back() >= 0xD800 &&
                wide.back() <= 0xDBFF) {
                return false;
            }
            AppendUnits(&wide, c);
            escape += kEscapeLength;
        }
        start = escape;
    }
    out->swap(wide);
    return true;
}

bool FromNativeCp932(const NativeString& native, std::string* cp932) {
    if (Exact(native.data(), native.size(), cp932)) {
        return true;
    }
    cp932->clear();
    return false;
}

// Character by character only when the whole has no cp932 form: each character that cp932 holds
// exactly (there and back) stays cp932, every other one, a lone surrogate too, is escaped.
bool FromNative(const NativeString& native, std::string* held) {
    if (Exact(native.data(), native.size(), held)) {
        return true;
    }
    std::string out;
    std::string piece;
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
        if (Exact(native.data() + i, length, &piece)) {
            out += piece;
        } else {
            AppendEscape(&out, c);
        }
        i += length;
    }
    held->swap(out);
    return true;
}

bool Cp932ToHeld(const std::string& cp932, std::string* held) {
    held->clear();
    std::wstring wide;
    return IsCp932Structure(cp932.data(), cp932.size()) && Widen(kCodePage, cp932, &wide) &&
           FromNative(wide, held);
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
