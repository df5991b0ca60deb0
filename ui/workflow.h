// The three numbered steps of a batch: what each step shows, which commands it grays or enables,
// and which command it sends next by itself. Kept as data so that it can be checked anywhere.
#pragma once

#include <string>
#include <vector>

enum class WorkflowStep {
    Reset = 1,
    Added = 2,
    Exported = 3,
    Imported = 4,
    RenameDone = 5,
};

// A step reached again by a command of the user's own (a sort, a restore) shows the same but
// sends nothing next: the sort would sort again, the rename would undo the restore.
enum class FollowUps { Send, None };

struct StepPlan {
    bool showCount = false;  // set the entry count (part 0)
    bool showText = false;
    std::string text;                          // step text (part 1) when showText
    std::vector<std::pair<int, bool>> grayed;  // command, grayed; applied in this order
    bool updateCommandStates = false;          // then rename/restore/convert by the list's state
    bool deleteAllRows = false;
    std::vector<int> followUps;  // commands sent, in this order, at the end
};

struct StepSettings {
    bool autoSort;
    bool autoCBCopy;
    bool autoRename;
};

// What SetStep does for a step with the list holding `count` entries.
StepPlan PlanStep(WorkflowStep step, unsigned count, const StepSettings& settings,
                  FollowUps followUps = FollowUps::Send);
