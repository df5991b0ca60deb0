// The file-system seam on real folders: what it does on disk, not only what it reports.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/mbcs.h"
#include "gtest/gtest.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "tests/support/list_fixture.h"
#include "tests/support/test_files.h"

namespace {

using platform::MoveResult;
using Names = std::vector<std::string>;

// Trail byte 0x5C: a byte-wise search for "\" would split these.
const std::string kHyo = "\x95\x5C";                     // 表
const std::string kSofuto = "\x83\x5C\x83\x74\x83\x67";  // ソフト
const std::string kInvalid = "\x95.txt";                 // lead byte without trail byte

class FileSystemTest : public ::testing::Test {
  protected:
    std::string Slash(const std::string& name) const {
        return mbcs::ToSlashForm(dir.Path()) + "/" + name;
    }
    // For what the tests do behind the seam's back.
    std::wstring Native(const std::wstring& name) const {
        std::wstring folder;
        EXPECT_TRUE(platform::ToNative(dir.Path(), &folder));
        return folder + L"\\" + name;
    }
    TestDir dir;
};

using MovePathTest = FileSystemTest;

TEST_F(MovePathTest, RenamesAFileKeepingItsContents) {
    dir.MakeFile("a.txt", "alpha");
    EXPECT_EQ(platform::MovePath(Slash("a.txt"), Slash("b.txt")), MoveResult::Done);
    EXPECT_EQ(dir.Names(), Names{"b.txt"});
    EXPECT_EQ(dir.Read("b.txt"), "alpha");
}

TEST_F(MovePathTest, NeverReplacesAnExistingItem) {
    dir.MakeFile("a.txt", "alpha");
    dir.MakeFile("b.txt", "beta");
    dir.MakeFolder("d");
    EXPECT_EQ(platform::MovePath(Slash("a.txt"), Slash("b.txt")), MoveResult::AccessDenied);
    EXPECT_EQ(platform::MovePath(Slash("a.txt"), Slash("d")), MoveResult::AccessDenied);
    EXPECT_EQ(dir.Names(), (Names{"a.txt", "b.txt", "d"}));
    EXPECT_EQ(dir.Read("a.txt"), "alpha");
    EXPECT_EQ(dir.Read("b.txt"), "beta");
}

TEST_F(MovePathTest, RenamesAFolderWithWhatIsInIt) {
    dir.MakeFolder("old");
    dir.MakeFile("old\\in.txt", "inside");
    EXPECT_EQ(platform::MovePath(Slash("old"), Slash("new")), MoveResult::Done);
    EXPECT_EQ(dir.Names(), Names{"new"});
    EXPECT_EQ(dir.Read("new\\in.txt"), "inside");
}

TEST_F(MovePathTest, MissingSourceOrFolderIsNotFound) {
    dir.MakeFile("a.txt");
    EXPECT_EQ(platform::MovePath(Slash("gone.txt"), Slash("b.txt")), MoveResult::NotFound);
    EXPECT_EQ(platform::MovePath(Slash("no/a.txt"), Slash("b.txt")), MoveResult::NotFound);
    EXPECT_EQ(platform::MovePath(Slash("a.txt"), Slash("no/b.txt")), MoveResult::NotFound);
    EXPECT_EQ(dir.Names(), Names{"a.txt"});
}

TEST_F(MovePathTest, UnusableNamesAreInvalidAndChangeNothing) {
    dir.MakeFile("a.txt", "alpha");
    for (const std::string& bad :
         {std::string("b?.txt"), std::string("<b>.txt"), kInvalid, std::string("b.txt\0x", 7)}) {
        EXPECT_EQ(platform::MovePath(Slash("a.txt"), Slash(bad)), MoveResult::InvalidName) << bad;
    }
    dir.MakeFile("b.txt");
    EXPECT_EQ(platform::MovePath(Slash(kInvalid), Slash("c.txt")), MoveResult::InvalidName);
    // A NUL would cut the source short and move b.txt.
    EXPECT_EQ(platform::MovePath(Slash(std::string("b.txt\0a", 7)), Slash("c.txt")),
              MoveResult::InvalidName);
    EXPECT_EQ(dir.Names(), (Names{"a.txt", "b.txt"}));
    EXPECT_EQ(dir.Read("a.txt"), "alpha");
}

TEST_F(MovePathTest, JapaneseNamesWithBackslashTrailByteAreExact) {
    dir.MakeFile(kHyo + ".txt", "x");
    EXPECT_EQ(platform::MovePath(Slash(kHyo + ".txt"), Slash(kSofuto + ".txt")), MoveResult::Done);
    EXPECT_EQ(dir.Names(), Names{kSofuto + ".txt"});
    dir.MakeFolder(kHyo);
    EXPECT_EQ(platform::MovePath(Slash(kSofuto + ".txt"), Slash(kHyo + "/" + kSofuto + ".txt")),
              MoveResult::Done);
    EXPECT_EQ(test_files::ListNames(dir.PathOf(kHyo)), Names{kSofuto + ".txt"});
    EXPECT_EQ(dir.Read(kHyo + "\\" + kSofuto + ".txt"), "x");
}

TEST_F(MovePathTest, LockedFileIsAccessDenied) {
    dir.MakeFile("a.txt");
    HANDLE file =
        CreateFileW(Native(L"a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(platform::MovePath(Slash("a.txt"), Slash("b.txt")), MoveResult::AccessDenied);
    CloseHandle(file);
    EXPECT_EQ(dir.Names(), Names{"a.txt"});
}

using PathQueryTest = FileSystemTest;

// An item is known by its identity after a rename, a folder also once written into (under Wine
// its creation time is its last write); a file made in the place of a deleted one is not it.
TEST_F(FileSystemTest, AnItemIsKnownAfterARenameAndWhatReplacedItIsNot) {
    dir.MakeFolder("d");
    dir.MakeFile("f.txt", "1");
    const std::string folder = platform::FileIdentity(Slash("d"));
    const std::string file = platform::FileIdentity(Slash("f.txt"));
    ASSERT_EQ(platform::MovePath(Slash("d"), Slash("e")), MoveResult::Done);
    ASSERT_EQ(platform::MovePath(Slash("f.txt"), Slash("g.txt")), MoveResult::Done);
    Sleep(20);
    dir.MakeFile("e\\inside");
    EXPECT_TRUE(platform::HoldsItem(Slash("e"), folder));
    EXPECT_TRUE(platform::HoldsItem(Slash("g.txt"), file));
    EXPECT_FALSE(platform::HoldsItem(Slash("e"), file));
    ASSERT_TRUE(DeleteFileW(Native(L"g.txt").c_str()));
    dir.MakeFile("g.txt", "22");
    EXPECT_FALSE(platform::HoldsItem(Slash("g.txt"), file));
}

TEST_F(PathQueryTest, FilesFoldersAndMissingPaths) {
    dir.MakeFile("a.txt");
    dir.MakeFolder(kHyo);
    EXPECT_TRUE(platform::PathExists(Slash("a.txt")));
    EXPECT_FALSE(platform::IsDirectory(Slash("a.txt")));
    EXPECT_TRUE(platform::PathExists(Slash(kHyo)));
    EXPECT_TRUE(platform::IsDirectory(Slash(kHyo)));
    EXPECT_FALSE(platform::PathExists(Slash("b.txt")));
    EXPECT_FALSE(platform::IsDirectory(Slash("b")));
    EXPECT_FALSE(platform::PathExists(Slash("no/a.txt")));
}

TEST_F(PathQueryTest, ReadOnlyFolderIsStillAFolder) {
    dir.MakeFolder("ro");
    ASSERT_TRUE(SetFileAttributesW(Native(L"ro").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(platform::IsDirectory(Slash("ro")));
}

// The caller takes "not there" as free; a path it cannot even ask about must not look free.
TEST_F(PathQueryTest, UnconvertiblePathIsNeitherFreeNorAFolder) {
    EXPECT_TRUE(platform::PathExists(Slash(kInvalid)));
    EXPECT_FALSE(platform::IsDirectory(Slash(kInvalid)));
}

using NameOnDiskTest = FileSystemTest;

TEST_F(NameOnDiskTest, GivesTheStoredName) {
    dir.MakeFile("Readme.TXT");
    dir.MakeFile(kSofuto + ".txt");
    EXPECT_EQ(platform::NameOnDisk(Slash("Readme.TXT")), "Readme.TXT");
    EXPECT_EQ(platform::NameOnDisk(Slash("readme.txt")), "Readme.TXT");
    EXPECT_EQ(platform::NameOnDisk(Slash(kSofuto + ".txt")), kSofuto + ".txt");
    EXPECT_EQ(platform::NameOnDisk(Slash("missing.txt")), "");
}

// A pattern would report some other file's name.
TEST_F(NameOnDiskTest, WildcardsAreNotPatterns) {
    dir.MakeFile("a.txt");
    EXPECT_EQ(platform::NameOnDisk(Slash("*.txt")), "");
    EXPECT_EQ(platform::NameOnDisk(Slash("?.txt")), "");
    EXPECT_EQ(platform::NameOnDisk(Slash("a<")), "");
}

// Some file systems report a case-only rename as done and keep the old case; NameOnDisk is how
// the caller finds out. Either outcome is allowed here, but the file must survive it.
TEST_F(NameOnDiskTest, TellsWhetherACaseOnlyRenameHappened) {
    dir.MakeFile("x.txt", "data");
    EXPECT_EQ(platform::MovePath(Slash("x.txt"), Slash("X.txt")), MoveResult::Done);
    const std::string stored = platform::NameOnDisk(Slash("X.txt"));
    EXPECT_TRUE(stored == "X.txt" || stored == "x.txt") << stored;
    EXPECT_EQ(dir.Names(), Names{stored});
    EXPECT_EQ(dir.Read(stored), "data");
    RecordProperty("CaseOnlyRenameStored", stored);
    std::printf("case-only MovePath x.txt -> X.txt leaves %s on disk\n", stored.c_str());
}

TEST_F(NameOnDiskTest, CaseChangeThroughAnotherNameIsReal) {
    dir.MakeFile("x.txt", "data");
    ASSERT_EQ(platform::MovePath(Slash("x.txt"), Slash("~%_t.tmp")), MoveResult::Done);
    ASSERT_EQ(platform::MovePath(Slash("~%_t.tmp"), Slash("X.txt")), MoveResult::Done);
    EXPECT_EQ(platform::NameOnDisk(Slash("x.txt")), "X.txt");
    EXPECT_EQ(dir.Names(), Names{"X.txt"});
}

}  // namespace

namespace {

// Past MAX_PATH the W functions need the long form, which the tests use behind the seam's back.
class LongFolderTest : public ListTest {
  protected:
    std::wstring Long(const std::string& path) const {
        std::wstring native;
        EXPECT_TRUE(platform::ToNative(path, &native));
        return L"\\\\?\\" + native;
    }
    void Write(const std::string& path, const std::string& bytes) const {
        HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << GetLastError();
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    std::string Read(const std::string& path) const {
        HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return "(none)";
        }
        char bytes[64];
        DWORD read = 0;
        ReadFile(file, bytes, sizeof bytes, &read, nullptr);
        CloseHandle(file);
        return std::string(bytes, read);
    }
};

// A swap in a folder of more than 300 characters: the temporary names that once came from a
// 261-character buffer now take no buffer at all.
TEST_F(LongFolderTest, SwapInAFolderPastMaxPath) {
    const std::string outer = dir.PathOf(std::string(200, 'd'));
    const std::string folder = outer + "\\" + kHyo + std::string(100, 'e');
    ASSERT_GT(folder.size(), 300u);
    ASSERT_TRUE(CreateDirectoryW(Long(outer).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Long(folder).c_str(), nullptr));
    Write(folder + "\\a.txt", "A");
    Write(folder + "\\b.txt", "B");
    ASSERT_EQ(list->AddPath(folder + "\\a.txt"), 0);
    ASSERT_EQ(list->AddPath(folder + "\\b.txt"), 0);
    list->At(0).SetEditName("b");
    list->At(1).SetEditName("a");

    EXPECT_EQ(list->RenameAll(), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_EQ(Read(folder + "\\a.txt"), "B");
    EXPECT_EQ(Read(folder + "\\b.txt"), "A");
    EXPECT_EQ(list->RestoreAll(), 0);
    EXPECT_EQ(Read(folder + "\\a.txt"), "A");

    // Only what the test made is there, and it goes the same long way.
    for (const char* name : {"\\a.txt", "\\b.txt"}) {
        EXPECT_TRUE(DeleteFileW(Long(folder + name).c_str())) << name;
    }
    EXPECT_TRUE(RemoveDirectoryW(Long(folder).c_str())) << GetLastError();
    EXPECT_TRUE(RemoveDirectoryW(Long(outer).c_str())) << GetLastError();
}

}  // namespace
