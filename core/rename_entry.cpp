#include "core/rename_entry.h"

RenameEntry::RenameEntry(const std::string& fullPath, bool wholeNamesShown)
    : RenameEntry(fullPath, IsFolderPath(fullPath), wholeNamesShown) {}

RenameEntry::RenameEntry(const std::string& fullPath, bool folder, bool wholeNamesShown)
    : isFolder(folder), wholeName(folder || wholeNamesShown) {
    oldPath.SetFromFullPath(fullPath);
    nowPath = oldPath;
    editPath = oldPath;
}

const PathName& RenameEntry::Path(NameKind kind) const {
    switch (kind) {
        case NameKind::Now:
            return nowPath;
        case NameKind::Edit:
            return editPath;
        case NameKind::Old:
            return oldPath;
    }
    return nowPath;
}

std::string RenameEntry::DisplayName(NameKind kind) const {
    const PathName& path = Path(kind);
    return ShowsWholeName() ? path.FileName() : path.Base();
}

void RenameEntry::ApplyName(PathName* path, const std::string& text) const {
    if (ShowsWholeName()) {
        path->SetFileName(text);
    } else {
        path->SetBase(text);
    }
}

void RenameEntry::SetEditName(const std::string& text) {
    ApplyName(&editPath, text);
}

PathName RenameEntry::CandidatePath(const std::string& text) const {
    PathName candidate = nowPath;
    ApplyName(&candidate, text);
    return candidate;
}
