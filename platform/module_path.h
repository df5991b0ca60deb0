// Where the running program lies.
#pragma once

#include <string>

namespace platform {

// The executable's full path in cp932 with backslashes, of any length; the empty string when it
// cannot be had or has no exact cp932 form.
std::string ExecutablePath();

}  // namespace platform
