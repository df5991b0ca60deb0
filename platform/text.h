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

}  // namespace platform
