#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/list_fixture.h"

namespace {

using Names = std::vector<std::string>;
using Rows = std::set<unsigned>;

class SortTest : public ListTest {
  protected:
    void AddFolder(const std::string& name) {
        dir.MakeFolder(name);
        ASSERT_EQ(list->AddPath(dir.PathOf(name)), 0) << name;
    }

    Names Order() const {
        Names names;
        for (unsigned i = 0; i < list->Count(); ++i) {
            names.push_back(list->At(i).Path(NameKind::Now).FileName());
        }
        return names;
    }

    void SortByName(bool toggle) { list->Sort(NameKind::Now, PathPart::FileName, toggle); }
};

TEST_F(SortTest, NamesCompareByCp932Characters) {
    // Case-sensitive; a prefix first; a half-width katakana (one byte, 0xB1) before a full-width
    // letter (0x82 0x60) although its byte is the greater one.
    for (const char* name : {"Ａ.txt", "c.txt", "ｱ.txt", "a.txt", "B.txt", "a", "イ", "ア"}) {
        AddFile(name);
    }
    SortByName(false);
    const Names up{"B.txt", "a", "a.txt", "c.txt", "ｱ.txt", "Ａ.txt", "ア", "イ"};
    EXPECT_EQ(Order(), up);
    SortByName(true);
    EXPECT_EQ(Order(), Names(up.rbegin(), up.rend()));
}

TEST_F(SortTest, APrefixSortsFirstBothWays) {
    AddFile("a.txt");
    AddFile("a");
    SortByName(true);
    EXPECT_EQ(Order(), (Names{"a", "a.txt"}));
    SortByName(true);
    EXPECT_EQ(Order(), (Names{"a.txt", "a"}));
}

TEST_F(SortTest, FoldersComeFirstAscendingAndLastDescending) {
    AddFile("y.txt");
    AddFolder("x");
    AddFile("a.txt");
    AddFolder("b");
    AddFolder("Z");

    SortByName(true);
    EXPECT_EQ(Order(), (Names{"Z", "b", "x", "a.txt", "y.txt"}));
    SortByName(true);
    EXPECT_EQ(Order(), (Names{"y.txt", "a.txt", "x", "b", "Z"}));
}

TEST_F(SortTest, ToggledSortAlternatesAndOtherKeysStartAscending) {
    AddFile("b.txt");
    AddFile("c.txt");
    AddFile("a.txt");
    const Names up{"a.txt", "b.txt", "c.txt"};
    const Names down{"c.txt", "b.txt", "a.txt"};

    SortByName(true);
    EXPECT_EQ(Order(), up);
    SortByName(true);
    EXPECT_EQ(Order(), down);
    SortByName(true);
    EXPECT_EQ(Order(), up);

    // Every (kind, part) pair is a key of its own, (Edit, FullPath) and (Now, FileName) included.
    list->Sort(NameKind::Edit, PathPart::FullPath, true);
    EXPECT_EQ(Order(), up);
    SortByName(true);
    EXPECT_EQ(Order(), up);
    list->Sort(NameKind::Old, PathPart::FileName, true);
    EXPECT_EQ(Order(), up);
    list->Sort(NameKind::Now, PathPart::Folder, true);
    EXPECT_EQ(Order(), up);
}

TEST_F(SortTest, UntoggledSortRunsAscendingButRecordsItsKey) {
    AddFile("b.txt");
    AddFile("a.txt");
    SortByName(true);
    SortByName(false);
    EXPECT_EQ(Order(), (Names{"a.txt", "b.txt"}));
    // As after the sort that follows adding: the same key toggled now runs descending.
    SortByName(true);
    EXPECT_EQ(Order(), (Names{"b.txt", "a.txt"}));

    list->Sort(NameKind::Now, PathPart::FullPath, false);
    list->Sort(NameKind::Now, PathPart::FullPath, true);
    EXPECT_EQ(Order(), (Names{"b.txt", "a.txt"}));
}

TEST_F(SortTest, SortsByTheChosenKindAndPart) {
    AddFile("a.txt").SetEditName("z");
    AddFile("b.txt").SetEditName("y");
    AddFile("c.doc").SetEditName("x");
    list->Sort(NameKind::Edit, PathPart::FileName, false);
    EXPECT_EQ(Order(), (Names{"c.doc", "b.txt", "a.txt"}));
    list->Sort(NameKind::Old, PathPart::Extension, false);
    EXPECT_EQ(Order(), (Names{"c.doc", "b.txt", "a.txt"}));
    list->Sort(NameKind::Old, PathPart::Base, false);
    EXPECT_EQ(Order(), (Names{"a.txt", "b.txt", "c.doc"}));
}

TEST_F(SortTest, TiesStayWhereTheSelectionSortLeavesThem) {
    AddFile("b.txt");
    AddFile("b.doc");
    AddFile("a.txt");
    // a.txt is swapped with b.txt at the top; the two equal bases then stay as they are.
    list->Sort(NameKind::Now, PathPart::Base, false);
    EXPECT_EQ(Order(), (Names{"a.txt", "b.doc", "b.txt"}));
}

TEST_F(SortTest, EveryRowIsRewrittenOnce) {
    AddFile("c.txt");
    AddFile("a.txt");
    AddFile("b.txt");
    ResetFakeWindow();
    SortByName(false);
    EXPECT_EQ(TheFakeWindow().writes,
              (std::vector<std::pair<unsigned, RowExtent>>{
                  {0, RowExtent::All}, {1, RowExtent::All}, {2, RowExtent::All}}));
}

TEST_F(SortTest, ASingleEntryIsNotSortedAndRecordsNoKey) {
    AddFile("b.txt");
    ResetFakeWindow();
    SortByName(true);
    EXPECT_TRUE(TheFakeWindow().writes.empty());

    AddFile("a.txt");
    SortByName(true);
    EXPECT_EQ(Order(), (Names{"a.txt", "b.txt"}));
}

class MoveTest : public SortTest {
  protected:
    void SetUp() override {
        SortTest::SetUp();
        for (const char* name : {"e1", "e2", "e3", "e4", "e5"}) {
            AddFile(name);
        }
        ResetFakeWindow();
    }

