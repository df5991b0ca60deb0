#include <string>
#include <utility>
#include <vector>

#include "tests/support/list_fixture.h"

namespace {

using Writes = std::vector<unsigned>;

// Extensions shown, so that a typed name sets the whole edit name.
class WholeNameConversionTest : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        rules.wholeNamesShown = true;
    }

    // The edit name after converting `typed`, and whether the conversion reported a change.
    std::pair<std::string, bool> Convert(const std::string& typed) {
        RenameEntry& e = list->At(0);
        e.SetEditName(typed);
        const bool changed = e.ConvertEditName();
        return {e.Path(NameKind::Edit).FileName(), changed};
    }
};

TEST_F(WholeNameConversionTest, IllegalCharactersBecomeFullWidth) {
    AddFile("f.txt");
    ASSERT_EQ(list->At(0).DisplayName(NameKind::Edit), "f.txt");
    const std::pair<std::string, std::string> cases[] = {
        {"a?b:d.txt", "a？b：d.txt"},
        {"x<y>|z", "x＜y＞｜z"},
        {"say \"hi\"", "say ”hi”"},
        {"a\\b", "a￥b"},
        {"a/b", "a／b"},
        {"*", "＊"},
        {"\\/:*?\"<>|", "￥／：＊？”＜＞｜"},
        {"ポ?", "ポ？"},
        {"..?", "..？"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Convert(c.first), std::make_pair(c.second, true)) << c.first;
        // Converted once, nothing is left to convert.
        EXPECT_EQ(Convert(c.second), std::make_pair(c.second, false)) << c.first;
    }
}

TEST_F(WholeNameConversionTest, NamesOfOnlyDotsAndBlanksAreReplaced) {
    AddFile("f.txt");
    const std::pair<std::string, std::string> cases[] = {
        {"...", "．．．"},
        {" ", "　"},
        {" . ", "　．　"},
        {"", "　"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Convert(c.first), std::make_pair(c.second, true)) << "[" << c.first << "]";
        EXPECT_EQ(Convert(c.second), std::make_pair(c.second, false)) << "[" << c.first << "]";
    }
    // No dot is left to split at.
    Convert("...");
    EXPECT_EQ(list->At(0).Path(NameKind::Edit).Base(), "．．．");
    EXPECT_EQ(list->At(0).Path(NameKind::Edit).Extension(), kNoExtension);
}

TEST_F(WholeNameConversionTest, LegalNamesStayAsTheyAre) {
    AddFile("f.txt");
    // Dots and blanks beside another character are kept, leading and trailing ones too; a trail
    // byte that equals an illegal character (ポ ends in 0x7C, 表 in 0x5C) is part of its character.
    for (const std::string name : {". a", "a.", "a ", ".cfg", "ポ.txt", "表計算", "　", "ｱ.txt"}) {
        EXPECT_EQ(Convert(name), std::make_pair(name, false)) << name;
    }
}

TEST_F(WholeNameConversionTest, ConvertedNameIsSplitAgainAtItsLastDot) {
    RenameEntry& e = AddFile("f.txt");
    EXPECT_TRUE(Convert("a?b:d.t*t").second);
    EXPECT_EQ(e.Path(NameKind::Edit).Base(), "a？b：d");
    EXPECT_EQ(e.Path(NameKind::Edit).Extension(), "t＊t");
    EXPECT_EQ(e.Path(NameKind::Edit).FullPath(), dir.PathOf("a？b：d.t＊t"));
    // Only the edit path changes; the file keeps its name.
    EXPECT_EQ(e.Path(NameKind::Now).FileName(), "f.txt");
    EXPECT_EQ(e.Path(NameKind::Old).FileName(), "f.txt");
    EXPECT_TRUE(dir.Has("f.txt"));
}

using ConversionTest = ListTest;

TEST_F(ConversionTest, DottedBaseWithoutExtensionIsSplitAgain) {
    RenameEntry& e = AddFile("readme");
    e.SetEditName("read.me");
    ASSERT_EQ(e.Path(NameKind::Edit).Base(), "read.me");
    ASSERT_EQ(e.Path(NameKind::Edit).Extension(), kNoExtension);

    EXPECT_FALSE(e.ConvertEditName());
    EXPECT_EQ(e.Path(NameKind::Edit).FileName(), "read.me");
    EXPECT_EQ(e.Path(NameKind::Edit).Extension(), "me");
    EXPECT_EQ(e.DisplayName(NameKind::Edit), "read");
}

TEST_F(ConversionTest, ReSplitNameIsRewritten) {
    AddFile("a.txt");
    AddFile("other").SetEditName("read.me");
    ASSERT_EQ(list->At(1).DisplayName(NameKind::Edit), "read.me");

    ResetFakeWindow();
    EXPECT_EQ(list->ConvertIllegalNames(), 0u);
    // Entry 1 now shows "read" instead of "read.me": its row must follow, and only its row.
    EXPECT_EQ(list->At(1).DisplayName(NameKind::Edit), "read");
    EXPECT_EQ(TheFakeWindow().writes, (std::vector<unsigned>{1}));
}

TEST_F(ConversionTest, HiddenExtensionIsConvertedToo) {
    // Adding does not need the item to exist, and "?" cannot be in a name on disk.
    ASSERT_EQ(list->AddPath(dir.PathOf("a.t?t")), 0);
    RenameEntry& e = list->At(0);
    ASSERT_EQ(e.DisplayName(NameKind::Edit), "a");

    EXPECT_EQ(list->ConvertIllegalNames(), 1u);
    EXPECT_EQ(e.Path(NameKind::Edit).FileName(), "a.t？t");
    EXPECT_EQ(e.DisplayName(NameKind::Edit), "a");
    EXPECT_EQ(e.Path(NameKind::Now).FileName(), "a.t?t");
}

TEST_F(ConversionTest, OnlyRowsOfChangedEntriesAreRewritten) {
    AddFile("a.txt").SetEditName("a?b");
    AddFile("b.txt").SetEditName("plain");
    AddFile("c.txt").SetEditName("c:d");
    AddFile("d.txt");
    ResetFakeWindow();

    EXPECT_EQ(list->ConvertIllegalNames(), 2u);
    EXPECT_EQ(TheFakeWindow().writes, (Writes{0, 2}));
    EXPECT_EQ(list->At(0).Path(NameKind::Edit).FileName(), "a？b.txt");
    EXPECT_EQ(list->At(1).Path(NameKind::Edit).FileName(), "plain.txt");
    EXPECT_EQ(list->At(2).Path(NameKind::Edit).FileName(), "c：d.txt");
    EXPECT_TRUE(TheFakeWindow().grayed.empty());

    ResetFakeWindow();
    EXPECT_EQ(list->ConvertIllegalNames(), 0u);
    EXPECT_TRUE(TheFakeWindow().writes.empty());
}

}  // namespace
