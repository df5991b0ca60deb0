// A step of the batch shown and applied: the status texts, the commands grayed, and the commands
// the step sends next as the settings say.
#pragma once

#include "ui/workflow.h"

struct AppContext;

// The follow-ups are sent, not posted: each runs to its end, with its own step, before this
// returns.
void SetStep(AppContext* c, WorkflowStep step, FollowUps followUps = FollowUps::Send);
