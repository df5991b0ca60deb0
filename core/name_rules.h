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
// The most bytes a field takes for a name or a piece of one (the list's own edit, the add
// dialog's texts).
constexpr std::size_t kMostFieldBytes = 255;
// The UTF-16 units of the characters from `from` up to `to`.
std::size_t Utf16Length(const std::string& text, std::size_t from = 0,
                        std::size_t to = std::string::npos);
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

// What the user chose for a typed name: whether it is held to the rule above at all, and whether
// its extension is typed with it (the whole name shown).
struct NameRules {
    bool checked = false;
    bool wholeNamesShown = false;
};
// True when the rules check names and this one is not valid (reported as above).
bool IsNameRefused(const NameRules& rules, const std::string& name, bool showMessage,
                   WindowHandle owner);

// CON, PRN, AUX, NUL, COM0-9, LPT0-9 (and the console's own), whatever follows the first dot,
// blanks before it ignored: Windows opens the device instead of a file.
bool IsDeviceName(const std::string& name);

// Why Windows cannot hold the name as typed, or nullptr when it can. With `lenient` set, the
// characters that the illegal-name conversion turns into full-width ones, and names of dots and
// blanks only, are let through: at import the name check of its own setting decides those, and
// the conversion may still change them before the pass, whose check then sees them.
const char* WhyNameCannotBeMade(const std::string& name, bool lenient);
