// The clipboard seam on the real clipboard: what other programs put there and what they see of
// what Varnel puts there.

#include <windows.h>

#include <string>

#include "core/texts.h"
#include "exchange/import.h"
#include "platform/clipboard.h"
#include "platform/text.h"
#include "tests/support/list_fixture.h"

namespace {

class ClipboardTest : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        // Shared with the other test programs that may run at the same time.
        lock = CreateMutexA(nullptr, FALSE, "varnel-tests-clipboard");
        WaitForSingleObject(lock, INFINITE);
        owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr);
        ASSERT_NE(owner, nullptr);
        mainWindow = owner;
    }
    void TearDown() override {
        DestroyWindow(owner);
        ReleaseMutex(lock);
        CloseHandle(lock);
        ListTest::TearDown();
    }

    // As another program would: one format, replacing everything.
    void Put(UINT format, HANDLE data) {
        ASSERT_TRUE(OpenClipboard(owner));
        EmptyClipboard();
        EXPECT_NE(SetClipboardData(format, data), nullptr);
        CloseClipboard();
    }

    std::wstring UnicodeText() {
        std::wstring text;
        EXPECT_TRUE(OpenClipboard(owner));
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data))) {
                text = p;
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        return text;
    }

    HANDLE lock = nullptr;
    HWND owner = nullptr;
};

TEST_F(ClipboardTest, APictureIsNotText) {
    AddFile("a.txt");
    Put(CF_BITMAP, CreateBitmap(1, 1, 1, 1, nullptr));
    std::string text = "old";
    EXPECT_FALSE(platform::GetClipboardText(owner, &text));
    EXPECT_EQ(text, "");

    EXPECT_EQ(ImportFromClipboard(*list, ImportRules()), 1);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].text, texts::kImportNotText);
    EXPECT_EQ(boxes::Recorded()[0].title, texts::kTitleClipboardContents);
    EXPECT_EQ(list->At(0).Path(NameKind::Edit).FileName(), "a.txt");
}

TEST_F(ClipboardTest, Cp932BytesGoAndComeBackExactly) {
    // 表 and ソ end in 0x5C, ｶﾅ are single bytes, － ends in 0x7C.
    const std::string text = "\x95\x5C\x83\x5C\xB6\xC5\x81\x7C\r\nline 2\r\n~\\|";
    ASSERT_TRUE(platform::PutClipboardText(owner, text));
    std::string back;
    ASSERT_TRUE(platform::GetClipboardText(owner, &back));
    EXPECT_EQ(back, text);
    // What an editor pasting Unicode text gets.
    EXPECT_EQ(UnicodeText(), L"\u8868\u30BD\uFF76\uFF85\uFF0D\r\nline 2\r\n~\\|");
}

TEST_F(ClipboardTest, UnicodeTextOfAnotherProgramArrivesAsCp932) {
    const std::wstring wide = L"\u5199\u771F\r\n\u8868";  // 写真, 表
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    ASSERT_NE(memory, nullptr);
    memcpy(GlobalLock(memory), wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    Put(CF_UNICODETEXT, memory);
    std::string text;
    ASSERT_TRUE(platform::GetClipboardText(owner, &text));
    EXPECT_EQ(text, "\x8E\xCA\x90\x5E\r\n\x95\x5C");
}

// cp932 bytes of another program that would read as an escape of "\\" (FF 80 80 DC): taken as
// the characters Windows reads in them, or refused, never as a separator.
TEST_F(ClipboardTest, Cp932BytesOfAnotherProgramNeverHideASeparator) {
    const std::string bytes =
        "..\xFF\x80\x80\xDC"
        "escaped";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    ASSERT_NE(memory, nullptr);
    memcpy(GlobalLock(memory), bytes.c_str(), bytes.size() + 1);
    GlobalUnlock(memory);
    Put(CF_TEXT, memory);
    std::string text;
    if (platform::GetClipboardText(owner, &text)) {
        EXPECT_TRUE(platform::IsCanonical(text));
        EXPECT_EQ(mbcs::FindFirst(text, '\\'), std::string::npos);
        std::string escapes;
        platform::AppendEscape(&escapes, 0xF8F3);
        platform::AppendEscape(&escapes, 0x80);
        platform::AppendEscape(&escapes, 0x80);
        EXPECT_EQ(text, ".." + escapes +
                            "\xDC"
                            "escaped");
    }
    EXPECT_TRUE(platform::Cp932ToHeld("ok", &text));
    EXPECT_FALSE(platform::Cp932ToHeld(bytes, &text));
}

// Another program holding the clipboard open: a moment's hold is waited out, and while it holds
// on, nothing is placed and nothing is read.
TEST_F(ClipboardTest, AClipboardHeldOpenElsewhereIsWaitedForThenLeftAlone) {
    ASSERT_TRUE(platform::PutClipboardText(owner, "before"));
    // The clipboard belongs to a thread: put from another one.
    struct Putter {
        static DWORD WINAPI Run(void* p) {
            const char* text = static_cast<const char*>(p);
            return platform::PutClipboardText(nullptr, text) ? 1 : 0;
        }
    };
    for (const bool released : {false, true}) {
        SCOPED_TRACE(released);
        HWND other = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                     nullptr);
        ASSERT_TRUE(OpenClipboard(other));
        char text[] = "after";
        HANDLE thread = CreateThread(nullptr, 0, Putter::Run, text, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        if (released) {
            Sleep(100);
            CloseClipboard();
        }
        // Emptying the clipboard tells its owner, this thread's window: answer while waiting.
        while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) !=
               WAIT_OBJECT_0) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&msg);
            }
        }
        DWORD placed = 2;
        GetExitCodeThread(thread, &placed);
        CloseHandle(thread);
        if (!released) {
            CloseClipboard();
        }
        DestroyWindow(other);
        EXPECT_EQ(placed, released ? 1u : 0u);
        std::string back;
        ASSERT_TRUE(platform::GetClipboardText(owner, &back));
        EXPECT_EQ(back, released ? "after" : "before");
    }
}

}  // namespace
