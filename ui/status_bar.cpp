#include "ui/status_bar.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "core/app_context.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/control_ids.h"

StatusBar::StatusBar(AppContext* context) : context(context) {
    Create(context->settings->GetString(keys::kWindowMode, "Normal") != "Normal");
}

StatusBar::~StatusBar() {
    if (statusWindow && IsWindow(statusWindow)) {
        DestroyWindow(statusWindow);
    }
    statusWindow = nullptr;
}

void StatusBar::Create(bool withGrip) {
    if (statusWindow) {
        DestroyWindow(statusWindow);
    }
    DWORD style = WS_CHILD | WS_VISIBLE | CCS_BOTTOM | (withGrip ? SBARS_SIZEGRIP : 0);
    statusWindow = CreateWindowExA(0, STATUSCLASSNAMEA, "", style, 0, 0, 0, 0, context->mainWindow,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)),
                                   context->instance, nullptr);
    int edges[2] = {22, 200};
    SendMessageA(statusWindow, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
}

void StatusBar::SetStepText(const std::string& text) {
    SendMessageA(statusWindow, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::SetCount(unsigned count) {
    char text[16];
    std::snprintf(text, sizeof text, "%03u", count);
    SendMessageA(statusWindow, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

std::string StatusBar::PartText(int part, size_t size) const {
    // The length message counts characters, not bytes: ask with a buffer of the full size.
    std::vector<char> buffer(size + 1, '\0');
    if (statusWindow) {
        SendMessageA(statusWindow, SB_GETTEXTA, static_cast<WPARAM>(part),
                     reinterpret_cast<LPARAM>(buffer.data()));
    }
    return std::string(buffer.data());
}

int StatusBar::Recreate(bool withGrip) {
    const std::string count = PartText(0, 256);
    const std::string step = PartText(1, 256);
    Create(withGrip);
    SendMessageA(statusWindow, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(count.c_str()));
    SetStepText(step);
    return 0;
}

void StatusBar::AutoSize() {
    SendMessageA(statusWindow, WM_SIZE, 0, 0);
}

int StatusBar::Height() const {
    RECT r;
    return statusWindow && GetWindowRect(statusWindow, &r) ? r.bottom - r.top : 0;
}
