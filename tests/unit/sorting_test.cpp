#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/text.h"
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

// Characters cp932 cannot hold come after every other, in the order of their code points; the
// first escape bytes of é and ū are the same, the last decide.
TEST_F(SortTest, NamesCp932CannotHoldSortAfterTheOthersByCodePoint) {
    std::vector<std::string> given;
    for (const char* utf8 :
         {u8"\U0001F600", u8"\u016B", u8"\u301C", "a", u8"\u00E9", u8"ア", "z"}) {
        std::string held;
        ASSERT_TRUE(platform::Utf8ToHeld(utf8, &held));
        given.push_back(held);
        AddFile(held);
    }
    SortByName(false);
    EXPECT_EQ(Order(),
              (Names{given[3], given[6], given[5], given[4], given[1], given[2], given[0]}));
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
    EXPECT_EQ(TheFakeWindow().writes, (std::vector<unsigned>{0, 1, 2}));
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
        for (unsigned row : TheFakeWindow().writes) {
            rows.insert(row);
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

namespace {

// The sort and the move as they were first written, one swap and one step at a time: the
// reference the faster ones must match on lists full of ties.
int PlainCompare(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size()) {
        const std::size_t la = mbcs::CharLength(a, i);
        const std::size_t lb = mbcs::CharLength(b, i);
        const unsigned x = la == 1 ? static_cast<unsigned char>(a[i])
                                   : static_cast<unsigned char>(a[i]) * 256u +
                                         static_cast<unsigned char>(a[i + 1]);
        const unsigned y = lb == 1 ? static_cast<unsigned char>(b[i])
                                   : static_cast<unsigned char>(b[i]) * 256u +
                                         static_cast<unsigned char>(b[i + 1]);
        if (x != y || la != lb) {
            return x < y ? -1 : 1;
        }
        i += la;
    }
    return a.size() == b.size() ? 0 : (i < a.size() ? 1 : -1);
}

std::vector<const RenameEntry*> PlainSort(std::vector<const RenameEntry*> e, PathPart part,
                                          bool descending) {
    for (std::size_t i = 0; i + 1 < e.size(); ++i) {
        std::size_t best = i;
        for (std::size_t j = i + 1; j < e.size(); ++j) {
            const RenameEntry& b = *e[best];
            const RenameEntry& c = *e[j];
            bool replaces;
            if (b.IsFolder() != c.IsFolder()) {
                replaces = descending ? b.IsFolder() : c.IsFolder();
            } else {
                const int o = PlainCompare(b.Path(NameKind::Now).Part(part),
                                           c.Path(NameKind::Now).Part(part));
                replaces = descending ? o < 0 : o > 0;
            }
            if (replaces) {
                best = j;
            }
        }
        std::swap(e[i], e[best]);
    }
    return e;
}

std::vector<const RenameEntry*> PlainMove(std::vector<const RenameEntry*> e,
                                          const std::vector<bool>& selected, long long shift) {
    const long long n = static_cast<long long>(e.size());
    const bool up = shift <= 0;
    std::vector<long long> rows;
    for (long long k = 0; k < n; ++k) {
        const long long r = up ? k : n - 1 - k;
        if (!selected[r]) {
            continue;
        }
        shift = r + shift < 0 ? -r : (r + shift >= n ? n - 1 - r : shift);
        if (shift == 0) {
            return e;
        }
        rows.push_back(r);
    }
    const long long step = up ? -1 : 1;
    for (long long r : rows) {
        const RenameEntry* kept = e[r];
        for (long long k = r; k != r + shift; k += step) {
            e[k] = e[k + step];
        }
        e[r + shift] = kept;
    }
    return e;
}

class OrderTest : public ListTest {
  protected:
    std::vector<const RenameEntry*> Now() const {
        std::vector<const RenameEntry*> e;
        for (unsigned i = 0; i < list->Count(); ++i) {
            e.push_back(&list->At(i));
        }
        return e;
    }
};

// Many equal keys: the same few names in several folders, files and folders mixed.
TEST_F(OrderTest, SortAndMoveMatchThePlainOnesOnRandomLists) {
    const char* names[] = {"a", "b", "C", "ア", "a.txt"};
    for (int folder = 0; folder < 6; ++folder) {
        dir.MakeFolder("d" + std::to_string(folder));
    }
    std::mt19937 random(7);
    std::set<std::string> made;
    for (int i = 0; i < 60; ++i) {
        const std::string path = "d" + std::to_string(random() % 6) + "\\" + names[random() % 5];
        if (!made.insert(path).second) {
            continue;
        }
        if (random() % 3 == 0) {
            dir.MakeFolder(path);
        } else {
            dir.MakeFile(path);
        }
        ASSERT_EQ(list->AddPath(dir.PathOf(path)), 0);
    }
    ASSERT_GT(list->Count(), 20u);
    for (int round = 0; round < 40; ++round) {
        const PathPart part = round % 2 ? PathPart::FileName : PathPart::Base;
        const bool descending = round % 4 >= 2;
        // A second toggled sort of the same key runs descending.
        list->Sort(NameKind::Now, part, false);
        const auto before = Now();
        if (descending) {
            list->Sort(NameKind::Now, part, true);
        }
        EXPECT_EQ(Now(), PlainSort(before, part, descending)) << "round " << round;

        std::vector<bool> selected(list->Count());
        TheFakeWindow().selected.clear();
        for (unsigned r = 0; r < list->Count(); ++r) {
            selected[r] = random() % 4 == 0;
            if (selected[r]) {
                TheFakeWindow().selected.insert(r);
            }
        }
        const long long shift = static_cast<long long>(random() % 9) - 4;
        const auto unmoved = Now();
        list->MoveSelected(static_cast<int>(shift));
        EXPECT_EQ(Now(), PlainMove(unmoved, selected, shift)) << "round " << round;
    }
}

}  // namespace
