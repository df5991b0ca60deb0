#include "core/name_rules.h"

#include <cstring>

#include "core/mbcs.h"
#include "core/texts.h"
#include "platform/message_box.h"

namespace {

constexpr const char kIllegalCharacters[] = "\\/:*?\"<>|";

// Steps over double-byte characters: the trail byte of 表 is 0x5C and must not count as "\".
bool HasIllegalCharacter(const std::string& name) {
    for (std::size_t i = 0; i < name.size(); i += mbcs::CharLength(name, i)) {
        if (mbcs::CharLength(name, i) == 1 && name[i] != '\0' &&
            std::strchr(kIllegalCharacters, name[i]) != nullptr) {
            return true;
        }
    }
    return false;
}

// The part that must hold something besides dots and blanks. With extensions renamed too, a name
// like ".txt" would leave the file with no base name at all.
std::string ExaminedPart(const std::string& name, bool wholeNamesShown) {
    if (!wholeNamesShown) {
        return name;
    }
    const std::size_t dot = mbcs::FindLast(name, '.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

bool IsValidFileName(const std::string& name, bool showMessage, WindowHandle owner,
                     bool wholeNamesShown) {
    if (HasIllegalCharacter(name)) {
        if (showMessage) {
            ShowMessageBox(owner, texts::Fill(texts::kNameIllegalCharacters, {name}),
                           texts::kTitleBadName, kMbIconError | kMbOk);
        }
        return false;
    }
    if (ExaminedPart(name, wholeNamesShown).find_first_not_of(". ") != std::string::npos) {
        return true;
    }
    if (showMessage) {
        ShowMessageBox(owner, texts::Fill(texts::kNameDotsOnly, {name}), texts::kTitleBadName,
                       kMbIconError | kMbOk);
    }
    return false;
}

bool IsNameTooLong(const std::string& fileName) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < fileName.size(); i += mbcs::CharLength(fileName, i)) {
        characters += mbcs::Utf16Units(fileName, i);
    }
    return characters > kMaxNameCharacters;
}

void ShowNamesTooLong(WindowHandle owner, unsigned rows) {
    ShowNamesTooLong(owner, rows, {});
}

void ShowNamesTooLong(WindowHandle owner, unsigned rows, const std::vector<unsigned>& which) {
    std::string text = texts::Fill(texts::kNamesTooLong,
                                   {std::to_string(kMaxNameCharacters), std::to_string(rows)});
    // Row numbers are short: more of them fit.
    constexpr std::size_t kRowsNamed = 20;
    text += texts::FirstLines(
        which.size(), kRowsNamed,
        [&](std::size_t i) {
            return texts::Fill(i == 0 ? texts::kNamesTooLongFirstRow : texts::kNamesTooLongNextRow,
                               {std::to_string(which[i])});
        },
        texts::kMoreRows);
    ShowMessageBox(owner, text, texts::kTitleNameLength, kMbIconError);
}
