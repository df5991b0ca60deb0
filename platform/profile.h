// Private-profile (INI) files, with the platform's rules: keys and sections are found without
// regard to ASCII case, a read value is cut to 255 bytes, a key that is present with an empty
// value reads as "", new keys go to the end of their section, and lines end in CR LF.
#pragma once

#include <string>

namespace platform {

// The stored value, or the default when the file, the section or the key is missing.
// Never creates the file.
std::string ReadProfileString(const std::string& section, const std::string& key,
                              const std::string& defaultValue, const std::string& iniPath);

// Creates the file and section when needed, replaces an existing value in place.
bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& iniPath);

}  // namespace platform
