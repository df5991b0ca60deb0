#include "ui/commands.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

#include "core/mbcs.h"
#include "core/rename_list.h"
#include "core/window_port.h"
#include "exchange/tool_launcher.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "res/resource_ids.h"
#include "settings/app_paths.h"
#include "settings/path_list.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/incoming_paths.h"
#include "ui/list_view_pane.h"
#include "ui/status_bar.h"
#include "ui/toolbars.h"
#include "ui/workflow.h"

Commands::Commands(AppContext* context) : context(context) {
    ToggleTopMost(false);
}

void Commands::SetStep(int step) {
    const StepSettings settings = {GetBool(kIdAutoSort), GetBool(kIdAutoCBCopy),
                                   GetBool(kIdAutoRename)};
    const StepPlan plan = PlanStep(step, context->list->Count(), settings);
    if (context->statusBar) {
        if (plan.showCount) {
            context->statusBar->SetCount(context->list->Count());
        }
        if (plan.showText) {
            context->statusBar->SetStepText(plan.text);
        }
    }
    for (const auto& command : plan.grayed) {
        if (context->toolbars) {
            context->toolbars->SetCommandGrayed(command.first, command.second);
        }
    }
    if (plan.updateCommandStates) {
        context->list->UpdateCommandStates();
    }
    if (plan.deleteAllRows && context->listView) {
        context->listView->DeleteAllRows();
    }
    // Sent, not posted: each follow-up runs to its end, with its own step, before this returns.
    for (int id : plan.followUps) {
        SendMessageA(context->mainWindow, WM_COMMAND, static_cast<WPARAM>(id), 0);
    }
}

int Commands::ExportAndOpen(NameKind kind) {
    if (context->list->ExportToFile(context->paths->IOFilePath().FullPath(), kind, true) != 0) {
        return 1;
    }
    if (GetBool(kIdAutoFileOpen)) {
        ToolLauncher launcher(context->instance, context->mainWindow, *context->paths);
        if (!GetBool(kIdAutoFileClose)) {
            launcher.Open();
        } else if (WaitForTool(&launcher) == 0 && ImportIOFile() == 0) {
            SetStep(static_cast<int>(WorkflowStep::Imported));
            return 0;
        }
    }
    // Also after a refused import: the names are still out, to be mended in the file and read
    // again.
    SetStep(static_cast<int>(WorkflowStep::Exported));
    return 0;
}

int Commands::ImportIOFile() {
    RowBatch rows(context);
    return context->list->ImportFromFile(context->paths->IOFilePath().FullPath());
}

int Commands::WaitForTool(ToolLauncher* launcher) {
    hold.SetNamesOut(true);
    const int result = launcher->OpenAndWait();
    hold.SetNamesOut(false);
    return result;
}

int Commands::OpenTool() {
    ToolLauncher launcher(context->instance, context->mainWindow, *context->paths);
    return launcher.Open();
}

void Commands::Rename() {
    {
        RowBatch rows(context);
        if (GetBool(kIdConvertIllegalName)) {
            context->list->ConvertIllegalNames();
        }
        context->list->RenameAll();
    }
    SetStep(static_cast<int>(WorkflowStep::RenameDone));
    MessageBeep(MB_ICONASTERISK);
}

void Commands::Restore() {
    {
        RowBatch rows(context);
        context->list->RestoreAll();
    }
    SetStep(static_cast<int>(WorkflowStep::Restored));
    MessageBeep(MB_ICONEXCLAMATION);
}

void Commands::New() {
    if (!ConfirmDiscard("新規")) {
        return;
    }
    context->list->Clear();
    SetStep(static_cast<int>(WorkflowStep::Reset));
}

void Commands::OpenStartupArguments() {
    const std::wstring arguments = CommandLineArguments();
    if (arguments.empty()) {
        return;
    }
    RunHeld([&] {
        for (const std::wstring& token : SplitPathList(arguments)) {
            std::string path;
            if (TakePath(context, AbsolutePath(token), &path, &context->list->AddRefusals())) {
                hold.Keep(path);
            }
        }
    });
}

void Commands::KeepHandedOver(const std::string& text) {
    for (const std::string& path : SplitPathList(text)) {
        hold.Keep(path);
    }
}

void Commands::AddHandedOver() {
    RunHeld([] {});
}

void Commands::RefuseHandOver(unsigned long bytes) {
    ShowMessageBox(context->mainWindow,
                   "別の Varnel から渡されたパスの文字列が大きすぎる（" + std::to_string(bytes) +
                       " バイト）ため、\n追加を無視しました。",
                   "警告：ファイル・フォルダの追加", kMbIconError);
}

