// One file or folder of the rename list, with the path it had when added, the path it has on
// disk now and the path it is to be given.
#pragma once

#include <string>

#include "core/path_name.h"

enum class NameKind { Now = 0, Edit = 1, Old = 2 };

// Why a move on disk failed, in words a user can act on (core/move_problems.cpp).
enum class MoveProblem {
    None,
    NotFound,
    InUseOrDenied,
    InvalidName,
    Other,
    NoTemporaryName,
    CaseUnchanged,
    WithAnother,  // put back with its rotation, one of whose files could not move
};

class RenameEntry {
  public:
    // With wholeNamesShown, a file's extension is shown and edited with its name.
    RenameEntry(const std::string& fullPath, bool wholeNamesShown);
    // For an item whose kind is known already.
    RenameEntry(const std::string& fullPath, bool isFolder, bool wholeNamesShown);

    const PathName& Path(NameKind kind) const;
    bool IsFolder() const { return isFolder; }

    // The name as shown, exported and edited: without the extension for a file unless whole
    // names are shown.
    std::string DisplayName(NameKind kind) const;
    void SetEditName(const std::string& text);
    // Where the current item would go if the text became its edit name.
    PathName CandidatePath(const std::string& text) const;

    bool NeedsRename() const { return !nowPath.SameAs(editPath); }
    bool WasRenamed() const { return !nowPath.SameAs(oldPath); }

    // Renames the item on disk to the target. -1 nothing to do, 0 renamed, 1 failed: with
    // `problem` the reason is told there, else it is shown at once. A change of letter case that
    // needs a detour goes through `detour` (the pass chose it beforehand), or through a temporary
    // name chosen then.
    int RenameTo(const PathName& target);
    int RenameTo(const PathName& target, const PathName* detour, MoveProblem* problem = nullptr);
    // The item was moved on disk by someone else (an undo of the history): its current path is
    // now this one.
    void FollowMove(const std::string& fullPath) { nowPath.SetFromFullPath(fullPath); }
    // Illegal characters of the edit name to their full-width forms; true when it changed.
    bool ConvertEditName();

    // Moves the item out of the way to the temporary name chosen for it, on the way to `wanted`
    // (named if the move fails, in a box unless `problem` takes why). 0 or 1.
    int RenameToTemporary(const PathName& temporary, const PathName& wanted,
                          MoveProblem* problem = nullptr);

  private:
    bool ShowsWholeName() const { return wholeName; }
    void ApplyName(PathName* path, const std::string& text) const;
    int FixLetterCase(const PathName& target, const PathName* detour, MoveProblem* problem);
    // 1, after telling the problem or showing it with the item and its target.
    int Fail(MoveProblem why, const PathName& target, MoveProblem* problem) const;

    PathName oldPath;
    PathName nowPath;
    PathName editPath;
    bool isFolder;
    bool wholeName;  // a folder's name is always whole
};
