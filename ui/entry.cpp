// The program's entry: the objects in their order, the main window and the message loop.

#include <windows.h>

#include "core/app_context.h"
#include "core/mbcs.h"
#include "core/pass_journal.h"
#include "core/rename_list.h"
#include "platform/message_box.h"
#include "settings/app_paths.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/commands.h"
#include "ui/list_view_pane.h"
#include "ui/main_layout.h"
#include "ui/main_window.h"
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
    Destroy(c->commands);
    Destroy(c->listView);
    Destroy(c->layout);
    Destroy(c->settings);
    SetSettingsContext(nullptr);
    ResetSettingKeys();
}

// A pass cut short left its journal beside the INI file: the user decides, before anything is
// listed, whether its files go back to the names they had before it. No keeps the journal, so
// the question comes again at the next start.
void OfferToPutBack(AppContext* c) {
    std::string folder = c->paths->IniPath();
    folder.erase(folder.rfind('/'));
    for (unsigned slot = 0; slot < journal::kSlots; ++slot) {
        LeftJournal left;
        if (!left.Open(folder, slot)) {
            continue;
        }
        const std::string question =
            "前回のリネームが途中で止まったままです。\n（作業記録：" +
            mbcs::ReplaceAll(folder + "/" + journal::FileName(slot), '/', '\\') +
            "）\n\nそのリネームで動いたファイルを、リネーム前の名前に戻しますか？\n\n"
            "「いいえ」なら何もせず、次の起動時にまた確認します。";
        if (ShowMessageBox(nullptr, question, "確認：中断されたリネーム",
                           kMbYesNo | kMbIconQuestion) != kIdYes) {
            continue;
        }
        std::vector<std::string> leftAlone;
        if (left.PutBack(&leftAlone)) {
            continue;
        }
        std::string text =
            "次のファイルは、見つからないか元の名前の場所がふさがっているため、戻していません。\n"
            "作業記録は残してあり、次の起動時にまた確認します。\n\n";
        constexpr std::size_t kShown = 30;
        for (std::size_t i = 0; i < leftAlone.size() && i < kShown; ++i) {
            text += mbcs::ReplaceAll(leftAlone[i], '/', '\\') + "\n";
        }
        if (leftAlone.size() > kShown) {
            text += "ほか " + std::to_string(leftAlone.size() - kShown) + " 件\n";
        }
        ShowMessageBox(nullptr, text, "警告：戻せなかったファイル", kMbIconExclamation);
    }
}

int RunMessageLoop(AppContext* c, HACCEL accelerators) {
    MSG message = {};
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            break;
        }
        if (got == -1) {
            ShowMessageBox(nullptr, "GetMessage Err", "Error", kMbOk);
            break;
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
    c->paths = new AppPaths(c);
    c->settings = new SettingsStore(keys::kSection, c->paths->IniPath());
    RegisterDefaultSettings(c);
    if (!ClaimSingleInstance(c)) {
        CleanUp(c);
        return 0;
    }
    // Only the instance that goes on to open its window gets here.
    OfferToPutBack(c);

    c->layout = new MainLayout(c);
    if (!RegisterMainWindowClass(c) || !CreateMainWindow(c)) {
        CleanUp(c);
        return 0;
    }
    ShowWindow(c->mainWindow, showCommand);
    UpdateWindow(c->mainWindow);

    HACCEL accelerators = LoadAcceleratorsA(instance, "IDR_ACCELERATOR1");
    if (!accelerators) {
        ShowMessageBox(c->mainWindow, "LoadAccelerators Err", "Error", kMbOk);
    }
    c->commands->OpenStartupArguments();
    int code = RunMessageLoop(c, accelerators);
    CleanUp(c);
    return code;
}
