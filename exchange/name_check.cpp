// The checks a name must pass before it becomes an edit name: one name on its own, and the
// imported lines together, against each other and against the disk.

#include "exchange/name_check.h"

#include <cstring>
#include <string>
#include <vector>

#include "core/app_context.h"
#include "core/mbcs.h"
#include "core/place_index.h"
#include "core/rename_list.h"
#include "core/target_check.h"
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
    ShowNamesTooLong(owner, rows, {});
}

void ShowNamesTooLong(WindowHandle owner, unsigned rows, const std::vector<unsigned>& which) {
    std::string text = "名前が長すぎる（" + std::to_string(kMaxNameCharacters) +
                       " 文字を超える）ため、\n" + std::to_string(rows) +
                       " 行のエディットを変更しませんでした。";
    constexpr std::size_t kListed = 20;
    for (std::size_t i = 0; i < which.size() && i < kListed; ++i) {
        text += (i == 0 ? "\n\n行：" : "、") + std::to_string(which[i]);
    }
    if (which.size() > kListed) {
        text += " ほか " + std::to_string(which.size() - kListed) + " 行";
    }
    ShowMessageBox(owner, text, "警告：名前の長さ", kMbIconError);
}

int RenameList::CheckNewNames(const std::vector<std::string>& lines) {
    WindowHandle owner = context ? context->mainWindow : nullptr;
    const std::size_t n = lines.size() < entries.size() ? lines.size() : entries.size();
    std::vector<PathName> candidates;
    candidates.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        candidates.push_back(entries[i]->CandidatePath(lines[i]));
    }
    std::vector<const PathName*> targets;
    for (const PathName& candidate : candidates) {
        targets.push_back(&candidate);
    }
    // Illegal characters are the import's own name check's (DlgFNisWrong); the pass checks the
    // names again after their conversion.
    std::vector<unsigned> inTheWay;
    PlaceIndex onDisk;
    const TargetProblem problem = CheckTargets(context, *this, targets, true, &inTheWay, &onDisk);
    const std::size_t i = problem.entry;
    switch (problem.kind) {
        case TargetProblem::Kind::None:
            return 0;
        case TargetProblem::Kind::CannotBeMade:
            ShowMessageBox(owner,
                           "この名前にはリネームできない\n\n" +
                               NumberedLine(i + 1, candidates[i].FileName()) + "\n" +
                               problem.reason,
                           kNameTitle, kMbIconError | kMbOk);
            break;
        case TargetProblem::Kind::Duplicate:
            ShowMessageBox(
                owner,
                "入力されたもの同士でファイル名が被っている\n\n" +
                    NumberedLine(i + 1, candidates[i].FileName()) +
                    NumberedLine(problem.other + 1, candidates[problem.other].FileName()),
                kNameTitle, kMbIconError | kMbOk);
            break;
        case TargetProblem::Kind::Occupied:
            ShowMessageBox(owner, "リネーム実行時に他のファイルと名前が被る", kNameTitle,
                           kMbIconError | kMbOk);
            break;
    }
    return 1;
}
