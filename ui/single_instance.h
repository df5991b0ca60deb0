// One running Varnel per executable file. A second start hands its paths to the running copy's
// main window and ends without a window of its own.
#pragma once

#include <string>

struct AppContext;

// With SingleApp on, takes this executable's lock. False when this process must end now: another
// process holds the lock (the paths on the command line have then been handed over, or a message
// says why not), or the lock could not be made.
bool ClaimSingleInstance(AppContext* context);

// Sends the text (cp932, zero-terminated on the wire) to the main window of the running copy of
// this very executable; 1 when no such window turned up within a few seconds.
int SendToRunningInstance(const std::string& text);
