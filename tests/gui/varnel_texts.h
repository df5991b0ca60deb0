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

constexpr int kExportClipboard = 40003;
constexpr int kImportClipboard = 40004;
constexpr int kRename = 40005;
constexpr int kRestore = 40006;
constexpr int kNew = 40007;
constexpr int kSort = 40009;
constexpr int kExportFile = 40010;
constexpr int kImportFile = 40027;
constexpr int kOpenFile = 40028;
constexpr int kSelectAll = 40038;
constexpr int kAdjustDefault = 40051;
constexpr int kClearEditNames = 40059;

}  // namespace command
