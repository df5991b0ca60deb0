#include "ui/main_layout.h"

#include <windows.h>

#include "platform/screen_scale.h"
#include "settings/app_paths.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/list_view_pane.h"
#include "ui/status_bar.h"
#include "ui/toolbars.h"
#include "ui/window_modes.h"

namespace {

constexpr int kPictureWidth = 194;
constexpr int kPictureHeight = 150;

// The normal box of a minimized or maximized window, in screen coordinates: the placement gives
// it in work-area coordinates, which differ from the screen's where a task bar sits top or left.
RECT NormalRect(HWND window) {
    RECT r = {};
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(window, &placement)) {
        GetWindowRect(window, &r);
        return r;
    }
    r = placement.rcNormalPosition;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) == 0 &&
        GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor)) {
        OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left,
                   monitor.rcWork.top - monitor.rcMonitor.top);
    }
    return r;
}

}  // namespace

MainLayout::MainLayout(AppContext* context)
    : context(context),
      listMode(context->settings->GetString(keys::kWindowMode, "Normal") != "Normal" ? 1 : 0) {}

MainLayout::~MainLayout() {
    if (background) {
        DeleteObject(background);
    }
}

bool MainLayout::IsNormalMode() const {
    return context->settings->GetString(keys::kWindowMode, "Normal") == "Normal";
}

void MainLayout::ToggleMode() {
    SaveWindowState();
    listMode = listMode != 1 ? 1 : 0;
    SettingsStore& store = *context->settings;
    store.SetString(keys::kWindowMode,
                    ToggledModeValue(store.GetString(keys::kWindowMode, "Normal")));
    ApplyMode();
}

void MainLayout::ApplyMode() {
    HWND window = context->mainWindow;
    const bool list = listMode != 0;
    const WindowFace face = FaceOf(list);
    if (IsZoomed(window) || IsIconic(window)) {
        // The new face starts from the window's normal box.
        ShowWindow(window, SW_RESTORE);
    }
    const int dpi = WindowDpi(window);
    const WindowBox box = OpeningBox(*context->settings, list);
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(face.changedStyle));
    // The frame follows the new style (a sizing border or none) before the size is set.
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT r;
    GetWindowRect(window, &r);
    MoveWindow(window, r.left, r.top, ToDevicePixels(box.width, dpi),
               ToDevicePixels(box.height, dpi), TRUE);
    if (context->statusBar) {
        context->statusBar->Recreate(face.sizeGrip);
        ApplyFonts(dpi);
    }
    if (context->listView) {
        context->listView->ShowList(face.list);
    }
    if (context->toolbars) {
        context->toolbars->ShowForMode(face.list);
        // Bar 100 was last laid out for the other width, and the list below it for its height.
        context->toolbars->AutoSize();
    }
    if (context->listView) {
        RECT client;
        GetClientRect(window, &client);
        context->listView->Layout(client.right, client.bottom);
    }
    // The background is painted in one mode only.
    RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void MainLayout::SaveWindowState() {
    HWND window = context->mainWindow;
    RECT r;
    if (!GetWindowRect(window, &r)) {
        return;
    }
    // Minimized, the window is parked off the screen; maximized, it covers the screen. Either
    // way the next start opens at the box the window comes back to.
    if (IsIconic(window) || IsZoomed(window)) {
        r = NormalRect(window);
    }
    StoreWindowBox(*context->settings,
                   ToStoredBox({r.left, r.top, r.right - r.left, r.bottom - r.top}, SystemDpi(),
                               WindowDpi(window)));
    if (context->listView) {
        context->listView->SaveColumnWidths();
    }
}

void MainLayout::PaintBackground(HDC dc) {
    if (listMode) {
        // The list and the status bar cover the rest; the flat bar 100 draws over its parent's
        // background, which would otherwise be whatever the screen held there.
        if (context->toolbars) {
            RECT bar = context->toolbars->GetListModeBarRect();
            MapWindowPoints(nullptr, context->mainWindow, reinterpret_cast<POINT*>(&bar), 2);
            FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
        }
        return;
    }
    const int dpi = WindowDpi(context->mainWindow);
    if (dpi != backgroundDpi) {
        LoadBackground(dpi);
    }
    if (background) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, background);
        BitBlt(dc, 0, 0, ToDevicePixels(kPictureWidth, dpi), ToDevicePixels(kPictureHeight, dpi),
               memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        return;
    }
    RECT client;
    GetClientRect(context->mainWindow, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

void MainLayout::LoadBackground(int dpi) {
    if (background) {
        DeleteObject(background);
    }
    // The user's own picture beside the exe, stretched to its place at this scale.
    const std::string picture = context->paths->ExecutableFolder() + "\\bg_01.bmp";
    background = static_cast<HBITMAP>(LoadImageA(
        context->instance, picture.c_str(), IMAGE_BITMAP, ToDevicePixels(kPictureWidth, dpi),
        ToDevicePixels(kPictureHeight, dpi), LR_LOADFROMFILE));
    backgroundDpi = dpi;
}

void MainLayout::ApplyFonts(int dpi) {
    fonts.Apply(context->listView ? context->listView->Window() : nullptr,
                context->statusBar ? context->statusBar->Window() : nullptr, dpi);
}

void MainLayout::ApplyDpi(int newDpi, const RECT& suggested) {
    // The children first: the move below lays them out, and takes the bars' new heights.
    if (context->toolbars) {
        context->toolbars->ApplyDpi(newDpi);
    }
    if (context->listView) {
        context->listView->ApplyDpi(newDpi);
    }
    if (context->statusBar) {
        context->statusBar->Recreate(FaceOf(listMode != 0).sizeGrip);
    }
    ApplyFonts(newDpi);
    SetWindowPos(context->mainWindow, nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The same box sends no WM_SIZE (a maximized window whose monitor changed its scale), yet
    // the bars have grown: laid out here either way.
    RECT client = {};
    GetClientRect(context->mainWindow, &client);
    SendMessageA(context->mainWindow, WM_SIZE,
                 IsZoomed(context->mainWindow) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                 MAKELPARAM(client.right, client.bottom));
    RedrawWindow(context->mainWindow, nullptr, nullptr,
                 RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}
