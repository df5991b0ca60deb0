#include "ui/main_layout.h"

#include <windows.h>

#include "core/app_context.h"
#include "settings/app_paths.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/list_view_pane.h"

namespace {

constexpr int kPictureWidth = 194;
constexpr int kPictureHeight = 150;

}  // namespace

MainLayout::MainLayout(AppContext* context)
    : context(context),
      listMode(context->settings->GetString(keys::kWindowMode, "Normal") != "Normal" ? 1 : 0) {
    const std::string picture = context->paths->ExecutableFolder() + "\\bg_01.bmp";
    background = static_cast<HBITMAP>(LoadImageA(context->instance, picture.c_str(), IMAGE_BITMAP,
                                                 kPictureWidth, kPictureHeight, LR_LOADFROMFILE));
}

MainLayout::~MainLayout() {
    if (background) {
        DeleteObject(background);
    }
}

bool MainLayout::IsNormalMode() const {
    return context->settings->GetString(keys::kWindowMode, "Normal") == "Normal";
}

void MainLayout::SaveWindowState() {
    RECT r;
    if (!GetWindowRect(context->mainWindow, &r)) {
        return;
    }
    SettingsStore& store = *context->settings;
    store.SetInt(keys::kWindowPosX, r.left);
    store.SetInt(keys::kWindowPosY, r.top);
    if (store.GetString(keys::kWindowMode, "Normal") == "ListView") {
        store.SetInt(keys::kWindowSizeX, r.right - r.left);
        store.SetInt(keys::kWindowSizeY, r.bottom - r.top);
    }
    if (context->listView) {
        context->listView->SaveColumnWidths();
    }
}

void MainLayout::PaintBackground(HDC dc) {
    if (listMode) {
        return;
    }
    if (background) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, background);
        BitBlt(dc, 0, 0, kPictureWidth, kPictureHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        return;
    }
    RECT client;
    GetClientRect(context->mainWindow, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}
