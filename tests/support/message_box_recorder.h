// Message boxes in tests: every box is recorded and answered by the test instead of a user.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/message_box.h"

struct RecordedBox {
    WindowHandle owner;
    std::string title;
    std::string text;
    unsigned style;
    unsigned Icon() const { return style & 0xF0u; }
};

namespace boxes {

const std::vector<RecordedBox>& Recorded();
// Forgets the recorded boxes and goes back to answering OK (or Yes where asked).
void Reset();
// The answerer is called while the box is "open": it may act as the user would then.
void SetAnswerer(std::function<int(const RecordedBox&)> answerer);

}  // namespace boxes
