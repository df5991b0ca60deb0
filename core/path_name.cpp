#include "core/path_name.h"

#include "core/mbcs.h"
#include "platform/file_system.h"

namespace {

std::string JoinName(const std::string& base, const std::string& extension) {
    return extension == kNoExtension ? base : base + "." + extension;
}

}  // namespace

PathName::PathName() {
    Assign("", "", "");
}

void PathName::Assign(const std::string& newFolder, const std::string& newBase,
                      const std::string& newExtension) {
    folder = newFolder;
    base = newBase;
    extension = newExtension;
    Rebuild();
}

void PathName::SetFromFullPath(const std::string& path) {
    std::size_t slash = mbcs::FindLast(path, '\\');
    if (slash == std::string::npos) {
        folder.clear();
        SetFileName(path);
        return;
    }
    folder = path.substr(0, slash);
    SetFileName(path.substr(slash + 1));
}

void PathName::SetFileName(const std::string& name) {
    std::size_t dot = mbcs::FindLast(name, '.');
    if (dot == std::string::npos) {
        base = name;
        extension = kNoExtension;
    } else {
        base = name.substr(0, dot);
        extension = name.substr(dot + 1);
    }
    Rebuild();
}

void PathName::SetBase(const std::string& newBase) {
    base = newBase;
    Rebuild();
}

const std::string& PathName::Part(PathPart part) const {
    switch (part) {
        case PathPart::FullPath:
            return fullPath;
        case PathPart::FileName:
            return fileName;
        case PathPart::Folder:
            return folder;
        case PathPart::Base:
            return base;
        case PathPart::Extension:
            return extension;
    }
    return fullPath;
}

std::string PathName::BuildFileName() const {
    return JoinName(base, extension);
}

std::string PathName::SlashPath() const {
    return mbcs::ToSlashForm(folder) + "/" + BuildFileName();
}

bool PathName::SameAs(const PathName& other) const {
    return folder == other.folder && base == other.base && extension == other.extension;
}

void PathName::Rebuild() {
    fileName = JoinName(base, extension);
    fullPath = folder + "\\" + fileName;
}

std::string PartsKey(const PathName& path) {
    std::string key = path.Folder();
    key += '\0';
    key += path.Base();
    key += '\0';
    key += path.Extension();
    return key;
}

bool IsSamePlace(const PathName& a, const PathName& b) {
    return a.SameAs(b) || a.FullPath() == b.FullPath();
}

bool IsCaseChangeOnly(const PathName& from, const PathName& to) {
    return from.Folder() == to.Folder() && from.FileName() != to.FileName() &&
           platform::CaseFoldKey(from.FileName()) == platform::CaseFoldKey(to.FileName());
}

namespace {

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

PathForm ClassifyPath(const std::string& path, std::string* trimmed) {
    *trimmed = path;
    while (!trimmed->empty() && mbcs::FindLast(*trimmed, '\\') == trimmed->size() - 1) {
        trimmed->pop_back();
    }
    const std::string& p = *trimmed;
    const bool unc = p.compare(0, 2, "\\\\") == 0;
    if (p.empty() || (p.size() == 2 && IsDriveLetter(p[0]) && p[1] == ':')) {
        return PathForm::Root;
    }
    if (unc) {
        // "\\server" and "\\server\share" are roots; the item begins below the share.
        const std::size_t share = mbcs::FindFirst(p, '\\', 2);
        return share == std::string::npos ||
                       mbcs::FindFirst(p, '\\', share + 1) == std::string::npos
                   ? PathForm::Root
                   : PathForm::Full;
    }
    const bool drive = p.size() > 2 && IsDriveLetter(p[0]) && p[1] == ':' && p[2] == '\\';
    // "\a\b" without a drive would be taken on whatever drive is current.
    const bool rooted = p[0] == '\\' && !platform::RootsNeedADrive();
    const std::size_t last = mbcs::FindLast(p, '\\');
    if ((drive || rooted) && last != std::string::npos && last > 0) {
        return PathForm::Full;
    }
    return PathForm::Relative;
}

bool IsFolderPath(const std::string& fullPath) {
    return platform::IsDirectory(mbcs::ToSlashForm(fullPath));
}
