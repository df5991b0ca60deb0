// The clipboard in tests: the real one under Windows, opened for a window of the test's own and
// shared with other test programs that may run at the same time; the in-process one natively.
#pragma once

#include "platform/handles.h"

namespace test_clipboard {

// Takes the clipboard for this test and returns the window to open it for (none natively).
WindowHandle Acquire();
void Release();
// Puts something on the clipboard that is not text, as a copied picture would be.
void PutNonText();

}  // namespace test_clipboard
