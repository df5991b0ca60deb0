// What Varnel shows, as the bytes the A messages give (the sources compile to cp932): its own
// texts, the few of its resources the tests look for; the command ids are res/resource_ids.h's.
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
