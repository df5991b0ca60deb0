// Paths into the list by every road: the command line, a second start's hand-over, a drop and the
// open dialog. While the list is held they wait, in the order they came, and are added after.
#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

#include "core/mbcs.h"
#include "core/rename_list.h"
#include "core/texts.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "settings/path_list.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "ui/app_context.h"
#include "ui/commands.h"
#include "ui/incoming_paths.h"
#include "ui/list_view_pane.h"
#include "ui/workflow.h"

void Commands::OpenStartupArguments() {
    const std::wstring arguments = CommandLineArguments();
    if (arguments.empty()) {
        return;
    }
    RunHeld([&] {
        for (const std::wstring& token : SplitPathList(arguments)) {
            std::string path;
            if (TakePath(AbsolutePath(token), &path)) {
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
                   texts::Fill(texts::kHandOverTooLarge, {std::to_string(bytes)}),
                   texts::kTitleAdding, kMbIconError);
}

namespace {

// Each dropped name in order. DragQueryFile walks the block from its start for every index, so a
// drop of many files read through it costs the square of their number; the block is read once,
// and no name outlives its turn.
template <typename F>
void EachDroppedName(HDROP drop, F each) {
    std::wstring wide;
    if (const auto* files = static_cast<const DROPFILES*>(GlobalLock(drop))) {
        const char* block = reinterpret_cast<const char*>(files) + files->pFiles;
        if (files->fWide) {
            for (const wchar_t* p = reinterpret_cast<const wchar_t*>(block); *p;
                 p += wide.size() + 1) {
                wide.assign(p);
                each(wide);
            }
        } else {
            // A name that is no text in the code page would become another name (U+30FB for
            // a bad pair): it is left out.
            for (const char* p = block; *p; p += std::strlen(p) + 1) {
                const int n = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, p, -1, nullptr, 0);
                wide.assign(static_cast<size_t>(n > 0 ? n : 1), L'\0');
                if (n <= 0 ||
                    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, p, -1, &wide[0], n) != n) {
                    continue;
                }
                wide.resize(wide.size() - 1);
                each(wide);
            }
        }
        GlobalUnlock(drop);
        return;
    }
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        wide.assign(length + 1, L'\0');
        DragQueryFileW(drop, i, &wide[0], length + 1);
        wide.resize(length);
        each(wide);
    }
}

}  // namespace

void Commands::OpenDropped(HDROP drop) {
    RunHeld([&] {
        std::string path;
        EachDroppedName(drop, [&](const std::wstring& wide) {
            if (TakePath(wide, &path)) {
                hold.Keep(path);
            }
        });
        DragFinish(drop);
    });
}

void Commands::OpenWithDialog() {
    // Large enough for many names picked at once; a selection that does not fit counts as cancel.
    std::vector<wchar_t> result(32768, L'\0');
    std::vector<wchar_t> title(2600, L'\0');
    std::wstring folder;
    platform::ToNative(context->settings->GetString(keys::kPathCDlgOpen, ""), &folder);
    std::wstring dialogTitle;
    platform::ToNative(texts::kOpenDialogTitle, &dialogTitle);
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
        if (TakePath(first, &firstPath)) {
            context->list->AddPath(firstPath);
        }
    } else if (TakePath(first, &firstPath)) {
        for (const wchar_t* name = result.data() + first.size() + 1; *name;
             name += wcslen(name) + 1) {
            std::string cp932;
            if (!TakePath(name, &cp932)) {
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
    // With AutoSort the list is sorted, with AutoCBCopy its names go to the clipboard: both
    // inside this call.
    SetStep(WorkflowStep::Added);
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
    for (std::string paths; !(paths = hold.TakeKept()).empty();) {
        hold.Enter();
        {
            RowBatch rows(context);
            context->list->AddPaths(paths);
            std::string().swap(paths);
            // Sorting and the copy to the clipboard follow inside, as the settings say.
            SetStep(WorkflowStep::Added);
        }
        // Paths that came during this batch's messages and follow-ups make the next one.
        hold.Leave();
    }
}
