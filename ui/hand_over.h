// What a second start hands to the running copy: its paths as one text in the held form (cp932,
// with escapes for what cp932 cannot hold), blank-separated, a path with blanks in double quotes,
// as the receiver's command-line reading expects them. A receiver reads a plain cp932 text of an
// older copy the same way.
#pragma once

#include <string>
#include <vector>

#include "platform/text.h"

// The paths must already be absolute: the receiver cannot know the sender's working folder. Empty
// when no path is left to send (what is no text at all is left out).
std::string MakeHandOverText(const std::vector<platform::NativeString>& paths);
