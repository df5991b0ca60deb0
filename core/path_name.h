// A file or folder path held as folder, base and extension; the full path is made when asked
// for. All text is cp932.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

enum class PathPart { FullPath = 0, FileName = 1, Folder = 2, Base = 3, Extension = 4 };

// The extension of a name that has no dot at all. An empty extension means the name ends in a dot.
constexpr const char kNoExtension[] = ".";

class PathName {
  public:
    PathName();

    void Assign(const std::string& folder, const std::string& base, const std::string& extension);
    // Splits at the last backslash. A path without one is taken as a bare name in no folder.
    void SetFromFullPath(const std::string& fullPath);
    // Splits at the last dot; without a dot the extension becomes ".".
    void SetFileName(const std::string& name);
    // Replaces the base whole (dots included) and keeps the extension.
    void SetBase(const std::string& base);

    std::string Part(PathPart part) const;
    // The part put after what `out` holds: a caller that compares many parts reuses its room.
    void AppendPart(PathPart part, std::string* out) const;
    const std::string& Folder() const { return *folder; }
    std::string Base() const { return name.substr(0, baseLength); }
    std::string Extension() const;
    std::string FullPath() const;
    const std::string& FileName() const { return name; }

    // The form given to the file system: "D:\a\b.txt" becomes "D:/a/b.txt".
    std::string SlashPath() const;
    bool SameAs(const PathName& other) const;

  private:
    void SetName(const std::string& base, const std::string* extension);
    void SetFolder(const std::string& path, std::size_t length);

    // Shared by the paths of one folder: a list of many files holds each folder once.
    std::shared_ptr<const std::string> folder;
    // base, then "." and the extension unless there is none; the split is kept because a base
    // may hold dots of its own.
    std::string name;
    std::uint32_t baseLength = 0;
    bool hasExtension = false;
};

// A slash path's folder with its closing slash ("D:/a/"; empty when it has none) and its name. A
// slash never stands inside a cp932 character, so the last one ends the folder.
std::string SlashFolder(const std::string& slashPath);
std::string SlashName(const std::string& slashPath);

// The same place on disk: the same three parts, or the same full path split another way (with
// extensions hidden, a dotted name typed for a file without extension is held as one base).
bool IsSamePlace(const PathName& a, const PathName& b);
// The same folder and a name that differs only in letter case, as the file system folds it.
bool IsCaseChangeOnly(const PathName& from, const PathName& to);

// What a path handed to the list names. A full path has a folder ("D:\a", "\\server\share\a");
// a root names a drive or a share, which cannot be renamed; anything else depends on a working
// folder that is not known here.
enum class PathForm { Full, Root, Relative };
// The form of the path with its trailing separators taken off (the folder itself is meant).
PathForm ClassifyPath(const std::string& path, std::string* trimmed);

// True when the item at the full path is a folder; false when its attributes cannot be read.
bool IsFolderPath(const std::string& fullPath);
