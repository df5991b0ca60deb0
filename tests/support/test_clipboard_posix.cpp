#include "platform/clipboard.h"
#include "tests/support/test_clipboard.h"

namespace test_clipboard {

WindowHandle Acquire() {
    return nullptr;
}
void Release() {}
void PutNonText() {
    platform::PutClipboardNonText();
}

}  // namespace test_clipboard
