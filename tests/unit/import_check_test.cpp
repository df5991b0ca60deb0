#include <string>
#include <vector>

#include "exchange/import.h"
#include "tests/support/expected_texts.h"
#include "tests/support/list_fixture.h"

namespace {

using Lines = std::vector<std::string>;

constexpr const char* kTitle = texts::kTitleBadName;

class ImportCheckTest : public ListTest {
  protected:
    const RecordedBox& OnlyBox() {
        static const RecordedBox none{};
        EXPECT_EQ(boxes::Recorded().size(), 1u);
        return boxes::Recorded().empty() ? none : boxes::Recorded()[0];
    }
};

TEST_F(ImportCheckTest, SwapAndChainsThroughListedNamesPass) {
    AddFile("a.txt");
    AddFile("b.txt");
    AddFile("x.txt");
    AddFile("y.txt");
    EXPECT_EQ(CheckNewNames(*list, Lines{"b", "a", "y", "z"}), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_EQ(NamesBesidesIni(), (Lines{"a.txt", "b.txt", "x.txt", "y.txt"}));
    // Checking changes nothing in the list either.
    EXPECT_EQ(list->At(0).Path(NameKind::Edit).FileName(), "a.txt");
}

TEST_F(ImportCheckTest, DuplicatesNameTheirLinesInOrder) {
    AddFile("a.txt");
    AddFile("b.txt");
    AddFile("c.txt");
    // Line 1 takes entry 2's name, which is allowed; line 3 takes it as well.
    EXPECT_EQ(CheckNewNames(*list, Lines{"b", "q", "b"}), 1);
    EXPECT_EQ(OnlyBox().text, DuplicateText(1, "b.txt", 3, "b.txt"));
    EXPECT_EQ(OnlyBox().title, kTitle);
    EXPECT_EQ(OnlyBox().owner, mainWindow);
    EXPECT_EQ(OnlyBox().Icon(), kMbIconError);
}

TEST_F(ImportCheckTest, AnUnchangedLineCollidesWithALaterOne) {
    AddFile("a.txt");
    AddFile("b.txt");
    EXPECT_EQ(CheckNewNames(*list, Lines{"a", "a"}), 1);
    EXPECT_EQ(OnlyBox().text, DuplicateText(1, "a.txt", 2, "a.txt"));
}

// The message shows every name whole, however long the line was.
TEST_F(ImportCheckTest, DuplicateMessageKeepsLongNamesWhole) {
    AddFile("a.txt");
    AddFile("b.txt");
    const std::string name = std::string(700, 'x') + "表";
    EXPECT_EQ(CheckNewNames(*list, Lines{name, name}), 1);
    EXPECT_EQ(OnlyBox().text, DuplicateText(1, name + ".txt", 2, name + ".txt"));
}

TEST_F(ImportCheckTest, AFileOutsideTheListStopsTheLine) {
    AddFile("a.txt");
    AddFile("b.txt");
    dir.MakeFile("c.txt", "outside");
    EXPECT_EQ(CheckNewNames(*list, Lines{"a", "c"}), 1);
    EXPECT_EQ(OnlyBox().text, texts::kNamesCollide);
    EXPECT_EQ(OnlyBox().title, kTitle);
    EXPECT_EQ(dir.Read("c.txt"), "outside");

    // A folder stands in the way just as well; the extension of the entry counts.
    boxes::Reset();
    dir.MakeFolder("d.txt");
    EXPECT_EQ(CheckNewNames(*list, Lines{"d", "b"}), 1);
    boxes::Reset();
    EXPECT_EQ(CheckNewNames(*list, Lines{"d.txt", "b"}), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
}

// A file system that ignores case finds the entry's own file at the new name.
TEST_F(ImportCheckTest, ACaseOnlyChangePasses) {
    AddFile("a.txt");
    AddFile("Readme");
    EXPECT_EQ(CheckNewNames(*list, Lines{"A", "README"}), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
}

#ifndef _WIN32
// "x." is one file whether held as base "x." without extension or as base "x" with an empty one;
// Windows would strip its dot, so it is refused before it could become a duplicate.
TEST_F(ImportCheckTest, ANameEndingInADotIsRefusedHoweverItIsSplit) {
    AddFile("b");
    AddFile("c.");
    EXPECT_EQ(CheckNewNames(*list, Lines{"x.", "x"}), 1);
    EXPECT_EQ(OnlyBox().text, CannotBeMadeText(1, "x.", texts::kWhyTrailingDotOrBlank));
}
#endif

}  // namespace
