// One entry's moves on disk: to its target (through a detour where a change of letter case alone
// is taken as done and changes nothing) and out of the way to a temporary name.

#include "core/rename_entry.h"

#include <string>

#include "core/move_problems.h"
#include "core/move_retries.h"
#include "core/temporary_names.h"
#include "core/window_port.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace {

bool CaseChangeTookPlace(const std::string& slashPath, const PathName& target) {
    return platform::NameOnDisk(slashPath) == platform::StoredForm(target.FileName());
}

}  // namespace

int RenameEntry::Fail(MoveProblem why, const PathName& target, MoveProblem* problem) const {
    if (problem) {
        *problem = why;
    } else {
        ShowMoveFailure(window_port::Owner(), {nowPath.FullPath(), target.FileName(), why});
    }
    return 1;
}

int RenameEntry::RenameTo(const PathName& target) {
    return RenameTo(target, nullptr);
}

int RenameEntry::RenameTo(const PathName& target, const PathName* detour, MoveProblem* problem) {
    const std::string from = nowPath.SlashPath();
    const std::string to = target.SlashPath();
    if (from == to) {
        return -1;
    }
    platform::MoveResult result = move_retries::Move(from, to);
    if (result != platform::MoveResult::Done) {
        return Fail(ProblemOf(result), target, problem);
    }
    if (IsCaseChangeOnly(nowPath, target) && !CaseChangeTookPlace(to, target)) {
        return FixLetterCase(target, detour, problem);
    }
    nowPath = target;
    return 0;
}

// Some file systems (Wine on Linux, some network and FAT drives) report a change of letter case
// alone as done and change nothing. Going through a temporary name makes the change real.
int RenameEntry::FixLetterCase(const PathName& target, const PathName* detour,
                               MoveProblem* problem) {
    const std::string from = nowPath.SlashPath();
    const std::string to = target.SlashPath();
    PathName temporary;
    if (detour) {
        temporary = *detour;
    } else {
        TemporaryNames temporaries;
        temporaries.Keep(target);
        if (!temporaries.Choose(nowPath.Folder(), &temporary)) {
            return Fail(MoveProblem::NoTemporaryName, target, problem);
        }
    }
    platform::MoveResult result = move_retries::Move(from, temporary.SlashPath());
    if (result != platform::MoveResult::Done) {
        return Fail(ProblemOf(result), target, problem);
    }
    result = move_retries::Move(temporary.SlashPath(), to);
    if (result != platform::MoveResult::Done) {
        // Put it back; if even that fails, the item is known by its temporary name.
        if (move_retries::Move(temporary.SlashPath(), from) != platform::MoveResult::Done) {
            nowPath = temporary;
        }
        return Fail(ProblemOf(result), target, problem);
    }
    if (!CaseChangeTookPlace(to, target)) {
        return Fail(MoveProblem::CaseUnchanged, target, problem);
    }
    nowPath = target;
    return 0;
}

int RenameEntry::RenameToTemporary(const PathName& temporary, const PathName& wanted,
                                   MoveProblem* problem) {
    const platform::MoveResult result =
        move_retries::Move(nowPath.SlashPath(), temporary.SlashPath());
    if (result != platform::MoveResult::Done) {
        // Told by the name it was to get: the temporary one means nothing to the user.
        return Fail(ProblemOf(result), wanted, problem);
    }
    nowPath = temporary;
    return 0;
}