namespace {

// The dropped names in order. DragQueryFile walks the block from its start for every index, so a
// drop of many files read through it costs the square of their number; the block is read once.
std::vector<std::wstring> DroppedNames(HDROP drop) {
    std::vector<std::wstring> names;
    if (const auto* files = static_cast<const DROPFILES*>(GlobalLock(drop))) {
        const char* block = reinterpret_cast<const char*>(files) + files->pFiles;
        if (files->fWide) {
            for (const wchar_t* p = reinterpret_cast<const wchar_t*>(block); *p;
                 p += names.back().size() + 1) {
                names.emplace_back(p);
            }
        } else {
            for (const char* p = block; *p; p += std::strlen(p) + 1) {
                const int n = MultiByteToWideChar(CP_ACP, 0, p, -1, nullptr, 0);
                std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
                MultiByteToWideChar(CP_ACP, 0, p, -1, &wide[0], n);
                wide.resize(wide.size() - 1);
                names.push_back(wide);
            }
        }
        GlobalUnlock(drop);
        return names;
    }
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring wide(length + 1, L'\0');
        DragQueryFileW(drop, i, &wide[0], length + 1);
        wide.resize(length);
        names.push_back(wide);
    }
    return names;
}

}  // namespace

void Commands::OpenDropped(HDROP drop) {
    RunHeld([&] {
        for (const std::wstring& wide : DroppedNames(drop)) {
            std::string path;
            if (TakePath(context, wide, &path, &context->list->AddRefusals())) {
                hold.Keep(path);
            }
        }
        DragFinish(drop);
    });
}

void Commands::OpenWithDialog() {
    // Large enough for many names picked at once; a selection that does not fit counts as cancel.
    std::vector<wchar_t> result(32768, L'\0');
    std::vector<wchar_t> title(2600, L'\0');
    std::wstring folder;
    platform::ToNative(context->settings->GetString(keys::kPathCDlgOpen, ""), &folder);
    const std::wstring dialogTitle = L"リネーム対象を追加";
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = context->mainWindow;
    ofn.lpstrFilter = L"All files(*.*)\0*.*\0\0";
    ofn.lpstrFile = result.data();
    ofn.nMaxFile = static_cast<DWORD>(result.size());
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(title.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = dialogTitle.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT;
    ofn.lpstrDefExt = L"*";
    if (!GetOpenFileNameW(&ofn)) {
        return;
    }
    Refusals& refusals = context->list->AddRefusals();
    refusals.Open();
    RowBatch rows(context);
    const std::wstring first(result.data());
    std::string firstPath;
    if (title[0] != L'\0') {
        if (TakePath(context, first, &firstPath, &refusals)) {
            context->list->AddPath(firstPath);
        }
    } else if (TakePath(context, first, &firstPath, &refusals)) {
        for (const wchar_t* name = result.data() + first.size() + 1; *name;
             name += wcslen(name) + 1) {
            std::string cp932;
            if (!TakePath(context, name, &cp932, &refusals)) {
                continue;
            }
            if (mbcs::FindFirst(cp932, '\\') != std::string::npos) {
                context->list->AddPath(cp932);
            } else {
                context->list->AddPathIn(firstPath, cp932);
            }
        }
    }
    if (!firstPath.empty()) {
        context->settings->SetString(keys::kPathCDlgOpen, firstPath);
    }
    refusals.Close(context->mainWindow);
    SetStep(static_cast<int>(WorkflowStep::Added));
}

void Commands::RunHeld(const std::function<void()>& work) {
    // What the work and the adding after it refuse comes in one message at the end.
    Refusals& refusals = context->list->AddRefusals();
    refusals.Open();
    hold.Enter();
    work();
    if (hold.Leave()) {
        AddKeptPaths();
    }
    refusals.Close(context->mainWindow);
}

void Commands::AddKeptPaths() {
    // A pass walks the entries by index; its own command adds the paths once it has ended.
    if (context->list->IsBusy()) {
        return;
    }
    for (std::vector<std::string> paths; !(paths = hold.TakeKept()).empty();) {
        hold.Enter();
        {
            RowBatch rows(context);
            const unsigned total = static_cast<unsigned>(paths.size());
            for (unsigned i = 0; i < total; ++i) {
                context->list->AddPath(paths[i]);
                window_port::ShowProgress(Work::Adding, i + 1, total);
            }
            SetStep(static_cast<int>(WorkflowStep::Added));
        }
        // Paths that came during this batch's messages and follow-ups make the next one.
        hold.Leave();
    }
}

bool Commands::ConfirmDiscard(const std::string& name) {
    if (!context->list->HasRenamed() || !GetBool(kIdConfirmEnd)) {
        return true;
    }
    const std::string question = "『" + name +
                                 "』を実行すると『最初に戻す』ことが\nできなくなります。\n『" +
                                 name + "』を実行してもいいですか？";
    return ShowMessageBox(context->mainWindow, question, "確認：改名したファイルがあります",
                          kMbIconQuestion | kMbYesNo) == kIdYes;
}

void Commands::AddToEdit(AddMode mode, AddPosition position) {
    if (!context->listView ||
        SendMessageA(context->listView->Window(), LVM_GETSELECTEDCOUNT, 0, 0) == 0) {
        return;
    }
    EditAddOptions options;
    options.list = context->list;
    options.instance = context->instance;
    options.window = context->mainWindow;
    options.mode = mode;
    options.position = position;
    LoadEditAddSettings(context->settings, &options);
    if (!ShowEditAddDialog(&options)) {
        return;
    }
    StoreEditAddSettings(context->settings, options);
    AddToEditNames(options);
}

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
