#include <string>

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

}  // namespace
