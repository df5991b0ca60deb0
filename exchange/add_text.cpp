#include "exchange/add_text.h"

#include "core/mbcs.h"
#include "core/name_rules.h"
#include "core/rename_list.h"
#include "core/window_port.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

namespace {

constexpr std::size_t kMostDigitsByControl = 9;

bool FitsAsName(const RenameEntry& entry, const std::string& name) {
    return !IsNameTooLong(entry.CandidatePath(name).FileName());
}

// Position of the first occurrence of target at a character boundary from `from`, or npos.
std::size_t FindByCharacters(const std::string& s, const std::string& target, std::size_t from) {
    for (std::size_t i = from; i + target.size() <= s.size(); i += mbcs::CharLength(s, i)) {
        if (s.compare(i, target.size(), target) == 0) {
            return i;
        }
    }
    return std::string::npos;
}

}  // namespace

void LoadEditAddSettings(SettingsStore* settings, EditAddOptions* options) {
    options->startText = settings->GetString(keys::kEditAddNumStart, "001");
    options->incrementText = settings->GetString(keys::kEditAddNumAdd, "1");
    options->hexadecimal = settings->GetString(keys::kEditAddHexa, "off") == "on";
}

void StoreEditAddSettings(SettingsStore* settings, const EditAddOptions& options) {
    settings->SetString(keys::kEditAddNumStart, options.startText);
    settings->SetString(keys::kEditAddNumAdd, options.incrementText);
    settings->SetString(keys::kEditAddHexa, options.hexadecimal ? "on" : "off");
}

void TakeNumbers(EditAddOptions* options) {
    options->startValue = TextToInt(options->startText);
    options->digits = static_cast<std::int32_t>(options->startText.size());
    options->increment = TextToInt(options->incrementText);
}

std::string FormatSerial(std::uint32_t value, int digits, bool hexadecimal) {
    const char* numerals = "0123456789abcdef";
    const std::uint32_t base = hexadecimal ? 16 : 10;
    std::string reversed;
    do {
        reversed += numerals[value % base];
        value /= base;
    } while (value != 0);
    const std::size_t width = digits > 0 ? static_cast<std::size_t>(digits) : 0;
    std::string out(width > reversed.size() ? width - reversed.size() : 0, '0');
    out.append(reversed.rbegin(), reversed.rend());
    return out;
}

std::string ReplaceText(const std::string& name, const std::string& target,
                        const std::string& piece) {
    // An empty target would match before every character without ever using one up.
    if (target.empty()) {
        return name;
    }
    std::string out;
    std::size_t rest = 0;
    for (std::size_t found; (found = FindByCharacters(name, target, rest)) != std::string::npos;
         rest = found + target.size()) {
        out.append(name, rest, found - rest);
        out += piece;
    }
    out.append(name, rest, std::string::npos);
    return out;
}

std::string AddPiece(const std::string& name, const std::string& piece, AddPosition position,
                     const std::string& target) {
    switch (position) {
        case AddPosition::Front:
            return piece + name;
        case AddPosition::Back:
            return name + piece;
        case AddPosition::Inside:
            return ReplaceText(name, target, piece);
    }
    return name;
}

std::string StartFieldText(const std::string& typed) {
    std::string out = typed.substr(0, kMostFieldBytes);
    for (char& c : out) {
        if (c < '0' || c > '9') {
            c = '0';
        }
    }
    return out;
}

std::string IncrementFieldText(const std::string& typed) {
    const int value = TextToInt(typed);
    return value == 0 ? "1" : IntToText(value);
}

std::string StepStartDigits(const std::string& start, int position) {
    if (position == 1 && start.size() >= 2) {
        return start.substr(1);
    }
    if (position == 0 && start.size() < kMostDigitsByControl) {
        return "0" + start;
    }
    return start;
}

void AddToEditNames(const EditAddOptions& options) {
    RenameList* list = options.list;
    // Unsigned, so that counting past either end wraps instead of overflowing.
    std::uint32_t counter = static_cast<std::uint32_t>(options.startValue);
    std::vector<unsigned> tooLong;
    for (unsigned i = 0; i < list->Count(); ++i) {
        if (!window_port::IsRowSelected(i)) {
            continue;
        }
        std::string piece = options.text;
        if (options.mode == AddMode::Number) {
            piece = FormatSerial(counter, options.digits, options.hexadecimal);
            counter += static_cast<std::uint32_t>(options.increment);
        }
        RenameEntry& entry = list->At(i);
        const std::string current = entry.DisplayName(NameKind::Edit);
        const std::string name = AddPiece(current, piece, options.position, options.target);
        if (name == current || IsNameRefused(options.names, name, false, nullptr)) {
            continue;
        }
        if (!FitsAsName(entry, name)) {
            tooLong.push_back(i + 1);
            continue;
        }
        entry.SetEditName(name);
        window_port::WriteRow(i);
    }
    if (!tooLong.empty()) {
        ShowNamesTooLong(window_port::Owner(), static_cast<unsigned>(tooLong.size()), tooLong);
    }
    list->UpdateCommandStates();
}
