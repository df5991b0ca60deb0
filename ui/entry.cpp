// The program's entry: the objects in their order, the main window and the message loop.

#include <windows.h>

#include "core/rename_list.h"
#include "core/texts.h"
#include "platform/message_box.h"
#include "settings/app_paths.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/list_hold.h"
#include "ui/list_view_pane.h"
#include "ui/main_layout.h"
#include "ui/main_window.h"
#include "ui/opening.h"
#include "ui/recovery.h"
#include "ui/single_instance.h"
#include "ui/status_bar.h"
#include "ui/toolbars.h"

namespace {

AppContext theContext;

template <typename T>
void Destroy(T*& object) {
    delete object;
    object = nullptr;
}

// Destroys the objects in their order, the settings store last: its destruction writes the INI
// file. Runs on every way out of the entry function.
void CleanUp(AppContext* c) {
    Destroy(c->paths);
    Destroy(c->list);
    Destroy(c->statusBar);
    Destroy(c->toolbars);
    Destroy(c->hold);
    Destroy(c->listView);
    Destroy(c->layout);
    Destroy(c->settings);
    SetSettingsStore(nullptr);
    ResetSettingKeys();
}

int RunMessageLoop(AppContext* c, HACCEL accelerators) {
    MSG message = {};
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            break;
        }
        // A message that could not be received (Wine fails so on a huge hand-over) is lost; the
        // window and its list are not.
        if (got == -1) {
            continue;
        }
        if (accelerators && TranslateAcceleratorA(c->mainWindow, accelerators, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    AppContext* c = &theContext;
    *c = AppContext();
    c->instance = instance;
    c->paths = new AppPaths();
    c->settings = new SettingsStore(keys::kSection, c->paths->IniPath());
    RegisterDefaultSettings(c->settings, c->paths);
    if (!ClaimSingleInstance(c)) {
        CleanUp(c);
        return 0;
    }
    // Only the instance that goes on to open its window gets here.
    c->layout = new MainLayout(c);
    if (!RegisterMainWindowClass(c) || !CreateMainWindow(c)) {
        CleanUp(c);
        return 0;
    }
    ShowWindow(c->mainWindow, showCommand);
    UpdateWindow(c->mainWindow);
    // With the window up, a second start finds it, and putting files back shows its progress.
    OfferToPutBack(c);

    HACCEL accelerators = LoadAcceleratorsA(instance, "IDR_ACCELERATOR1");
    if (!accelerators) {
        ShowMessageBox(c->mainWindow, texts::kAcceleratorsFailed, texts::kTitleStartError, kMbOk);
    }
    OpenStartupArguments(c);
    int code = RunMessageLoop(c, accelerators);
    CleanUp(c);
    return code;
}
