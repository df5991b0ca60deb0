#include <string>
#include <vector>

#include "exchange/name_check.h"
#include "tests/support/expected_texts.h"
#include "tests/support/list_fixture.h"

namespace {

using Lines = std::vector<std::string>;

constexpr const char* kTitle = texts::kTitleBadName;

class NameCheckTest : public ListTest {
  protected:
    // A store that starts with UseExtension on, as if read from the INI file at start-up.
    void StartWithUseExtension() {
        list.reset();
        SetSettingsStore(nullptr);
        ResetSettingKeys();
        store = std::make_unique<SettingsStore>(keys::kSection,
                                                mbcs::ToSlashForm(dir.PathOf("restart.ini")));
        context.settings = store.get();
        SetSettingsStore(context.settings);
        RegisterSetting(kIdUseExtension, keys::kUseExtension, "on");
        list = MakeList();
    }

    const RecordedBox& OnlyBox() {
        static const RecordedBox none{};
        EXPECT_EQ(boxes::Recorded().size(), 1u);
        return boxes::Recorded().empty() ? none : boxes::Recorded()[0];
    }
};

TEST_F(NameCheckTest, EachIllegalCharacterIsRefusedWithItsMessage) {
    for (char c : std::string("\\/:*?\"<>|")) {
        boxes::Reset();
        const std::string name = std::string("a") + c + "b";
        EXPECT_FALSE(IsValidName(name, true, context.mainWindow)) << name;
        const RecordedBox& box = OnlyBox();
        EXPECT_EQ(box.text, texts::Fill(texts::kNameIllegalCharacters, {name}));
        EXPECT_EQ(box.title, kTitle);
        EXPECT_EQ(box.Icon(), kMbIconError);
        EXPECT_EQ(box.owner, context.mainWindow);
    }
    boxes::Reset();
    EXPECT_FALSE(IsValidName("a|b", false));
    EXPECT_TRUE(boxes::Recorded().empty());
}

// 表 and ソ end in 0x5C, － (0x81 0x7C) in the byte of "|".
TEST_F(NameCheckTest, TrailBytesAreNotIllegalCharacters) {
    for (const std::string name : {"表計算", "ソフト", "\x81\x7C", "a表"}) {
        EXPECT_TRUE(IsValidName(name, true)) << name;
    }
    EXPECT_FALSE(IsValidName("表\\", false));
    EXPECT_TRUE(boxes::Recorded().empty());
}

TEST_F(NameCheckTest, OnlyDotsAndBlanksAreRefused) {
    for (const std::string name : {"", " ", "..", ". .", "   ."}) {
        boxes::Reset();
        EXPECT_FALSE(IsValidName(name, true)) << "[" << name << "]";
        const RecordedBox& box = OnlyBox();
        EXPECT_EQ(box.text, texts::Fill(texts::kNameDotsOnly, {name}));
        EXPECT_EQ(box.title, kTitle);
        EXPECT_EQ(box.owner, nullptr);
    }
    boxes::Reset();
    // The ideographic space is a character like any other, and so are trailing dots and blanks.
    for (const std::string& name : Lines{"　", "a.", "a ", " a", ".cfg", std::string(400, 'n')}) {
        EXPECT_TRUE(IsValidName(name, true)) << "[" << name << "]";
    }
    EXPECT_TRUE(boxes::Recorded().empty());
}

TEST_F(NameCheckTest, WithExtensionsTheBaseMustHoldSomething) {
    EXPECT_TRUE(IsValidName(".txt", false));
    StartWithUseExtension();
    EXPECT_FALSE(IsValidName(".txt", true));
    EXPECT_EQ(OnlyBox().text, texts::Fill(texts::kNameDotsOnly, {".txt"}));
    EXPECT_FALSE(IsValidName(" ..txt", false));
    EXPECT_TRUE(IsValidName("a.", false));
    EXPECT_TRUE(IsValidName("a.b.c", false));
    EXPECT_TRUE(IsValidName("a", false));
    // The last dot is found by characters: 表 is no dot, and "." alone leaves nothing.
    EXPECT_TRUE(IsValidName("表.", false));
    EXPECT_FALSE(IsValidName(".", false));
}

TEST_F(NameCheckTest, SwapAndChainsThroughListedNamesPass) {
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

TEST_F(NameCheckTest, DuplicatesNameTheirLinesInOrder) {
    AddFile("a.txt");
    AddFile("b.txt");
    AddFile("c.txt");
    // Line 1 takes entry 2's name, which is allowed; line 3 takes it as well.
    EXPECT_EQ(CheckNewNames(*list, Lines{"b", "q", "b"}), 1);
    EXPECT_EQ(OnlyBox().text, DuplicateText(1, "b.txt", 3, "b.txt"));
    EXPECT_EQ(OnlyBox().title, kTitle);
    EXPECT_EQ(OnlyBox().owner, context.mainWindow);
    EXPECT_EQ(OnlyBox().Icon(), kMbIconError);
}

TEST_F(NameCheckTest, AnUnchangedLineCollidesWithALaterOne) {
    AddFile("a.txt");
    AddFile("b.txt");
    EXPECT_EQ(CheckNewNames(*list, Lines{"a", "a"}), 1);
    EXPECT_EQ(OnlyBox().text, DuplicateText(1, "a.txt", 2, "a.txt"));
}

// The message shows every name whole, however long the line was.
TEST_F(NameCheckTest, DuplicateMessageKeepsLongNamesWhole) {
    AddFile("a.txt");
    AddFile("b.txt");
    const std::string name = std::string(700, 'x') + "表";
    EXPECT_EQ(CheckNewNames(*list, Lines{name, name}), 1);
    EXPECT_EQ(OnlyBox().text, DuplicateText(1, name + ".txt", 2, name + ".txt"));
}

TEST_F(NameCheckTest, AFileOutsideTheListStopsTheLine) {
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
TEST_F(NameCheckTest, ACaseOnlyChangePasses) {
    AddFile("a.txt");
    AddFile("Readme");
    EXPECT_EQ(CheckNewNames(*list, Lines{"A", "README"}), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
}

#ifndef _WIN32
// "x." is one file whether held as base "x." without extension or as base "x" with an empty one;
// Windows would strip its dot, so it is refused before it could become a duplicate.
TEST_F(NameCheckTest, ANameEndingInADotIsRefusedHoweverItIsSplit) {
    AddFile("b");
    AddFile("c.");
    EXPECT_EQ(CheckNewNames(*list, Lines{"x.", "x"}), 1);
    EXPECT_EQ(OnlyBox().text, CannotBeMadeText(1, "x.", texts::kWhyTrailingDotOrBlank));
}
#endif

}  // namespace
