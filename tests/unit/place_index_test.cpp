#include <string>
#include <unordered_map>
#include <unordered_set>

#include "core/mbcs.h"
#include "core/place_index.h"
#include "gtest/gtest.h"
#include "platform/file_system.h"
#include "tests/support/test_files.h"

namespace {

// The folder read once answers every name as the file system answers it alone, whatever the
// platform's rules for letter case, short names and trailing dots.
TEST(PlaceIndexTest, AnswersAsThePathItselfWould) {
    TestDir dir;
    dir.MakeFile("a.txt");
    dir.MakeFile("Mixed Case.TXT");
    dir.MakeFile("\x83\x5c.txt");  // ソ: its second byte is a backslash
    dir.MakeFolder("sub");
    dir.MakeFile("sub\\inner");
    const char* const names[] = {
        "a.txt",
        "A.TXT",
        "a.txt.",
        "a.txt ",
        "b.txt",
        "mixed case.txt",
        "Mixed Case.TXT",
        "\x83\x5c.txt",
        "\x83\x5c.TXT",
        "sub",
        "SUB",
        "sub/inner",
        "sub/INNER",
        "sub/none",
        "none/inner",
        "A~1.TXT",
        "con",
        "nul.txt",
        "",
    };
    PlaceIndex index;
    for (const char* name : names) {
        const std::string path = mbcs::ToSlashForm(dir.PathOf(name));
        EXPECT_EQ(index.Exists(path), platform::PathExists(path)) << name;
    }
}

// The identities one read of the folder gives are the ones each item's own look gives, for files
// and folders, in any letter case asked; a name the folder lacks gets what its own look gives.
TEST(PlaceIndexTest, IdentitiesFromTheFolderReadAreEachItemsOwn) {
    TestDir dir;
    dir.MakeFile("a.txt", "some bytes");
    dir.MakeFile("\x83\x5c.txt");
    dir.MakeFile("Pok\xFF\x80\x81\xE9mon.txt");  // "é" as the held form escapes it
    dir.MakeFolder("sub");
    PlaceIndex index(true);
    platform::KeyHashes keys;
    platform::IdentitiesByHash listed;
    ASSERT_TRUE(platform::FolderNameKeys(mbcs::ToSlashForm(dir.PathOf("")), &keys, &listed));
    for (const char* name :
         {"a.txt", "\x83\x5c.txt", "Pok\xFF\x80\x81\xE9mon.txt", "sub", "A.TXT", "none"}) {
        const std::string path = mbcs::ToSlashForm(dir.PathOf(name));
        EXPECT_EQ(index.Identity(path), platform::FileIdentity(path)) << name;
    }
    // On Windows the listing itself gives them (not only the fallback of each item's own look).
    const std::string own = platform::FileIdentity(mbcs::ToSlashForm(dir.PathOf("a.txt")));
    ASSERT_FALSE(own.empty());
#ifdef _WIN32
    EXPECT_EQ(listed[platform::KeyHash(platform::ListedNameKey("a.txt"))], own);
#else
    EXPECT_TRUE(listed.empty());
#endif
}

}  // namespace
