#include "ui/status_bar.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "platform/screen_scale.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
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
    SetParts(CountPartEdge("000"));
}

void StatusBar::SetParts(int countEdge) {
    // The step part runs to the right edge, so it follows every size of the window by itself.
    int edges[2] = {countEdge, -1};
    SendMessageA(statusWindow, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
}

int StatusBar::CountPartEdge(const std::string& text) const {
    // The bar draws with its own font, which is not the one a fresh DC holds; a bar that was
    // given none (Wine's then answers null) draws with the system's status font.
    // The system gives that font for its own dpi, which need not be the window's.
    const int dpi = WindowDpi(context->mainWindow);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(statusWindow, WM_GETFONT, 0, 0));
    HFONT madeFont = nullptr;
    if (!font) {
        NONCLIENTMETRICSA metrics = {};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
            LOGFONTA& status = metrics.lfStatusFont;
            status.lfHeight = RescalePixels(status.lfHeight, SystemDpi(), dpi);
            font = madeFont = CreateFontIndirectA(&status);
        }
    }
    SIZE textSize = {};
    SIZE digit = {};
    if (HDC dc = GetDC(statusWindow)) {
        HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &textSize);
        GetTextExtentPoint32A(dc, "0", 1, &digit);
        if (old) {
            SelectObject(dc, old);
        }
        ReleaseDC(statusWindow, dc);
    }
    if (madeFont) {
        DeleteObject(madeFont);
    }
    int borders[3] = {};
    SendMessageA(statusWindow, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    // The part's sunken edge on both sides, and half a digit of room either side of the text.
    return borders[0] + 2 * SystemMetricAt(SM_CXEDGE, dpi) + textSize.cx + digit.cx;
}

void StatusBar::ShowCount(const std::string& text) {
    if (!statusWindow) {
        return;
    }
    int edges[2] = {};
    SendMessageA(statusWindow, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
    const int edge = CountPartEdge(text);
    if (edges[0] != edge) {
        SetParts(edge);
    }
    SendMessageA(statusWindow, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::SetStepText(const std::string& text) {
    SendMessageA(statusWindow, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::SetCount(unsigned count) {
    char text[16];
    std::snprintf(text, sizeof text, "%03u", count);
    ShowCount(text);
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
    ShowCount(count);
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
