// Which commands are grayed, in one place: by the workflow step, by the state of the list, by what
// a pop-up menu is opened over; and which commands may run while the list is held.
#pragma once

#include <utility>
#include <vector>

// (command, grayed) in the order they are applied.
using CommandGrays = std::vector<std::pair<int, bool>>;

enum class WorkflowStep;

// The step's own grays, with `count` entries listed. Steps that leave the commands as they are
// give none.
CommandGrays StepGrays(WorkflowStep step, unsigned count);

// Rename and the conversion need an entry whose edit name differs, restore a renamed entry.
CommandGrays ListStateGrays(bool anyNeedsRename, bool anyRenamed);

// The row menu over no selected row, the column menu over an empty list.
std::vector<int> RowMenuGrays(bool anySelected);
std::vector<int> ColumnMenuGrays(bool anyRows);

// Commands that change the entries or their order: they do nothing while a pass runs or the names
// are out in the tool, and paths that arrive while they run wait for their end.
bool ChangesList(int commandId);