    void Select(const Rows& rows) { TheFakeWindow().selected = rows; }
    const std::set<unsigned>& Selected() const { return TheFakeWindow().selected; }
    Rows Written() const {
        Rows rows;
        for (const auto& write : TheFakeWindow().writes) {
            EXPECT_EQ(write.second, RowExtent::All);
            rows.insert(write.first);
        }
        return rows;
    }
};

TEST_F(MoveTest, SelectionMovesUpAsABlock) {
    Select({1, 3});
    list->MoveSelected(-1);
    EXPECT_EQ(Order(), (Names{"e2", "e1", "e4", "e3", "e5"}));
    EXPECT_EQ(Selected(), (Rows{0, 2}));
    EXPECT_EQ(Written(), (Rows{0, 1, 2, 3}));
}

TEST_F(MoveTest, MoveToTheTopStopsWhenTheFirstReachesIt) {
    Select({1, 3});
    list->MoveSelected(-1073741824);
    EXPECT_EQ(Order(), (Names{"e2", "e1", "e4", "e3", "e5"}));
    EXPECT_EQ(Selected(), (Rows{0, 2}));
}

TEST_F(MoveTest, SelectionMovesDownAsABlock) {
    Select({1, 3});
    list->MoveSelected(1073741823);
    EXPECT_EQ(Order(), (Names{"e1", "e3", "e2", "e5", "e4"}));
    EXPECT_EQ(Selected(), (Rows{2, 4}));
    EXPECT_EQ(Written(), (Rows{1, 2, 3, 4}));
}

TEST_F(MoveTest, AdjacentRowsMoveSeveralPlaces) {
    Select({2, 3});
    list->MoveSelected(-2);
    EXPECT_EQ(Order(), (Names{"e3", "e4", "e1", "e2", "e5"}));
    EXPECT_EQ(Selected(), (Rows{0, 1}));

    Select({0, 1});
    list->MoveSelected(3);
    EXPECT_EQ(Order(), (Names{"e1", "e2", "e5", "e3", "e4"}));
    EXPECT_EQ(Selected(), (Rows{3, 4}));
}

TEST_F(MoveTest, SelectionAtTheEdgeStaysAndKeepsTheSortToggle) {
    list->Sort(NameKind::Now, PathPart::FileName, true);
    ResetFakeWindow();
    Select({0, 2});
    list->MoveSelected(-1);
    Select({2, 4});
    list->MoveSelected(1);
    EXPECT_EQ(Order(), (Names{"e1", "e2", "e3", "e4", "e5"}));
    EXPECT_EQ(Selected(), (Rows{2, 4}));
    EXPECT_TRUE(TheFakeWindow().writes.empty());

    // The toggle was kept, so the same sort now runs descending.
    list->Sort(NameKind::Now, PathPart::FileName, true);
    EXPECT_EQ(Order(), (Names{"e5", "e4", "e3", "e2", "e1"}));
}

TEST_F(MoveTest, AMoveResetsTheSortToggle) {
    list->Sort(NameKind::Now, PathPart::FileName, true);
    ResetFakeWindow();
    list->MoveSelected(1);  // nothing selected
    EXPECT_TRUE(TheFakeWindow().writes.empty());
    list->Sort(NameKind::Now, PathPart::FileName, true);
    EXPECT_EQ(Order(), (Names{"e1", "e2", "e3", "e4", "e5"}));

    Select({4});
    list->MoveSelected(-1);
    EXPECT_EQ(Order(), (Names{"e1", "e2", "e3", "e5", "e4"}));
    list->Sort(NameKind::Now, PathPart::FileName, true);
    EXPECT_EQ(Order(), (Names{"e1", "e2", "e3", "e4", "e5"}));
}

}  // namespace
