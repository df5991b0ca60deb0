// The three numbered steps of a batch: what each step shows, which commands it grays or enables,
// and which command it sends next by itself. Kept as data so that it can be checked anywhere.
#pragma once

#include <string>
#include <vector>

enum class WorkflowStep {
    Reset = 1,
    Added = 2,
    Reordered = -2,
    Exported = 3,
    Imported = 4,
    Restored = -4,
    RenameDone = 5,
};

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

// What SetStep does for a step with the list holding `count` entries. A value outside the
// steps gives an empty plan.
StepPlan PlanStep(WorkflowStep step, unsigned count, const StepSettings& settings);
