// Checks of typed and imported names before they become edit names.
#pragma once

#include <string>
#include <vector>

#include "core/name_rules.h"

#include "platform/handles.h"

// The name rules with the extension handling of this start (UseExtension).
bool IsValidName(const std::string& name, bool showMessage);
bool IsValidName(const std::string& name, bool showMessage, WindowHandle owner);

class RenameList;

// The imported lines as the entries' names, checked together before any is taken: 0 fine, 1
// after a message.
int CheckNewNames(const RenameList& list, const std::vector<std::string>& lines);
