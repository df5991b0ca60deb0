#include <windows.h>

#include "gtest/gtest.h"
#include "tests/support/test_clipboard.h"

namespace test_clipboard {
namespace {

HANDLE lock = nullptr;
HWND owner = nullptr;

}  // namespace

WindowHandle Acquire() {
    lock = CreateMutexA(nullptr, FALSE, "varnel-tests-clipboard");
    WaitForSingleObject(lock, INFINITE);
    owner =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    EXPECT_NE(owner, nullptr);
    return owner;
}

void Release() {
    DestroyWindow(owner);
    owner = nullptr;
    ReleaseMutex(lock);
    CloseHandle(lock);
    lock = nullptr;
}

void PutNonText() {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, CreateBitmap(1, 1, 1, 1, nullptr));
    CloseClipboard();
}

}  // namespace test_clipboard
