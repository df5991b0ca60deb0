// What Varnel shows, as the bytes the A messages give (the sources compile to cp932): its own
// texts, the few of its resources the tests look for, and the command ids its menus post.
#pragma once

#include "core/texts.h"
#include "res/resource_ids.h"

namespace texts {

// The dialog shown while Varnel waits for the editor's window to close (res/varnel.rc).
constexpr char kWaitTitle[] = "Varnel - 待機中…";
constexpr char kWaitMessage[] = "ツールのウィンドウが閉じると同時に復帰します";
constexpr char kWaitCancel[] = "ｷｬﾝｾﾙ";
constexpr char kWaitImportNow[] = "今すぐ入力";

constexpr char kListWindow[] = "[Basic]\r\nWindowMode=ListView\r\n";

// How the status bar's progress of a work begins, before its figures.
inline std::string ProgressHead(const char* work) {
    const std::string text = Fill(kWorkProgress, {work});
    return text.substr(0, text.find("%2"));
}

}  // namespace texts

namespace command {

constexpr int kExportClipboard = IDC_EXPORT_CLIPBOARD;
constexpr int kImportClipboard = IDC_IMPORT_CLIPBOARD;
constexpr int kRename = IDC_RENAME;
constexpr int kRestore = IDC_RESTORE;
constexpr int kNew = IDC_NEW;
constexpr int kSort = IDC_SORT_NOW_PATH;
constexpr int kExportFile = IDC_EXPORT_FILE;
constexpr int kImportFile = IDC_IMPORT_FILE;
constexpr int kOpenFile = IDC_OPEN_FILE;
constexpr int kSelectAll = IDC_SELECT_ALL;
constexpr int kAdjustDefault = IDC_ADJUST_DEFAULT;
constexpr int kClearEditNames = IDC_PASTE_DELETE;

}  // namespace command
