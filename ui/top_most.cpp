// Always on top: the window and the menu check follow the TopMost setting.
#include <windows.h>

#include "res/resource_ids.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/commands.h"
#include "ui/toolbars.h"

void Commands::ToggleTopMost(bool flip) {
    bool on = GetBool(kIdTopMost);
    if (flip) {
        on = !on;
    }
    if (context->toolbars) {
        context->toolbars->SetMenuItemState(IDC_TOP_MOST, on ? MFS_CHECKED : 0);
    }
    SetBool(kIdTopMost, on);
    ApplyTopMost();
}

void Commands::ApplyTopMost() {
    SetWindowPos(context->mainWindow, GetBool(kIdTopMost) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0,
                 0, SWP_NOMOVE | SWP_NOSIZE);
}
