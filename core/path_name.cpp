#include "core/path_name.h"

#include "core/mbcs.h"
#include "platform/file_system.h"

namespace {

// The folder of the last path split. Paths arrive folder by folder (a drop, a sorted list), so
// asking only the last one shares nearly every folder at no cost of a table.
std::shared_ptr<const std::string>& LastFolder() {
    static std::shared_ptr<const std::string> last = std::make_shared<const std::string>();
    return last;
}

const std::shared_ptr<const std::string>& NoFolder() {
    static const std::shared_ptr<const std::string> none = std::make_shared<const std::string>();
    return none;
}

}  // namespace

PathName::PathName() : folder(NoFolder()) {}

void PathName::SetFolder(const std::string& path, std::size_t length) {
    if (folder->size() == length && path.compare(0, length, *folder) == 0) {
        return;
    }
    std::shared_ptr<const std::string>& last = LastFolder();
    if (last->size() != length || path.compare(0, length, *last) != 0) {
        last = std::make_shared<const std::string>(path, 0, length);
    }
    folder = last;
}

void PathName::SetName(const std::string& base, const std::string* extension) {
    name = base;
    baseLength = static_cast<std::uint32_t>(base.size());
    hasExtension = extension != nullptr && *extension != kNoExtension;
    if (hasExtension) {
        name += '.';
        name += *extension;
    }
}

void PathName::Assign(const std::string& newFolder, const std::string& newBase,
                      const std::string& newExtension) {
    SetFolder(newFolder, newFolder.size());
    SetName(newBase, &newExtension);
}

void PathName::SetFromFullPath(const std::string& path) {
    std::size_t slash = mbcs::FindLast(path, '\\');
    if (slash == std::string::npos) {
        SetFolder(path, 0);
        SetFileName(path);
        return;
    }
    SetFolder(path, slash);
    SetFileName(path.substr(slash + 1));
}

void PathName::SetFileName(const std::string& newName) {
    std::size_t dot = mbcs::FindLast(newName, '.');
    name = newName;
    hasExtension = dot != std::string::npos;
    baseLength = static_cast<std::uint32_t>(hasExtension ? dot : newName.size());
}

void PathName::SetBase(const std::string& newBase) {
    const std::string extension = Extension();
    SetName(newBase, &extension);
}

std::string PathName::Extension() const {
    return hasExtension ? name.substr(baseLength + 1) : std::string(kNoExtension);
}

std::string PathName::FullPath() const {
    std::string path;
    path.reserve(folder->size() + 1 + name.size());
    AppendPart(PathPart::FullPath, &path);
    return path;
}

std::string PathName::Part(PathPart part) const {
    std::string text;
    AppendPart(part, &text);
    return text;
}

void PathName::AppendPart(PathPart part, std::string* out) const {
    switch (part) {
        case PathPart::FullPath:
            *out += *folder;
            *out += '\\';
            *out += name;
            return;
        case PathPart::FileName:
            *out += name;
            return;
        case PathPart::Folder:
            *out += *folder;
            return;
        case PathPart::Base:
            out->append(name, 0, baseLength);
            return;
        case PathPart::Extension:
            if (hasExtension) {
                out->append(name, baseLength + 1, std::string::npos);
            } else {
                *out += kNoExtension;
            }
            return;
    }
}

std::string PathName::SlashPath() const {
    return mbcs::ToSlashForm(*folder) + "/" + name;
}

bool PathName::SameAs(const PathName& other) const {
    return baseLength == other.baseLength && hasExtension == other.hasExtension &&
           name == other.name && (folder == other.folder || *folder == *other.folder);
}

std::string SlashFolder(const std::string& slashPath) {
    const std::size_t slash = slashPath.rfind('/');
    return slash == std::string::npos ? std::string() : slashPath.substr(0, slash + 1);
}

std::string SlashName(const std::string& slashPath) {
    const std::size_t slash = slashPath.rfind('/');
    return slash == std::string::npos ? slashPath : slashPath.substr(slash + 1);
}

bool IsSamePlace(const PathName& a, const PathName& b) {
    if (a.SameAs(b) || (a.FileName() == b.FileName() && a.Folder() == b.Folder())) {
        return true;
    }
    return a.Folder().size() + a.FileName().size() == b.Folder().size() + b.FileName().size() &&
           a.FullPath() == b.FullPath();
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
