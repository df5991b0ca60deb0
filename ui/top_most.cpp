#include "ui/top_most.h"

#include <windows.h>

#include "res/resource_ids.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/toolbars.h"

void ToggleTopMost(AppContext* c, bool flip) {
    bool on = GetBool(kIdTopMost);
    if (flip) {
        on = !on;
    }
    if (c->toolbars) {
        c->toolbars->SetMenuItemState(IDC_TOP_MOST, on ? MFS_CHECKED : 0);
    }
    SetBool(kIdTopMost, on);
    ApplyTopMost(c);
}

void ApplyTopMost(AppContext* c) {
    SetWindowPos(c->mainWindow, GetBool(kIdTopMost) ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}
