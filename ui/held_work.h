// Work during which the list must not change under it, and the paths kept meanwhile. Commands and
// the wait for the editing tool run modal loops (message boxes, dialogs) that dispatch messages:
// paths handed over or dropped then wait in the list's hold (ui/list_hold.h), in the order they
// came, and are added once the outermost such work has ended.
#pragma once

#include <functional>
#include <string>

struct AppContext;

void RunHeld(AppContext* c, const std::function<void()>& work);
// Paths (each ended by a NUL) added in one batch, then the Added step with its follow-ups (the
// sort, the copy to the clipboard); paths that arrive meanwhile make the next batch.
void AddBatch(AppContext* c, std::string paths);
