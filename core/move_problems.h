// Why moves on disk failed, told to the user: one failed move in a box of its own, many at the
// end of their pass in one report.
#pragma once

#include <string>
#include <vector>

#include "core/rename_entry.h"
#include "platform/file_system.h"
#include "platform/handles.h"

MoveProblem ProblemOf(platform::MoveResult result);
const char* MoveProblemText(MoveProblem problem);

struct FailedMove {
    std::string now;     // the item's full path as it is on disk now
    std::string target;  // the name it was to get
    MoveProblem why;
};

// The box of one failed move, with the item and the reason.
void ShowMoveFailure(WindowHandle owner, const FailedMove& failed, const std::string& more = "");
// After a pass: nothing when every move was made, the box of the one that failed, or one report
// of how many were made and which failed, the first few dozen named; the user may copy the
// whole list to the clipboard.
void ShowPassReport(WindowHandle owner, unsigned made, const std::vector<FailedMove>& failed,
                    unsigned retried = 0);
