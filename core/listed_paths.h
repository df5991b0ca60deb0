// Where the listed entries are, for the adding rules. The index only tells quickly that a path
// meets none of them; a path that meets one is looked up by a walk over the entries, which finds
// the first in list order for its message. So it keeps a hash of each path, not the path: a hash
// that two paths share only costs that walk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/rename_entry.h"

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
    // A set of hashes in one table, 16 bytes or less a hash: no piece of memory per path.
    class Hashes {
      public:
        void Clear();
        void Insert(std::uint64_t hash);
        bool Holds(std::uint64_t hash) const;
        bool Empty() const { return used == 0; }

      private:
        std::vector<std::uint64_t> slots;  // 0 is free; a hash of 0 is kept as 1
        std::size_t used = 0;
    };
    Hashes firstOrCurrent;
    Hashes currentPaths;
    Hashes folderPaths;
    // Every part of a current path that a backslash byte follows.
    Hashes above;
};
