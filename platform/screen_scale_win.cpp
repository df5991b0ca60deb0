#include <windows.h>

#include "platform/screen_scale.h"

namespace {

// Windows 10 1607 and later have these; older systems, and older Wines, do not.
template <typename Function>
Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32) {
        return nullptr;
    }
    // Through a function type of no arguments: a direct cast between unrelated function types
    // warns.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

int DeviceDpi(HWND window) {
    HDC dc = GetDC(window);
    if (!dc) {
        return kStoredDpi;
    }
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(window, dc);
    return dpi > 0 ? dpi : kStoredDpi;
}

}  // namespace

int WindowDpi(WindowHandle window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) {
            return static_cast<int>(dpi);
        }
    }
    return DeviceDpi(window);
}

int SystemDpi() {
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    static const auto getDpiForSystem = User32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    if (getDpiForSystem) {
        if (const UINT dpi = getDpiForSystem()) {
            return static_cast<int>(dpi);
        }
    }
    return DeviceDpi(nullptr);
}

int SystemMetricAt(int index, int dpi) {
    using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
    static const auto forDpi =
        User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (forDpi) {
        return forDpi(index, static_cast<UINT>(dpi));
    }
    // The system's metrics are for its own dpi.
    return RescalePixels(GetSystemMetrics(index), SystemDpi(), dpi);
}
