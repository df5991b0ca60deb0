// The checks a name must pass before it becomes an edit name: one name on its own, and the
// imported lines together, against each other and against the disk.

#include "exchange/name_check.h"

#include <cstring>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/app_context.h"
#include "core/mbcs.h"
#include "core/place_index.h"
#include "core/rename_list.h"
#include "core/window_port.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

namespace {

constexpr const char kNameTitle[] = "警告：ファイル名が不正";
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
std::string ExaminedPart(const std::string& name) {
    if (!GetInitialBool(kIdUseExtension)) {
        return name;
    }
    const std::size_t dot = mbcs::FindLast(name, '.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string NumberedLine(std::size_t line, const std::string& name) {
    return std::to_string(line) + " 行：" + name + "\n";
}

}  // namespace

bool IsValidName(const std::string& name, bool showMessage) {
    return IsValidName(name, showMessage, nullptr);
}

bool IsValidName(const std::string& name, bool showMessage, WindowHandle owner) {
    if (HasIllegalCharacter(name)) {
        if (showMessage) {
            ShowMessageBox(owner,
                           name +
                               "\n\n『 \\ / : * ? \" < > | 』を含んでいるため、\n"
                               "入力を中止します。",
                           kNameTitle, kMbIconError | kMbOk);
        }
        return false;
    }
    if (ExaminedPart(name).find_first_not_of(". ") != std::string::npos) {
        return true;
    }
    if (showMessage) {
        ShowMessageBox(owner,
                       name +
                           "\n\nファイル名が『 』と『.』のみ、\nもしくはありません。\n"
                           "入力を中止します。",
                       kNameTitle, kMbIconError | kMbOk);
    }
    return false;
}

bool IsNameTooLong(const std::string& fileName) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < fileName.size(); i += mbcs::CharLength(fileName, i)) {
        ++characters;
    }
    return characters > kMaxNameCharacters;
}

void ShowNamesTooLong(WindowHandle owner, unsigned rows) {
    ShowMessageBox(owner,
                   "名前が長すぎる（" + std::to_string(kMaxNameCharacters) +
                       " 文字を超える）ため、\n" + std::to_string(rows) +
                       " 行のエディットを変更しませんでした。",
                   "警告：名前の長さ", kMbIconError);
}

int RenameList::CheckNewNames(const std::vector<std::string>& lines) {
    WindowHandle owner = context ? context->mainWindow : nullptr;
    const std::size_t n = lines.size() < entries.size() ? lines.size() : entries.size();
    std::vector<PathName> targets;
    targets.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        targets.push_back(entries[i]->CandidatePath(lines[i]));
    }
    // For each line, the next one after it that names the same place, or n.
    std::vector<std::size_t> nextSamePlace(n, n);
    std::unordered_map<std::string, std::size_t> later;
    for (std::size_t i = n; i-- > 0;) {
        auto found = later.emplace(targets[i].FullPath(), i);
        if (!found.second) {
            nextSamePlace[i] = found.first->second;
            found.first->second = i;
        }
    }
    // The current paths of the entries in range.
    std::unordered_set<std::string> held;
    for (std::size_t j = 0; j < n; ++j) {
        held.insert(PartsKey(entries[j]->Path(NameKind::Now)));
    }
    PlaceIndex onDisk;
    for (std::size_t i = 0; i < n; ++i) {
        window_port::ShowProgress(context, Work::Checking, static_cast<unsigned>(i + 1),
                                  static_cast<unsigned>(n));
        const PathName& now = entries[i]->Path(NameKind::Now);
        const PathName& target = targets[i];
        if (nextSamePlace[i] < n) {
            const std::size_t j = nextSamePlace[i];
            ShowMessageBox(owner,
                           "入力されたもの同士でファイル名が被っている\n\n" +
                               NumberedLine(i + 1, target.FileName()) +
                               NumberedLine(j + 1, targets[j].FileName()),
                           kNameTitle, kMbIconError | kMbOk);
            return 1;
        }
        // The entry's own path, even split another way, is held by the entry itself; a path
        // held by another entry is moved out of the way by the rename pass first.
        if (IsSamePlace(now, target)) {
            continue;
        }
        if (held.count(PartsKey(target)) != 0 || IsCaseChangeOnly(now, target)) {
            continue;
        }
        if (onDisk.Exists(target.SlashPath())) {
            ShowMessageBox(owner, "リネーム実行時に他のファイルと名前が被る", kNameTitle,
                           kMbIconError | kMbOk);
            return 1;
        }
    }
    return 0;
}
