// The one check of the targets a batch gives its entries, for the import and the rename pass
// alike, decided before anything moves: names that cannot be made, two entries taking one place,
// places held by files outside the list, and which entries must first go aside. Places are
// compared as Windows compares them, letter case folded.
#pragma once

#include <string>
#include <vector>

#include "core/path_name.h"
#include "platform/handles.h"

class PlaceIndex;
class RenameList;

struct TargetProblem {
    enum class Kind { None, CannotBeMade, Duplicate, Occupied, SameFile };
    Kind kind = Kind::None;
    unsigned entry = 0;            // the entry (line) refused
    unsigned other = 0;            // Duplicate, SameFile: the later entry of the two
    const char* reason = nullptr;  // CannotBeMade: why, for the user
    std::string file;              // SameFile: the file both name
};

// Shows the message for a name that cannot be made, two that take one place, or two rows that
// name one file, with their lines; false for any other problem, which its caller words itself.
bool ShowNameProblem(WindowHandle owner, const TargetProblem& problem,
                     const std::vector<const PathName*>& targets, const char* title,
                     unsigned style);

// targets[i] is entry i's target (entries beyond targets.size() are not in the batch). The
// entries in the way are added to *inTheWay in the order they are to be moved aside.
TargetProblem CheckTargets(const RenameList& list, const std::vector<const PathName*>& targets,
                           bool lenient, std::vector<unsigned>* inTheWay, PlaceIndex* onDisk);
