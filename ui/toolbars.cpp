#include "ui/toolbars.h"

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>

#include "platform/screen_scale.h"
#include "res/resource_ids.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/artwork.h"
#include "ui/control_ids.h"

namespace {

constexpr int kSeparator = 0;

// One button of the bars; its image is its place in the strip (res/art/draw.py).
struct Button {
    int image;
    int command;
    int tip;
};

// Bar 100 carries all of them, bar 101 the first eleven.
constexpr Button kButtons[] = {
    {0, IDC_MODE_CHANGE, IDS_TIP_MODE_CHANGE},
    {0, kSeparator, 0},
    {4, IDC_NEW, IDS_TIP_NEW},
    {5, IDC_OPEN, IDS_TIP_OPEN},
    {0, kSeparator, 0},
    {2, IDC_EXPORT_FILE, IDS_TIP_EXPORT_FILE},
    {3, IDC_IMPORT_FILE, IDS_TIP_IMPORT_FILE},
    {0, kSeparator, 0},
    {6, IDC_RENAME, IDS_TIP_RENAME},
    {7, IDC_RESTORE, IDS_TIP_RESTORE},
    {0, kSeparator, 0},
    {1, IDC_TOP_MOST, IDS_TIP_TOP_MOST},
    {0, kSeparator, 0},
};
constexpr int kListModeButtons = 13;
constexpr int kCompactButtons = 11;
constexpr Button kTopMostButton = kButtons[11];

constexpr DWORD kListModeBarStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE;
constexpr DWORD kCompactBarStyle = kListModeBarStyle | CCS_NODIVIDER;
constexpr DWORD kTopMostBarStyle = kCompactBarStyle | CCS_NOPARENTALIGN;
// At 96 dpi: a button is its 16 x 15 image and the bar's margins around it.
constexpr int kButtonWidth = 23;
constexpr int kButtonHeight = 22;
// A narrow strip down the left edge, below bar 101.
constexpr int kTopMostBarTop = 26;
constexpr int kTopMostBarWidth = 26;
constexpr int kTopMostBarHeight = 180;

TBBUTTON ButtonRecord(const Button& b) {
    TBBUTTON r = {};
    r.iBitmap = b.image;
    r.idCommand = b.command;
    r.fsState = TBSTATE_ENABLED;
    r.fsStyle = b.command == kSeparator ? BTNS_SEP : BTNS_BUTTON;
    return r;
}

void AddStyle(HWND bar, LONG style) {
    SetWindowLongA(bar, GWL_STYLE, GetWindowLongA(bar, GWL_STYLE) | style);
}

HWND MakeBar(AppContext* c, DWORD style, int id, const Button* buttons, int count) {
    HWND bar =
        CreateWindowExA(0, TOOLBARCLASSNAMEA, "", style, 0, 0, 0, 0, c->mainWindow,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), c->instance, nullptr);
    if (!bar) {
        return nullptr;
    }
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON records[kListModeButtons];
    for (int i = 0; i < count; ++i) {
        records[i] = ButtonRecord(buttons[i]);
    }
    SendMessageA(bar, TB_ADDBUTTONSA, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(records));
    return bar;
}

int TipOf(UINT_PTR command) {
    for (const Button& b : kButtons) {
        if (b.command != kSeparator && static_cast<UINT_PTR>(b.command) == command) {
            return b.tip;
        }
    }
    return 0;
}

}  // namespace

Toolbars::Toolbars(AppContext* context) : context(context) {
    listModeBar = MakeBar(context, kListModeBarStyle, kListModeBarId, kButtons, kListModeButtons);
    if (listModeBar) {
        AddStyle(listModeBar, TBSTYLE_FLAT);
    }
    compactBar = MakeBar(context, kCompactBarStyle, kCompactBarId, kButtons, kCompactButtons);
    if (compactBar) {
        // Transparent: the compact window's picture shows through.
        AddStyle(compactBar, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT);
    }
    topMostBar = MakeBar(context, kTopMostBarStyle, kTopMostBarId, &kTopMostButton, 1);
    if (topMostBar) {
        AddStyle(topMostBar, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT);
    }
    ApplyDpi(WindowDpi(context->mainWindow));
    ShowForMode(context->settings->GetString(keys::kWindowMode, "Normal") != "Normal");
}

