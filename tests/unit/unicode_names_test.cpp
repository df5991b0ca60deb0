// Names that cp932 cannot hold, among names it can, over the whole road: files on disk by their
// exact names, added, exported to the IO file or the clipboard, edited (the names swapped and
// rotated among the files, some new), imported, renamed and restored.
#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/name_rules.h"
#include "exchange/import.h"
#include "exchange/name_text.h"
#include "platform/clipboard.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "tests/support/list_fixture.h"
#include "tests/support/test_clipboard.h"

namespace {

using Names = std::vector<std::string>;

std::string Held(const std::string& utf8) {
    std::string held;
    EXPECT_TRUE(platform::Utf8ToHeld(utf8, &held)) << utf8;
    return held;
}

class UnicodeNamesTest : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        mainWindow = test_clipboard::Acquire();
    }
    void TearDown() override {
        test_clipboard::Release();
        ListTest::TearDown();
    }

    std::string RandomName(std::mt19937& random) {
        // "〜" U+301C has no cp932 form ("～" U+FF5E has); 表 and ソ end in the byte of "\".
        static const char* const kPieces[] = {u8"\u301C", u8"\u00E9", u8"\U0001F600", u8"表",
                                              u8"ソ",     "a",        u8"\u2212",     u8"\u2016",
                                              u8"\uD55C", u8"\u6C49", u8"\uFF5E",     " b"};
        std::string name;
        const int pieces = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < pieces; ++i) {
            name += kPieces[random() % (sizeof kPieces / sizeof kPieces[0])];
        }
        return Held(name);
    }

    // The exported text as the file holds it, in the held form.
    std::string ExportedText(bool clipboard, bool* unicodeFile) {
        std::string text;
        if (clipboard) {
            EXPECT_EQ(ExportToClipboard(*list, NameKind::Edit, true), 0);
            EXPECT_TRUE(platform::GetClipboardText(mainWindow, &text));
            return text;
        }
        EXPECT_EQ(ExportToFile(*list, IoPath(), NameKind::Edit, true), 0);
        std::string bytes;
        EXPECT_TRUE(platform::ReadWholeFile(mbcs::ToSlashForm(IoPath()), &bytes));
        *unicodeFile = bytes.rfind("\xEF\xBB\xBF", 0) == 0;
        if (*unicodeFile) {
            EXPECT_TRUE(platform::Utf8ToHeld(bytes.substr(3), &text));
        } else {
            text = bytes;
        }
        return text;
    }

    std::string IoPath() const { return dir.PathOf("io.txt"); }
};

TEST_F(UnicodeNamesTest, EveryNameGoesOutAndComesBackExactlyThroughFileAndClipboard) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 24; ++round) {
        SCOPED_TRACE(round);
        const bool clipboard = round % 2 == 1;
        list->Clear();
        const std::string folder = "r" + std::to_string(round);
        dir.MakeFolder(folder);
        const auto file = [&](const std::string& name) { return folder + "\\" + name + ".txt"; };
        std::set<std::string> unique;
        while (unique.size() < 8) {
            unique.insert(RandomName(random));
        }
        const Names first(unique.begin(), unique.end());
        for (std::size_t i = 0; i < first.size(); ++i) {
            AddFile(file(first[i]), std::to_string(i));
        }
        ASSERT_TRUE(boxes::Recorded().empty()) << boxes::Recorded()[0].text;

        // Out: one line per name, exactly, and the file is cp932 as ever unless a name needs more.
        bool unicodeFile = false;
        const std::string text = ExportedText(clipboard, &unicodeFile);
        std::string names;
        bool needsMore = false;
        for (const std::string& name : first) {
            names += name + "\r\n";
            needsMore = needsMore || platform::HoldsEscapes(name);
        }
        ASSERT_EQ(text.substr(0, names.size()), names);
        if (!clipboard) {
            EXPECT_EQ(unicodeFile, needsMore);
        }

        // Edited: a rotation of some names, a swap of two, a new name, as an editor saves it.
        Names wanted = first;
        std::rotate(wanted.begin(), wanted.begin() + 1, wanted.begin() + 4);
        std::swap(wanted[5], wanted[6]);
        wanted[7] = RandomName(random) + Held(u8"\u00E9\u00E9");
        std::string edited;
        for (const std::string& name : wanted) {
            edited += name + "\r\n";
        }
        edited += text.substr(names.size());
        if (clipboard) {
            ASSERT_TRUE(platform::PutClipboardText(mainWindow, edited));
            ASSERT_EQ(ImportFromClipboard(*list, ImportRules()), 0);
        } else {
            std::string utf8;
            ASSERT_TRUE(platform::HeldToUtf8(edited, &utf8));
            ASSERT_TRUE(platform::WriteWholeFile(mbcs::ToSlashForm(IoPath()), "\xEF\xBB\xBF" + utf8,
                                                 nullptr));
            ASSERT_EQ(ImportFromFile(*list, IoPath(), ImportRules()), 0);
        }
        ASSERT_TRUE(boxes::Recorded().empty()) << boxes::Recorded()[0].text;

        ASSERT_EQ(list->RenameAll(), 0);
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            EXPECT_EQ(dir.Read(file(wanted[i])), std::to_string(i)) << i;
        }
        ASSERT_EQ(list->RestoreAll(), 0);
        for (std::size_t i = 0; i < first.size(); ++i) {
            EXPECT_EQ(dir.Read(file(first[i])), std::to_string(i)) << i;
        }
        Names expected;
        for (const std::string& name : first) {
            expected.push_back(name + ".txt");
        }
        std::sort(expected.begin(), expected.end());
        Names onDisk = test_files::ListNames(dir.PathOf(folder));
        std::sort(onDisk.begin(), onDisk.end());
        EXPECT_EQ(onDisk, expected);
    }
}

// Windows counts a name's length in UTF-16 units: an emoji takes two of the 255, "é" one.
TEST(UnicodeNameLength, ACharacterBeyondTheBmpCountsTwice) {
    std::string emoji;
    std::string accents;
    for (int i = 0; i < 127; ++i) {
        emoji += u8"\U0001F600";
        accents += u8"\u00E9\u00E9";
    }
    EXPECT_FALSE(IsNameTooLong(Held(emoji + "a")));
    EXPECT_TRUE(IsNameTooLong(Held(emoji + u8"\U0001F600")));
    EXPECT_FALSE(IsNameTooLong(Held(accents + u8"\u00E9")));
    EXPECT_TRUE(IsNameTooLong(Held(accents + u8"\u00E9\u00E9")));
}

}  // namespace
