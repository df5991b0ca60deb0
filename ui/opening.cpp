#include "ui/opening.h"

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
#include "ui/held_work.h"
#include "ui/incoming_paths.h"
#include "ui/list_hold.h"

namespace {

// A name the dialog gives beside its folder. A root folder comes with its closing backslash.
std::string InFolder(const std::string& folder, const std::string& name) {
    const bool closed = !folder.empty() && mbcs::FindLast(folder, '\\') == folder.size() - 1;
    return closed ? folder + name : folder + "\\" + name;
}

}  // namespace

void OpenStartupArguments(AppContext* c) {
    const std::wstring arguments = CommandLineArguments();
    if (arguments.empty()) {
        return;
    }
    RunHeld(c, [&] {
        for (const std::wstring& token : SplitPathList(arguments)) {
            std::string path;
            if (TakePath(AbsolutePath(token), &path)) {
                c->hold->Keep(path);
            }
        }
    });
}

void KeepHandedOver(AppContext* c, const std::string& text) {
    for (const std::string& path : SplitPathList(text)) {
        c->hold->Keep(path);
    }
}

void AddHandedOver(AppContext* c) {
    RunHeld(c, [] {});
}

void RefuseHandOver(AppContext* c, unsigned long bytes) {
    ShowMessageBox(c->mainWindow, texts::Fill(texts::kHandOverTooLarge, {std::to_string(bytes)}),
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

void OpenDropped(AppContext* c, HDROP drop) {
    RunHeld(c, [&] {
        std::string path;
        EachDroppedName(drop, [&](const std::wstring& wide) {
            if (TakePath(wide, &path)) {
                c->hold->Keep(path);
            }
        });
        DragFinish(drop);
    });
}

void OpenWithDialog(AppContext* c) {
    // Large enough for many names picked at once; a selection that does not fit counts as cancel.
    std::vector<wchar_t> result(32768, L'\0');
    std::vector<wchar_t> title(2600, L'\0');
    std::wstring folder;
    platform::ToNative(c->settings->GetString(keys::kPathCDlgOpen, ""), &folder);
    std::wstring dialogTitle;
    platform::ToNative(texts::kOpenDialogTitle, &dialogTitle);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = c->mainWindow;
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
    const std::wstring first(result.data());
    std::string firstPath;
    if (!TakePath(first, &firstPath)) {
        return;
    }
    c->settings->SetString(keys::kPathCDlgOpen, firstPath);
    std::string picked;
    const auto pick = [&](const std::string& path) {
        picked += path;
        picked += '\0';
    };
    if (title[0] != L'\0') {
        pick(firstPath);
    } else {
        // Several picked: the folder first, then each name in it.
        for (const wchar_t* name = result.data() + first.size() + 1; *name;
             name += wcslen(name) + 1) {
            std::string cp932;
            if (TakePath(name, &cp932)) {
                pick(mbcs::FindFirst(cp932, '\\') != std::string::npos
                         ? cp932
                         : InFolder(firstPath, cp932));
            }
        }
    }
    // The batch a drop makes, at once: what arrived while the dialog was up comes after.
    AddBatch(c, std::move(picked));
}
