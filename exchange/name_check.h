// Checks of typed and imported names before they become edit names.
#pragma once

#include <string>

#include "platform/handles.h"

// True when the name may be used as a file or folder name. When showMessage is set, a refused
// name is reported in a message box with the given owner (none in the two-argument form).
bool IsValidName(const std::string& name, bool showMessage);
bool IsValidName(const std::string& name, bool showMessage, WindowHandle owner);
