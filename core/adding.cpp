// Adding a path to the list, with the rules that keep out what would make a rename pass go wrong.

#include <memory>

#include "core/app_context.h"
#include "core/rename_list.h"
#include "core/window_port.h"
#include "platform/message_box.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"

namespace {

constexpr const char kAddTitle[] = "警告：ファイル・フォルダの追加";
constexpr const char kIgnoredBecause[] =
    "これはリネーム時に無効になる可能性があり、\n設定で禁止されているため追加を無視します。";

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

int RenameList::AddPath(const std::string& path) {
    if (passRunning) {
        return 1;
    }
    std::string fullPath;
    switch (ClassifyPath(path, &fullPath)) {
        case PathForm::Full:
            break;
        case PathForm::Root:
            ShowMessageBox(context ? context->mainWindow : nullptr,
                           path +
                               "\n\nドライブやネットワーク共有のルートはリネームできないため、\n"
                               "追加を無視します。",
                           kAddTitle, kMbIconError);
            return 1;
        case PathForm::Relative:
            ShowMessageBox(
                context ? context->mainWindow : nullptr,
                path + "\n\nフォルダから始まる完全なパスではないため、\n追加を無視します。",
                kAddTitle, kMbIconError);
            return 1;
    }
    if (listedStale) {
        Reindex();
    }
    // Only a path that is listed somewhere needs the walk that finds its entry.
    const bool listedAlready = listed.Listed(fullPath);
    for (std::size_t i = 0; listedAlready && i < entries.size(); ++i) {
        const RenameEntry* entry = entries[i].get();
        if (fullPath == entry->Path(NameKind::Old).FullPath()) {
            return 1;
        }
        if (fullPath == entry->Path(NameKind::Now).FullPath()) {
            if (GetBool(kIdDlgItsNotNewPath)) {
                ShowMessageBox(context ? context->mainWindow : nullptr,
                               "追加を無視するパス\n" + entry->Path(NameKind::Now).FullPath() +
                                   "\n追加を無視するパスの旧名（追加済み）\n" +
                                   entry->Path(NameKind::Old).FullPath() +
                                   "\n\n既に開いているファイル・フォルダを追加しようとしました。\n"
                                   "これはリネーム時に誤動作を起こすため追加を無視します。",
                               kAddTitle, kMbIconError);
            }
            return 1;
        }
    }
    if (CheckInterference(fullPath)) {
        return 1;
    }
    entries.push_back(std::make_unique<RenameEntry>(fullPath));
    ++generation;
    RenameEntry* added = entries.back().get();
    if (added->IsFolder()) {
        folders.push_back(added);
    }
    listed.Add(*added);
    window_port::AddRow(context, Count() - 1);
    return 0;
}

int RenameList::AddPathIn(const std::string& folder, const std::string& name) {
    return AddPath(folder + "\\" + name);
}

bool RenameList::CheckInterference(const std::string& fullPath) {
    if (!GetBool(kIdDlgAddErrPath)) {
        return false;
    }
    if (listedStale) {
        Reindex();
    }
    WindowHandle owner = context ? context->mainWindow : nullptr;
    const bool folder = IsFolderPath(fullPath);
    if (folder ? !listed.Meets(fullPath) : !listed.UnderFolder(fullPath)) {
        return false;
    }
    if (folder) {
        for (const auto& entry : entries) {
            const std::string& registered = entry->Path(NameKind::Now).FullPath();
            if (registered == fullPath || StartsWith(fullPath, registered + "\\") ||
                StartsWith(registered, fullPath + "\\")) {
                ShowMessageBox(owner,
                               "既に登録されているファイル・フォルダ\n" + registered +
                                   "\n追加を無視するフォルダ\n" + fullPath +
                                   "\n\n既に登録されたパスを階上（下）に持つフォルダを追加しようと"
                                   "しました。\n" +
                                   kIgnoredBecause,
                               kAddTitle, kMbIconError);
                return true;
            }
        }
        return false;
    }
    for (const RenameEntry* folder : folders) {
        const std::string registered = folder->Path(NameKind::Now).FullPath() + "\\";
        if (StartsWith(fullPath, registered)) {
            ShowMessageBox(
                owner,
                "既に登録されているフォルダ\n" + registered + "\n追加を無視するファイル\n" +
                    fullPath +
                    "\n\n既に登録されたフォルダの階下にあるファイルを追加しようとしました"
                    "。\n" +
                    kIgnoredBecause,
                kAddTitle, kMbIconError);
            return true;
        }
    }
    return false;
}

void RenameList::Reindex() {
    listed.Clear();
    for (const auto& entry : entries) {
        listed.Add(*entry);
    }
    listedStale = false;
}
