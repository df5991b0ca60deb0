#include <string>
#include <vector>

#include "core/name_rules.h"
#include "core/texts.h"
#include "gtest/gtest.h"
#include "tests/support/message_box_recorder.h"

namespace {

using Lines = std::vector<std::string>;

constexpr const char* kTitle = texts::kTitleBadName;
WindowHandle const kOwner = reinterpret_cast<WindowHandle>(0x1234);

class NameRulesTest : public ::testing::Test {
  protected:
    void SetUp() override { boxes::Reset(); }

    // With extensions hidden, as the settings start.
    static bool IsValid(const std::string& name, bool showMessage) {
        return IsValidFileName(name, showMessage, nullptr, false);
    }

    const RecordedBox& OnlyBox() {
        static const RecordedBox none{};
        EXPECT_EQ(boxes::Recorded().size(), 1u);
        return boxes::Recorded().empty() ? none : boxes::Recorded()[0];
    }
};

TEST_F(NameRulesTest, EachIllegalCharacterIsRefusedWithItsMessage) {
    for (char c : std::string("\\/:*?\"<>|")) {
        boxes::Reset();
        const std::string name = std::string("a") + c + "b";
        EXPECT_FALSE(IsValidFileName(name, true, kOwner, false)) << name;
        const RecordedBox& box = OnlyBox();
        EXPECT_EQ(box.text, texts::Fill(texts::kNameIllegalCharacters, {name}));
        EXPECT_EQ(box.title, kTitle);
        EXPECT_EQ(box.Icon(), kMbIconError);
        EXPECT_EQ(box.owner, kOwner);
    }
    boxes::Reset();
    EXPECT_FALSE(IsValid("a|b", false));
    EXPECT_TRUE(boxes::Recorded().empty());
}

// 表 and ソ end in 0x5C, － (0x81 0x7C) in the byte of "|".
TEST_F(NameRulesTest, TrailBytesAreNotIllegalCharacters) {
    for (const std::string name : {"表計算", "ソフト", "\x81\x7C", "a表"}) {
        EXPECT_TRUE(IsValid(name, true)) << name;
    }
    EXPECT_FALSE(IsValid("表\\", false));
    EXPECT_TRUE(boxes::Recorded().empty());
}

TEST_F(NameRulesTest, OnlyDotsAndBlanksAreRefused) {
    for (const std::string name : {"", " ", "..", ". .", "   ."}) {
        boxes::Reset();
        EXPECT_FALSE(IsValid(name, true)) << "[" << name << "]";
        const RecordedBox& box = OnlyBox();
        EXPECT_EQ(box.text, texts::Fill(texts::kNameDotsOnly, {name}));
        EXPECT_EQ(box.title, kTitle);
        EXPECT_EQ(box.owner, nullptr);
    }
    boxes::Reset();
    // The ideographic space is a character like any other, and so are trailing dots and blanks.
    for (const std::string& name : Lines{"　", "a.", "a ", " a", ".cfg", std::string(400, 'n')}) {
        EXPECT_TRUE(IsValid(name, true)) << "[" << name << "]";
    }
    EXPECT_TRUE(boxes::Recorded().empty());
}

TEST_F(NameRulesTest, WithExtensionsTheBaseMustHoldSomething) {
    const auto whole = [](const std::string& name, bool showMessage) {
        return IsValidFileName(name, showMessage, nullptr, true);
    };
    EXPECT_TRUE(IsValid(".txt", false));
    EXPECT_FALSE(whole(".txt", true));
    EXPECT_EQ(OnlyBox().text, texts::Fill(texts::kNameDotsOnly, {".txt"}));
    EXPECT_FALSE(whole(" ..txt", false));
    EXPECT_TRUE(whole("a.", false));
    EXPECT_TRUE(whole("a.b.c", false));
    EXPECT_TRUE(whole("a", false));
    // The last dot is found by characters: 表 is no dot, and "." alone leaves nothing.
    EXPECT_TRUE(whole("表.", false));
    EXPECT_FALSE(whole(".", false));
}

// The settings' rules: unchecked, every name passes without a word; checked, by the extension
// rule they give.
TEST_F(NameRulesTest, TheRulesCheckOnlyWhenAsked) {
    EXPECT_FALSE(IsNameRefused(NameRules{false, true}, ".txt", true, kOwner));
    EXPECT_FALSE(IsNameRefused(NameRules{true, false}, ".txt", true, kOwner));
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_TRUE(IsNameRefused(NameRules{true, true}, ".txt", true, kOwner));
    EXPECT_EQ(OnlyBox().owner, kOwner);
}

}  // namespace
