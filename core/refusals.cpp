#include "core/refusals.h"

#include "core/texts.h"
#include "platform/message_box.h"

void Refusals::Close(WindowHandle owner) {
    if (depth > 0 && --depth == 0) {
        Show(owner);
    }
}

void Refusals::Refuse(WindowHandle owner, const std::string& path, const std::string& reason,
                      const std::string& text) {
    gathered.push_back({path, reason, text});
    if (depth == 0) {
        Show(owner);
    }
}

void Refusals::Show(WindowHandle owner) {
    if (gathered.empty()) {
        return;
    }
    // Taken first: the message's own loop may start another road.
    const std::vector<Refusal> shown = std::move(gathered);
    gathered.clear();
    if (shown.size() == 1) {
        ShowMessageBox(owner, shown[0].text, texts::kTitleAdding, kMbIconError);
        return;
    }
    std::string text = texts::Fill(texts::kAddMany, {std::to_string(shown.size())});
    text += texts::FirstLines(shown.size(), texts::kNamedInQuestion, [&](std::size_t i) {
        return texts::Fill(texts::kAddManyLine, {shown[i].path, shown[i].reason});
    });
    ShowMessageBox(owner, text, texts::kTitleAdding, kMbIconError);
}
