// Fresh "~%_" names for entries that stand in the way during a rename pass. A name is taken by
// moving the item onto it with a move that never replaces anything, so a name that turns out to
// exist is simply passed over: nothing is reserved on disk and nothing is ever deleted.
#pragma once

#include <string>
#include <unordered_set>

#include "core/path_name.h"
#include "platform/file_system.h"

class TemporaryNames {
  public:
    // A path that no temporary name may take: another entry's target in the same pass.
    void Keep(const PathName& path);

    // The next candidate in the folder; candidates never repeat within one object.
    PathName NextCandidate(const std::string& folder);

    // Moves the item at `from` to a fresh temporary name in its own folder. Done with *moved set,
    // or the failure of the first candidate that was free (Other when no candidate was free).
    platform::MoveResult MoveAside(const PathName& from, PathName* moved);
    // True when the last MoveAside found no free name at all.
    bool Exhausted() const { return exhausted; }

  private:
    std::unordered_set<std::string> kept;  // full paths, ASCII letters folded
    unsigned long long next = 1;
    bool exhausted = false;
};

// True for names of the temporary form this program gives.
bool IsTemporaryName(const std::string& fileName);
