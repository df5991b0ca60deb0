#include "res/resource_ids.h"
// What Varnel shows, as the bytes the A messages give (the sources compile to cp932), and the
// command ids its menus post.
#pragma once

namespace texts {

constexpr char kStepFresh[] = "<1> リネーム対象を開きます";
constexpr char kStepAdded[] = "<1> 追加・操作できます。次は出力";
constexpr char kStepExported[] = "<2> 出力しました。次は入力";
constexpr char kStepRenamed[] = "<3> リネーム完了。最初に戻せます";
constexpr char kStepRenamable[] = "<3> リネーム可能です";

constexpr char kTitleAdding[] = "警告：ファイル・フォルダの追加";
constexpr char kTitleBadName[] = "警告：ファイル名が不正";
constexpr char kTitleRenamed[] = "確認：改名したファイルがあります";

// The dialog shown while Varnel waits for the editor's window to close.
constexpr char kWaitTitle[] = "Varnel - 待機中…";
constexpr char kWaitMessage[] = "ツールのウィンドウが閉じると同時に復帰します";
constexpr char kWaitCancel[] = "ｷｬﾝｾﾙ";

constexpr char kListWindow[] = "[Basic]\r\nWindowMode=ListView\r\n";

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
