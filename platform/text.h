// Exact conversion between cp932 and the encoding the platform's file and window functions take.
// A conversion that cannot be exact fails; nothing is approximated.
#pragma once

#include <string>

namespace platform {

#ifdef _WIN32
using NativeString = std::wstring;  // UTF-16
#else
using NativeString = std::string;  // UTF-8
#endif

bool ToNative(const std::string& cp932, NativeString* out);
bool FromNative(const NativeString& native, std::string* cp932);

// The name as the file system will list it: a few characters have two cp932 codes, and the file
// system keeps only one of them. A name without an exact form stays as it is.
inline std::string StoredForm(const std::string& name) {
    NativeString native;
    std::string stored;
    return ToNative(name, &native) && FromNative(native, &stored) ? stored : name;
}

// Text that an editor saved in a Unicode encoding, back to cp932. Fails on malformed input (an
// invalid UTF-8 sequence, an unpaired surrogate) and on a character that has no cp932 form.
bool Utf8ToCp932(const std::string& utf8, std::string* cp932);
bool Cp932ToUtf8(const std::string& cp932, std::string* utf8);
bool Utf16ToCp932(const std::u16string& utf16, std::string* cp932);

}  // namespace platform
