// Fresh "~%_" names for entries that stand in the way during a rename pass, all chosen before the
// pass moves anything: a name that exists is passed over. Nothing is reserved on disk and nothing
// is ever deleted; a move onto a chosen name never replaces anything, so a name taken meanwhile
// makes that move fail.
#pragma once

#include <string>
#include <unordered_set>

#include "core/path_name.h"
#include "core/place_index.h"
#include "platform/file_system.h"

class TemporaryNames {
  public:
    // A path that no temporary name may take: another entry's target in the same pass.
    void Keep(const PathName& path);

    // The next candidate in the folder; candidates never repeat within one object.
    PathName NextCandidate(const std::string& folder);

    // A fresh name in the folder that nothing exists at now, asked of `places` when given (one
    // read of each folder for the whole pass), else of the file system name by name. False when
    // none could be found.
    bool Choose(const std::string& folder, PathName* chosen, PlaceIndex* places = nullptr);

  private:
    std::unordered_set<std::string> kept;  // full paths, ASCII letters folded
    unsigned long long next = 1;
};

// Tells the user that no temporary name could be found.
void ShowNoTemporaryName();

// True for names of exactly the temporary form this program gives ("~%_" and lower-case hex
// digits, ".tmp").
bool IsTemporaryName(const std::string& fileName);
