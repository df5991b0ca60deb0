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

}  // namespace

namespace platform {

bool ToNative(const std::string& cp932, NativeString* out) {
    return Widen(kCodePage, cp932, out);
}

bool FromNative(const NativeString& native, std::string* cp932) {
    cp932->clear();
    if (native.empty()) {
        return true;
    }
    if (native.size() > static_cast<std::size_t>(INT_MAX)) {
        return false;
    }
    const int length = static_cast<int>(native.size());
    // Without WC_NO_BEST_FIT_CHARS "é" would come out as "e" and "¥" as "\", a different name
    // or even a separator; a character that needs the default character has no exact form.
    BOOL usedDefault = FALSE;
    const int needed = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, native.data(), length,
                                           nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) {
        return false;
    }
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, native.data(), length, &narrow[0],
                            needed, nullptr, &usedDefault) != needed ||
        usedDefault) {
        return false;
    }
    cp932->swap(narrow);
    return true;
}

bool Utf8ToCp932(const std::string& utf8, std::string* cp932) {
    cp932->clear();
    std::wstring wide;
    return Widen(CP_UTF8, utf8, &wide) && FromNative(wide, cp932);
}

bool Cp932ToUtf8(const std::string& cp932, std::string* utf8) {
    utf8->clear();
    std::wstring wide;
    if (!Widen(kCodePage, cp932, &wide)) {
        return false;
    }
    if (wide.empty()) {
        return true;
    }
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return false;
    }
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, &narrow[0], needed, nullptr,
                            nullptr) != needed) {
        return false;
    }
    utf8->swap(narrow);
    return true;
}

bool Utf16ToCp932(const std::u16string& utf16, std::string* cp932) {
    const std::wstring wide(utf16.begin(), utf16.end());
    // FromNative refuses unpaired surrogates as well: they need the default character.
    return FromNative(wide, cp932);
}

}  // namespace platform
