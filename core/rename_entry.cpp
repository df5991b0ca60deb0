#include "core/rename_entry.h"

#include "settings/setting_keys.h"
#include "settings/settings_store.h"

RenameEntry::RenameEntry(const std::string& fullPath) : isFolder(IsFolderPath(fullPath)) {
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

bool RenameEntry::ShowsWholeName() const {
    return isFolder || GetInitialBool(kIdUseExtension);
}

std::string RenameEntry::DisplayName(NameKind kind) const {
    const PathName& path = Path(kind);
    return ShowsWholeName() ? path.BuildFileName() : path.Base();
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
