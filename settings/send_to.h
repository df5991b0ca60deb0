// The shortcut to Varnel in the user's Send To folder, put and removed by one button of the
// settings sheet. Nothing about it is stored: its presence is looked at each time.
#pragma once

#include <string>

#include "platform/handles.h"

// The Send To folder followed by "\Varnel.lnk", computed afresh; "" when the folder cannot be had.
std::string SendToShortcutPath();
bool SendToShortcutExists(const std::string& shortcut);
// A shell link whose only property is its target; a message tells of a failure.
bool CreateSendToShortcut(const std::string& shortcut, const std::string& target);
// A message owned by the window tells of a failure.
bool DeleteSendToShortcut(WindowHandle owner, const std::string& shortcut);

// What the button would do next, as its text.
