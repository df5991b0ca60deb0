// Where the listed entries are, for the adding rules. The index only tells quickly that a path
// meets none of them; a path that meets one is looked up by a walk over the entries, which finds
// the first in list order for its message.
#pragma once

#include <string>
#include <unordered_map>
#include <unordered_set>

#include "core/rename_entry.h"

class ListedPaths {
  public:
    void Clear();
    void Add(const RenameEntry& entry);

    // The path is some entry's first or current path.
    bool Listed(const std::string& path) const;
    // Some listed folder lies above the path.
    bool UnderFolder(const std::string& path) const;
    // Some entry's current path is the path, lies above it or below it.
    bool Meets(const std::string& path) const;

  private:
    std::unordered_set<std::string> firstPaths;
    std::unordered_set<std::string> currentPaths;
    std::unordered_set<std::string> folderPaths;
    // Every part of a current path that a backslash byte follows, with how many paths have it.
    std::unordered_map<std::string, unsigned> above;
};
