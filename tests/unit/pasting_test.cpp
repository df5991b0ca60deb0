#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/texts.h"
#include "res/resource_ids.h"
#include "tests/support/list_fixture.h"

namespace {

using Writes = std::vector<unsigned>;
using Grayed = std::map<int, bool>;

constexpr int kRename = IDC_RENAME;
constexpr int kRestore = IDC_RESTORE;
constexpr int kConvert = IDC_CONVERT_ILLEGAL;

class PasteTest : public ListTest {
  protected:
    std::string Edit(unsigned i) const { return list->At(i).Path(NameKind::Edit).FileName(); }
    void Paste(const std::string& text) { list->PasteToEdit(NameKind::Edit, &text); }
};

TEST_F(PasteTest, FirstAndCurrentNamesKeepTheEditExtension) {
    AddFile("a.txt").SetEditName("b");
    ASSERT_EQ(list->RenameAll(), 0);
    list->At(0).SetEditName("c");
    TheFakeWindow().selected = {0};

    list->PasteToEdit(NameKind::Now, nullptr);
    EXPECT_EQ(Edit(0), "b.txt");
    list->PasteToEdit(NameKind::Old, nullptr);
    EXPECT_EQ(Edit(0), "a.txt");
    EXPECT_EQ(list->At(0).DisplayName(NameKind::Edit), "a");
}

TEST_F(PasteTest, TextGoesToTheSelectedRowsOnly) {
    AddFile("a.txt");
    AddFile("b.txt");
    AddFile("c.txt");
    ResetFakeWindow();
    TheFakeWindow().selected = {0, 2};

    Paste("new");
    EXPECT_EQ(Edit(0), "new.txt");
    EXPECT_EQ(Edit(1), "b.txt");
    EXPECT_EQ(Edit(2), "new.txt");
    EXPECT_EQ(TheFakeWindow().writes, (Writes{0, 2}));
    EXPECT_EQ(TheFakeWindow().grayed,
              (Grayed{{kRename, false}, {kRestore, true}, {kConvert, false}}));

    // The clear command: an empty edit name, the entry stays in the list.
    Paste("");
    EXPECT_EQ(list->Count(), 3u);
    EXPECT_EQ(list->At(0).DisplayName(NameKind::Edit), "");
    EXPECT_EQ(Edit(0), ".txt");
    EXPECT_TRUE(boxes::Recorded().empty());
}

TEST_F(PasteTest, IllegalTextIsTakenUnlessTheCheckIsOn) {
    AddFile("a.txt");
    TheFakeWindow().selected = {0};
    Paste("x?y");
    EXPECT_EQ(Edit(0), "x?y.txt");
    EXPECT_TRUE(boxes::Recorded().empty());
}

TEST_F(PasteTest, WithTheCheckOnABadTextIsRefusedWithItsMessage) {
    rules.checkPastedNames = true;
    AddFile("a.txt");
    AddFile("b.txt");
    ResetFakeWindow();
    TheFakeWindow().selected = {0, 1};

    for (const std::string text : {"x?y", "", ". ."}) {
        boxes::Reset();
        Paste(text);
        ASSERT_EQ(boxes::Recorded().size(), 1u) << "[" << text << "]";
        EXPECT_EQ(boxes::Recorded()[0].title, texts::kTitleBadName);
        EXPECT_EQ(boxes::Recorded()[0].text.rfind(text + "\n\n", 0), 0u);
    }
    EXPECT_EQ(Edit(0), "a.txt");
    EXPECT_EQ(Edit(1), "b.txt");
    EXPECT_TRUE(TheFakeWindow().writes.empty());
    EXPECT_TRUE(TheFakeWindow().grayed.empty());

    // A good text passes, and the names of the other kinds are not checked.
    boxes::Reset();
    Paste("ok");
    EXPECT_EQ(Edit(1), "ok.txt");
    list->PasteToEdit(NameKind::Old, nullptr);
    EXPECT_EQ(Edit(1), "b.txt");
    EXPECT_TRUE(boxes::Recorded().empty());
}

TEST_F(PasteTest, CommandStatesFollowTheEditAndCurrentNames) {
    list->UpdateCommandStates();
    EXPECT_EQ(TheFakeWindow().grayed,
              (Grayed{{kRename, true}, {kRestore, true}, {kConvert, true}}));

    AddFile("a.txt");
    AddFile("b.txt");
    list->UpdateCommandStates();
    EXPECT_EQ(TheFakeWindow().grayed,
              (Grayed{{kRename, true}, {kRestore, true}, {kConvert, true}}));

    list->At(1).SetEditName("c");
    list->UpdateCommandStates();
    EXPECT_EQ(TheFakeWindow().grayed,
              (Grayed{{kRename, false}, {kRestore, true}, {kConvert, false}}));

    ASSERT_EQ(list->RenameAll(), 0);
    list->UpdateCommandStates();
    EXPECT_EQ(TheFakeWindow().grayed,
              (Grayed{{kRename, true}, {kRestore, false}, {kConvert, true}}));

    // One entry renamed, another waiting: both flags come from different entries.
    list->At(0).SetEditName("d");
    list->UpdateCommandStates();
    EXPECT_EQ(TheFakeWindow().grayed,
              (Grayed{{kRename, false}, {kRestore, false}, {kConvert, false}}));
}

// A rename pass walks the entries by index; while its message box is open nothing may change
// their order or names.
TEST_F(PasteTest, ListEditsWaitWhileAPassShowsAMessage) {
    const std::string unusable = std::string(300, 'n') + "?";
    AddFile("b.txt").SetEditName(unusable);
    AddFile("a.txt");
    TheFakeWindow().selected = {1};
    int calls = 0;
    boxes::SetAnswerer([&](const RecordedBox&) {
        ++calls;
        EXPECT_EQ(list->ConvertIllegalNames(), 0u);
        list->Sort(NameKind::Now, PathPart::FileName, false);
        list->MoveSelected(-1);
        Paste("z");
        return kIdOk;
    });

    EXPECT_EQ(list->RenameAll(), 1);
    EXPECT_GE(calls, 1);
    ASSERT_EQ(list->Count(), 2u);
    EXPECT_EQ(list->At(0).Path(NameKind::Now).FileName(), "b.txt");
    EXPECT_EQ(Edit(0), unusable + ".txt");
    EXPECT_EQ(Edit(1), "a.txt");
    EXPECT_EQ(TheFakeWindow().selected, (std::set<unsigned>{1}));

    // Once the pass is over the same edits work again.
    boxes::SetAnswerer(nullptr);
    EXPECT_EQ(list->ConvertIllegalNames(), 1u);
    list->Sort(NameKind::Now, PathPart::FileName, false);
    EXPECT_EQ(list->At(0).Path(NameKind::Now).FileName(), "a.txt");
}

}  // namespace

namespace {

// A name is counted whole, hidden extension included: the same text fits a folder and not a
// file, and the file keeps its edit name.
TEST_F(PasteTest, ATextTooLongForAnEntryLeavesThatEntryAsItWas) {
    AddFile("a.txt");
    dir.MakeFolder("d");
    ASSERT_EQ(list->AddPath(dir.PathOf("d")), 0);
    TheFakeWindow().selected = {0, 1};

    Paste(std::string(251, 'x'));
    EXPECT_EQ(Edit(0), std::string(251, 'x') + ".txt");
    EXPECT_TRUE(boxes::Recorded().empty());

    Paste(std::string(252, 'y'));
    EXPECT_EQ(Edit(0), std::string(251, 'x') + ".txt");
    EXPECT_EQ(Edit(1), std::string(252, 'y'));
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].text, texts::Fill(texts::kNamesTooLong, {"255", "1"}));
}

}  // namespace
