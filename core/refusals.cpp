#include "core/refusals.h"

#include "platform/message_box.h"

namespace {

constexpr const char kAddTitle[] = "警告：ファイル・フォルダの追加";
constexpr std::size_t kListed = 10;

}  // namespace

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
        ShowMessageBox(owner, shown[0].text, kAddTitle, kMbIconError);
        return;
    }
    std::string text = std::to_string(shown.size()) + " 件のパスを追加しませんでした。\n\n";
    for (std::size_t i = 0; i < shown.size() && i < kListed; ++i) {
        text += shown[i].path + "\n　" + shown[i].reason + "\n";
    }
    if (shown.size() > kListed) {
        text += "ほか " + std::to_string(shown.size() - kListed) + " 件\n";
    }
    ShowMessageBox(owner, text, kAddTitle, kMbIconError);
}
