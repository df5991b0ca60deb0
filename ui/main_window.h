// The main window: its class, and the procedure that hands every message to its owner.
#pragma once

#include "platform/handles.h"

struct AppContext;

bool RegisterMainWindowClass(AppContext* context);
// Creates the window in the mode and place the settings give; its creation builds the window's
// objects. nullptr on failure.
WindowHandle CreateMainWindow(AppContext* context);
