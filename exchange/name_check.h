// Checks of typed and imported names before they become edit names.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/handles.h"

// True when the name may be used as a file or folder name. When showMessage is set, a refused
// name is reported in a message box with the given owner (none in the two-argument form).
bool IsValidName(const std::string& name, bool showMessage);
bool IsValidName(const std::string& name, bool showMessage, WindowHandle owner);

// The longest name a file or folder can have: 255 UTF-16 units, and every cp932 character is
// one of them, so characters are counted, not bytes.
constexpr std::size_t kMaxNameCharacters = 255;
// True when the whole name, extension included, is longer than that.
bool IsNameTooLong(const std::string& fileName);
// Tells the user that so many rows kept their edit names because the new one was too long, and
// which rows (numbered from 1) when given.
void ShowNamesTooLong(WindowHandle owner, unsigned rows);
void ShowNamesTooLong(WindowHandle owner, unsigned rows, const std::vector<unsigned>& which);
