// The rename pass: a check over the whole list that refuses duplicate and occupied targets and
// moves entries standing in the way to temporary names, then one rename per entry in list order.

#include <string>

#include "core/mbcs.h"
#include "core/rename_list.h"
#include "core/window_port.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "ui/app_context.h"

namespace {

constexpr const char kTempPrefix[] = "~%_";
constexpr const char kRenameErrorTitle[] = "改名Ｅｒｒ";

void ShowMoveError(platform::MoveResult result) {
    const char* text = "？？？";
    switch (result) {
        case platform::MoveResult::NotFound:
            text = "元ファイルが検出できない";
            break;
        case platform::MoveResult::AccessDenied:
            text = "既存もしくは無効";
            break;
        case platform::MoveResult::InvalidName:
            text = "名前に無効な文字が";
            break;
        case platform::MoveResult::Done:
        case platform::MoveResult::Other:
            break;
    }
    ShowMessageBox(nullptr, text, kRenameErrorTitle, kMbIconError);
}

void ShowTempError() {
    ShowMessageBox(nullptr, "なんか失敗", "致命的エラー：TempRename", kMbIconError);
}

std::string NumberedLine(unsigned position, const std::string& name) {
    return std::to_string(position) + " 行：" + name + "\n";
}

// A fresh, unused path in the folder with the temporary prefix; the file that reserved the name
// is deleted again so that the item can take it.
bool ReserveTemporaryPath(const std::string& folder, PathName* out) {
    std::string name = platform::CreateUniqueFile(mbcs::ToSlashForm(folder), kTempPrefix);
    if (name.empty()) {
        return false;
    }
    out->SetFromFullPath(folder + "\\" + name);
    platform::RemoveFile(out->SlashPath());
    return true;
}

// The name as the file system will list it: a few characters have two cp932 codes, and the file
// system keeps only one of them.
std::string StoredForm(const std::string& name) {
    platform::NativeString native;
    std::string stored;
    return platform::ToNative(name, &native) && platform::FromNative(native, &stored) ? stored
                                                                                      : name;
}

bool CaseChangeTookPlace(const std::string& slashPath, const PathName& target) {
    return platform::NameOnDisk(slashPath) == StoredForm(target.BuildFileName());
}

}  // namespace

int RenameEntry::RenameTo(const PathName& target) {
    const std::string from = nowPath.SlashPath();
    const std::string to = target.SlashPath();
    if (from == to) {
        return -1;
    }
    platform::MoveResult result = platform::MovePath(from, to);
    if (result != platform::MoveResult::Done) {
        ShowMoveError(result);
        return 1;
    }
    if (IsCaseChangeOnly(nowPath, target) && !CaseChangeTookPlace(to, target)) {
        return FixLetterCase(target);
    }
    nowPath.Assign(target.Folder(), target.Base(), target.Extension());
    return 0;
}

// Some file systems (Wine on Linux, some network and FAT drives) report a change of letter case
// alone as done and change nothing. Going through a temporary name makes the change real.
int RenameEntry::FixLetterCase(const PathName& target) {
    const std::string from = nowPath.SlashPath();
    const std::string to = target.SlashPath();
    PathName temporary;
    if (!ReserveTemporaryPath(nowPath.Folder(), &temporary)) {
        ShowTempError();
        return 1;
    }
    platform::MoveResult result = platform::MovePath(from, temporary.SlashPath());
    if (result != platform::MoveResult::Done) {
        ShowMoveError(result);
        return 1;
    }
    result = platform::MovePath(temporary.SlashPath(), to);
    if (result != platform::MoveResult::Done) {
        // Put it back; if even that fails, the item is known by its temporary name.
        if (platform::MovePath(temporary.SlashPath(), from) != platform::MoveResult::Done) {
            nowPath = temporary;
        }
        ShowMoveError(result);
        return 1;
    }
    if (!CaseChangeTookPlace(to, target)) {
        ShowMessageBox(nullptr,
                       "大文字・小文字だけの変更ができない\n\n[NOW]\n" + from + "\n[TO]\n" + to,
                       kRenameErrorTitle, kMbIconError);
        return 1;
    }
    nowPath.Assign(target.Folder(), target.Base(), target.Extension());
    return 0;
}

int RenameEntry::RenameToTemporary() {
    PathName temporary;
    if (!ReserveTemporaryPath(editPath.Folder(), &temporary)) {
        ShowTempError();
        return 1;
    }
    return RenameTo(temporary);
}

int RenameList::PrepareRename(NameKind targetKind) {
    const unsigned n = Count();
    for (unsigned i = 0; i < n; ++i) {
        RenameEntry& entry = At(i);
        const PathName& target = entry.Path(targetKind);
        // A target with the same full path but another split into base and extension is the
        // entry's own file, not a file in the way.
        const bool unchanged = IsSamePlace(entry.Path(NameKind::Now), target);
        bool moved = false;
        for (unsigned j = unchanged ? i + 1 : 0; j < n; ++j) {
            if (j == i) {
                continue;
            }
            const PathName& other = At(j).Path(targetKind);
            // The same place split two ways would fail only halfway through the pass.
            if (j > i && IsSamePlace(target, other)) {
                ShowMessageBox(context ? context->mainWindow : nullptr,
                               "入力されたもの同士でファイル名が被っている\n\n" +
                                   NumberedLine(i + 1, target.BuildFileName()) +
                                   NumberedLine(j + 1, other.BuildFileName()),
                               "エラー：ファイル名が不正", kMbIconError);
                return 1;
            }
            if (At(j).Path(NameKind::Now).SameAs(target)) {
                moved = true;
                if (At(j).RenameToTemporary() != 0) {
                    return 1;
                }
            }
        }
        if (unchanged || moved) {
            continue;
        }
        // A change of letter case alone must not find the entry's own file.
        if (IsCaseChangeOnly(entry.Path(NameKind::Now), target)) {
            continue;
        }
        if (platform::PathExists(target.SlashPath())) {
            ShowMessageBox(context ? context->mainWindow : nullptr,
                           "[NOW]\n" + entry.Path(NameKind::Now).SlashPath() + "\n[TO]\n" +
                               target.SlashPath() +
                               "\n\nリネーム実行時にこのファイルは何らかの理由で存在できない",
                           "致命的エラー：ファイル名が不正", kMbIconError);
            return 1;
        }
    }
    return 0;
}

int RenameList::RunPass(NameKind targetKind) {
    if (passRunning) {
        return 1;
    }
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(passRunning);

    if (PrepareRename(targetKind) != 0) {
        return 1;
    }
    bool failed = false;
    for (unsigned i = 0; i < Count(); ++i) {
        RenameEntry& entry = At(i);
        int r = entry.RenameTo(entry.Path(targetKind));
        if (r == 0) {
            window_port::WriteRow(context, i, RowExtent::EditAndNow);
        } else if (r == 1) {
            failed = true;
        }
    }
    return failed ? 1 : 0;
}

int RenameList::RenameAll() {
    return RunPass(NameKind::Edit);
}

int RenameList::RestoreAll() {
    return RunPass(NameKind::Old);
}
