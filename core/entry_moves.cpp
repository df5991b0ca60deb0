// One entry's moves on disk: to its target (through a detour where a change of letter case alone
// is taken as done and changes nothing) and out of the way to a temporary name.

#include "core/rename_entry.h"

#include <string>

#include "core/temporary_names.h"
#include "core/texts.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/text.h"

namespace {

void ShowMoveError(platform::MoveResult result) {
    const char* text = texts::kMoveFailed;
    switch (result) {
        case platform::MoveResult::NotFound:
            text = texts::kMoveNotFound;
            break;
        case platform::MoveResult::AccessDenied:
            text = texts::kMoveAccessDenied;
            break;
        case platform::MoveResult::InvalidName:
            text = texts::kMoveInvalidName;
            break;
        case platform::MoveResult::Done:
        case platform::MoveResult::Other:
            break;
    }
    ShowMessageBox(nullptr, text, texts::kTitleRenameError, kMbIconError);
}

bool CaseChangeTookPlace(const std::string& slashPath, const PathName& target) {
    return platform::NameOnDisk(slashPath) == platform::StoredForm(target.BuildFileName());
}

}  // namespace

int RenameEntry::RenameTo(const PathName& target) {
    return RenameTo(target, nullptr);
}

int RenameEntry::RenameTo(const PathName& target, const PathName* detour) {
    const std::string from = nowPath.SlashPath();
    const std::string to = target.SlashPath();
    if (from == to) {
        return -1;
    }
    platform::MoveResult result = platform::MovePath(from, to);
    if (result != platform::MoveResult::Done) {
        ShowMoveError(result);
        return 1;
    }
    if (IsCaseChangeOnly(nowPath, target) && !CaseChangeTookPlace(to, target)) {
        return FixLetterCase(target, detour);
    }
    nowPath.Assign(target.Folder(), target.Base(), target.Extension());
    return 0;
}

// Some file systems (Wine on Linux, some network and FAT drives) report a change of letter case
// alone as done and change nothing. Going through a temporary name makes the change real.
int RenameEntry::FixLetterCase(const PathName& target, const PathName* detour) {
    const std::string from = nowPath.SlashPath();
    const std::string to = target.SlashPath();
    PathName temporary;
    if (detour) {
        temporary = *detour;
    } else {
        TemporaryNames temporaries;
        temporaries.Keep(target);
        if (!temporaries.Choose(nowPath.Folder(), &temporary)) {
            ShowNoTemporaryName();
            return 1;
        }
    }
    platform::MoveResult result = platform::MovePath(from, temporary.SlashPath());
    if (result != platform::MoveResult::Done) {
        ShowMoveError(result);
        return 1;
    }
    result = platform::MovePath(temporary.SlashPath(), to);
    if (result != platform::MoveResult::Done) {
        // Put it back; if even that fails, the item is known by its temporary name.
        if (platform::MovePath(temporary.SlashPath(), from) != platform::MoveResult::Done) {
            nowPath = temporary;
        }
        ShowMoveError(result);
        return 1;
    }
    if (!CaseChangeTookPlace(to, target)) {
        ShowMessageBox(nullptr, texts::Fill(texts::kCaseChangeFailed, {from, to}),
                       texts::kTitleRenameError, kMbIconError);
        return 1;
    }
    nowPath.Assign(target.Folder(), target.Base(), target.Extension());
    return 0;
}

int RenameEntry::RenameToTemporary(const PathName& temporary) {
    const platform::MoveResult result =
        platform::MovePath(nowPath.SlashPath(), temporary.SlashPath());
    if (result != platform::MoveResult::Done) {
        ShowMoveError(result);
        return 1;
    }
    nowPath = temporary;
    return 0;
}
