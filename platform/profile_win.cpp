// The profile functions take the cp932 bytes as they are: the program runs with code page 932.
#include <windows.h>

// <windows.h> maps WriteProfileString to its win.ini function; ours is a different one.
#undef WriteProfileString

#include "platform/profile.h"

namespace platform {

std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, const std::string& iniPath) {
    // Cleared first: when a double-byte character does not fit, Wine reports the full length
    // but leaves the last byte unwritten.
    char buffer[256] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                             sizeof buffer, iniPath.c_str());
    return buffer;
}

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& iniPath) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      iniPath.c_str()) != FALSE;
}

}  // namespace platform
