// The rules one name must keep, however it was typed: its length, and the characters and forms a
// name may hold.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/handles.h"

// The longest name a file or folder can have: 255 UTF-16 units. Every cp932 character is one of
// them, a character beyond the Basic Multilingual Plane two, so units are counted, not bytes.
constexpr std::size_t kMaxNameCharacters = 255;
// True when the whole name, extension included, is longer than that.
bool IsNameTooLong(const std::string& fileName);
// Tells the user that so many rows kept their edit names because the new one was too long, and
// which rows (numbered from 1) when given.
void ShowNamesTooLong(WindowHandle owner, unsigned rows);
void ShowNamesTooLong(WindowHandle owner, unsigned rows, const std::vector<unsigned>& which);

// True when the name may be used as a file or folder name: none of the characters Windows
// refuses, and something besides dots and blanks (in the base, when extensions are edited too).
// A refused name is reported in a message box with the given owner when showMessage is set.
bool IsValidFileName(const std::string& name, bool showMessage, WindowHandle owner,
                     bool wholeNamesShown);
