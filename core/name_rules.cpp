#include "core/name_rules.h"

#include <cstring>

#include "core/mbcs.h"
#include "core/texts.h"
#include "platform/message_box.h"

namespace {

// What Windows refuses in a name: separators, and wildcards and quotes.
constexpr const char kSeparators[] = "\\/:";
constexpr const char kWildcards[] = "*?\"<>|";

// Steps over double-byte characters: the trail byte of 表 is 0x5C and must not count as "\".
bool HasIllegalCharacter(const std::string& name) {
    for (std::size_t i = 0; i < name.size(); i += mbcs::CharLength(name, i)) {
        if (mbcs::CharLength(name, i) == 1 && name[i] != '\0' &&
            (std::strchr(kSeparators, name[i]) != nullptr ||
             std::strchr(kWildcards, name[i]) != nullptr)) {
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

bool IsNameRefused(const NameRules& rules, const std::string& name, bool showMessage,
                   WindowHandle owner) {
    return rules.checked && !IsValidFileName(name, showMessage, owner, rules.wholeNamesShown);
}

std::size_t Utf16Length(const std::string& text, std::size_t from, std::size_t to) {
    const std::size_t end = to < text.size() ? to : text.size();
    std::size_t units = 0;
    for (std::size_t i = from; i < end; i += mbcs::CharLength(text, i)) {
        units += mbcs::Utf16Units(text, i);
    }
    return units;
}

bool IsNameTooLong(const std::string& fileName) {
    return Utf16Length(fileName) > kMaxNameCharacters;
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

bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(0, mbcs::FindFirst(name, '.'));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    for (char& c : base) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
        base == "CONOUT$") {
        return true;
    }
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '0' && base[3] <= '9';
}

const char* WhyNameCannotBeMade(const std::string& name, bool lenient) {
    bool dotsAndBlanksOnly = true;
    for (std::size_t i = 0; i < name.size(); i += mbcs::CharLength(name, i)) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (mbcs::CharLength(name, i) == 1) {
            if (c == '\0' || (!lenient && std::strchr(kSeparators, c) != nullptr)) {
                return texts::kWhySeparatorsOrDots;
            }
            if (c < 0x20 || c == 0x7F || (!lenient && std::strchr(kWildcards, c) != nullptr)) {
                return texts::kWhyWildcardsOrControls;
            }
        }
        if (c != '.' && c != ' ') {
            dotsAndBlanksOnly = false;
        }
    }
    if (dotsAndBlanksOnly) {
        return lenient ? nullptr : texts::kWhySeparatorsOrDots;
    }
    if (name.back() == '.' || name.back() == ' ') {
        return texts::kWhyTrailingDotOrBlank;
    }
    return IsDeviceName(name) ? texts::kWhyDeviceName : nullptr;
}
