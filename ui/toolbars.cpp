#include "ui/toolbars.h"

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>

#include "core/app_context.h"

Toolbars::Toolbars(AppContext* context) : context(context) {}

Toolbars::~Toolbars() {
    for (WindowHandle bar : {listModeBar, compactBar, topMostBar}) {
        if (bar) {
            DestroyWindow(bar);
        }
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
