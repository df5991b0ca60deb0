// The test environment itself: Wine must give the program code page 932 and be able to create
// files with Japanese names. When these fail, every other Windows result is suspect.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

TEST(WineEnvironment, AnsiCodePageIs932) {
    EXPECT_EQ(GetACP(), 932u) << "run the Windows tests with LC_ALL=ja_JP.UTF-8";
}

// Wine reports code page 932 even when the ja_JP.UTF-8 locale was never generated; only then
// creating such a file fails.
TEST(WineEnvironment, CreatesFileWithJapaneseName) {
    char base[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof(base), base);
    ASSERT_GT(length, 0u);
    ASSERT_LE(length, static_cast<DWORD>(MAX_PATH));
    // 表 and ソ end in the byte of a backslash; the name must still be one file name.
    std::string name =
        std::string(base) + "varnel-表ソ-" + std::to_string(GetCurrentProcessId()) + ".txt";
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE)
        << "error " << GetLastError() << ": is the ja_JP.UTF-8 locale generated (locale-gen)?";
    CloseHandle(file);

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(name.c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    EXPECT_EQ(std::string(found.cFileName), name.substr(length));
    EXPECT_TRUE(DeleteFileA(name.c_str()));
}

}  // namespace
