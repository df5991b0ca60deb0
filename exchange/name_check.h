// Checks of typed and imported names before they become edit names.
#pragma once

#include <string>

#include "core/name_rules.h"

#include "platform/handles.h"

// The name rules with the extension handling of this start (UseExtension).
bool IsValidName(const std::string& name, bool showMessage);
bool IsValidName(const std::string& name, bool showMessage, WindowHandle owner);