Toolbars::~Toolbars() {
    for (WindowHandle bar : {listModeBar, compactBar, topMostBar}) {
        if (bar) {
            DestroyWindow(bar);
        }
    }
    if (images) {
        ImageList_Destroy(images);
    }
}

void Toolbars::ApplyDpi(int dpi) {
    HIMAGELIST old = images;
    images = LoadArtwork(context->instance, Artwork::Toolbar, dpi);
    const LPARAM size =
        MAKELONG(ToDevicePixels(kButtonWidth, dpi), ToDevicePixels(kButtonHeight, dpi));
    for (WindowHandle bar : {listModeBar, compactBar, topMostBar}) {
        if (bar) {
            SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
            SendMessageA(bar, TB_SETBUTTONSIZE, 0, size);
        }
    }
    if (old) {
        ImageList_Destroy(old);
    }
    // The bars along the top take the height of their new buttons.
    for (WindowHandle bar : {listModeBar, compactBar}) {
        if (bar) {
            SendMessageA(bar, TB_AUTOSIZE, 0, 0);
        }
    }
    if (topMostBar) {
        MoveWindow(topMostBar, 0, ToDevicePixels(kTopMostBarTop, dpi),
                   ToDevicePixels(kTopMostBarWidth, dpi), ToDevicePixels(kTopMostBarHeight, dpi),
                   TRUE);
    }
}

bool Toolbars::SetMenuItemState(int commandId, unsigned state) {
    HMENU menu = GetMenu(context->mainWindow);
    if (!menu) {
        return false;
    }
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    info.fState = state;
    const bool done = SetMenuItemInfoA(menu, static_cast<UINT>(commandId), FALSE, &info) != 0;
    // The bar draws its items anew only when it is set again.
    SetMenu(context->mainWindow, menu);
    return done;
}

bool Toolbars::SetCommandGrayed(int commandId, bool grayed) {
    bool done = SetMenuItemState(commandId, grayed ? MFS_GRAYED : 0);
    // A grayed button is drawn gray and cannot be pressed; a bar without the button ignores it.
    const LPARAM state = MAKELONG(grayed ? TBSTATE_INDETERMINATE : TBSTATE_ENABLED, 0);
    for (WindowHandle bar : {listModeBar, compactBar, topMostBar}) {
        if (bar && SendMessageA(bar, TB_SETSTATE, static_cast<WPARAM>(commandId), state)) {
            done = true;
        }
    }
    return done;
}

void Toolbars::ShowForMode(bool listMode) {
    ShowWindow(listModeBar, listMode ? SW_SHOW : SW_HIDE);
    ShowWindow(compactBar, listMode ? SW_HIDE : SW_SHOW);
    ShowWindow(topMostBar, listMode ? SW_HIDE : SW_SHOW);
}

void Toolbars::AutoSize() {
    if (listModeBar && context->settings->GetString(keys::kWindowMode, "Normal") != "Normal") {
        SendMessageA(listModeBar, TB_AUTOSIZE, 0, 0);
    }
}

RECT Toolbars::GetListModeBarRect() const {
    RECT r = {};
    if (listModeBar) {
        GetWindowRect(listModeBar, &r);
    }
    return r;
}

void Toolbars::FillToolTip(NMTTDISPINFOA* info) {
    info->hinst = context->instance;
    if (const int tip = TipOf(info->hdr.idFrom)) {
        info->lpszText = MAKEINTRESOURCEA(tip);
    }
}

void Toolbars::FillToolTip(NMTTDISPINFOW* info) {
    info->hinst = context->instance;
    if (const int tip = TipOf(info->hdr.idFrom)) {
        info->lpszText = MAKEINTRESOURCEW(tip);
    }
}
