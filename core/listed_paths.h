// Where the listed entries are, for the adding rules. The index only tells quickly that a path
// meets none of them; a path that meets one is looked up by a walk over the entries, which finds
// the first in list order for its message. So it keeps a hash of each path, not the path: a hash
// that two paths share only costs that walk.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "core/rename_entry.h"
#include "platform/key_hash.h"

class ListedPaths {
  public:
    void Clear();
    void Add(const RenameEntry& entry);

    // The path may be some entry's first or current path.
    bool Listed(const std::string& path) const;
    // Some listed folder may lie above the path.
    bool UnderFolder(const std::string& path) const;
    // Some entry's current path may be the path, lie above it or below it.
    bool Meets(const std::string& path) const;

  private:
    using Hashes = std::unordered_set<std::uint64_t, platform::SameHash>;
    Hashes firstOrCurrent;
    Hashes currentPaths;
    Hashes folderPaths;
    // Every part of a current path that a backslash byte follows, with how many paths have it.
    std::unordered_map<std::uint64_t, unsigned, platform::SameHash> above;
};
