#include "tests/support/message_box_recorder.h"

#include <utility>

namespace {

std::vector<RecordedBox>& Boxes() {
    static std::vector<RecordedBox> recorded;
    return recorded;
}

std::function<int(const RecordedBox&)>& Answerer() {
    static std::function<int(const RecordedBox&)> answerer;
    return answerer;
}

int DefaultAnswer(const RecordedBox& box) {
    const unsigned buttons = box.style & 0x0Fu;
    return buttons == kMbYesNo || buttons == kMbYesNoCancel ? kIdYes : kIdOk;
}

}  // namespace

int ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& title,
                   unsigned style) {
    RecordedBox box{owner, title, text, style};
    Boxes().push_back(box);
    return Answerer() ? Answerer()(box) : DefaultAnswer(box);
}

namespace boxes {

const std::vector<RecordedBox>& Recorded() {
    return Boxes();
}

void Reset() {
    Boxes().clear();
    Answerer() = nullptr;
}

void SetAnswerer(std::function<int(const RecordedBox&)> answerer) {
    Answerer() = std::move(answerer);
}

}  // namespace boxes
