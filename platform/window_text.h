// Held texts (cp932 with escapes, platform/text.h) for the W functions of controls and windows, so
// that what is shown does not depend on the system's ANSI code page and names show exactly.
#pragma once

#include <string>

std::wstring WideText(const std::string& cp932);
std::string Cp932Text(const std::wstring& wide);
