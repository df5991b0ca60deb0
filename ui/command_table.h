// The program's command vocabulary: which command runs what, and in which window mode.
#pragma once

struct AppContext;

// Runs the command with this id. Commands of the list only run in the list window, and nothing
// that changes the list runs while a rename pass is under way or the names are out in the tool.
void DispatchCommand(AppContext* context, int id);
