// What a second start hands to the running copy: its paths as one cp932 text, blank-separated,
// a path with blanks in double quotes, as the receiver's command-line reading expects them.
#pragma once

#include <string>
#include <vector>

#include "platform/text.h"

struct HandOverText {
    // Empty when no path is left to send.
    std::string text;
    // The paths that have no exact cp932 form, in their order; they are not sent.
    std::vector<platform::NativeString> refused;
};

// The paths must already be absolute: the receiver cannot know the sender's working folder.
HandOverText MakeHandOverText(const std::vector<platform::NativeString>& paths);
