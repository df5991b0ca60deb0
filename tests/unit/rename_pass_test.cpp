#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/move_retries.h"
#include "core/texts.h"
#include "exchange/import.h"
#include "platform/clipboard.h"
#include "platform/file_faults.h"
#include "tests/support/expected_texts.h"
#include "tests/support/list_fixture.h"
#include "tests/support/test_clipboard.h"

namespace {

using Names = std::vector<std::string>;

class RenamePassTest : public ListTest {
  protected:
    bool IsTemporary(const RenameEntry& e) const {
        return e.Path(NameKind::Now).FileName().rfind("~%_", 0) == 0;
    }
    std::string Slash(const std::string& name) const { return mbcs::ToSlashForm(dir.PathOf(name)); }
};

TEST_F(RenamePassTest, SwapGoesThroughTwoTemporaryNames) {
    AddFile("a.txt", "A").SetEditName("b");
    AddFile("b.txt", "B").SetEditName("a");

    ASSERT_EQ(list->PrepareRename(NameKind::Edit), 0);
    EXPECT_TRUE(IsTemporary(list->At(0)));
    EXPECT_TRUE(IsTemporary(list->At(1)));
    EXPECT_NE(list->At(0).Path(NameKind::Now).FileName(),
              list->At(1).Path(NameKind::Now).FileName());

    ASSERT_EQ(list->RenameAll(), 0);
    EXPECT_EQ(NamesBesidesIni(), (Names{"a.txt", "b.txt"}));
    EXPECT_EQ(dir.Read("a.txt"), "B");
    EXPECT_EQ(dir.Read("b.txt"), "A");
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_EQ(list->At(0).Path(NameKind::Now).FileName(), "b.txt");
    EXPECT_TRUE(list->HasRenamed());
}

// A name of the temporary form that an entry is to take, in any letter case, is never chosen
// for another entry that goes aside first (the entry taking it comes first in the list).
TEST_F(RenamePassTest, ATargetOfTheTemporaryFormIsNeverAnotherEntrysTemporaryName) {
    AddFile("c", "C").SetEditName("~%_1.tmp");
    AddFile("d", "D").SetEditName("~%_2.TMP");
    AddFile("a.txt", "A").SetEditName("b");
    AddFile("b.txt", "B").SetEditName("a");

    ASSERT_EQ(list->RenameAll(), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_EQ(dir.Read("~%_1.tmp"), "C");
    EXPECT_EQ(dir.Read("~%_2.TMP"), "D");
    EXPECT_EQ(dir.Read("a.txt"), "B");
    EXPECT_EQ(dir.Read("b.txt"), "A");
}

TEST_F(RenamePassTest, ChainMovesOnlyTheEntryInTheWay) {
    AddFile("x", "X").SetEditName("y");
    AddFile("y", "Y").SetEditName("z");

    ASSERT_EQ(list->PrepareRename(NameKind::Edit), 0);
    EXPECT_FALSE(IsTemporary(list->At(0)));
    EXPECT_TRUE(IsTemporary(list->At(1)));

    ASSERT_EQ(list->RenameAll(), 0);
    EXPECT_EQ(NamesBesidesIni(), (Names{"y", "z"}));
    EXPECT_EQ(dir.Read("y"), "X");
    EXPECT_EQ(dir.Read("z"), "Y");
    // Both rows show their new current names.
    EXPECT_EQ(TheFakeWindow().writes, (std::vector<unsigned>{0, 1}));
}

TEST_F(RenamePassTest, RotationOfManyNamesKeepsEveryFile) {
    const int n = 12;
    for (int i = 0; i < n; ++i) {
        AddFile("f" + std::to_string(i), "content " + std::to_string(i))
            .SetEditName("f" + std::to_string((i + 1) % n));
    }
    ASSERT_EQ(list->RenameAll(), 0);
    EXPECT_EQ(NamesBesidesIni().size(), static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(dir.Read("f" + std::to_string((i + 1) % n)), "content " + std::to_string(i));
    }

    ASSERT_EQ(list->RestoreAll(), 0);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(dir.Read("f" + std::to_string(i)), "content " + std::to_string(i));
    }
    EXPECT_FALSE(list->HasRenamed());
    EXPECT_TRUE(boxes::Recorded().empty());
}

TEST_F(RenamePassTest, CaseOnlyChangeReallyHappensOnDisk) {
    AddFile("a.txt", "A").SetEditName("A");
    ASSERT_EQ(list->PrepareRename(NameKind::Edit), 0);
    EXPECT_FALSE(IsTemporary(list->At(0)));

    ASSERT_EQ(list->RenameAll(), 0);
    EXPECT_EQ(NamesBesidesIni(), (Names{"A.txt"}));
    EXPECT_EQ(dir.Read("A.txt"), "A");
    EXPECT_EQ(list->At(0).Path(NameKind::Now).FileName(), "A.txt");
    EXPECT_TRUE(boxes::Recorded().empty());

    ASSERT_EQ(list->RestoreAll(), 0);
    EXPECT_EQ(NamesBesidesIni(), (Names{"a.txt"}));
}

TEST_F(RenamePassTest, TargetOccupiedOutsideTheListStopsBeforeAnyRename) {
    AddFile("b.txt", "B").SetEditName("d");
    AddFile("a.txt", "A").SetEditName("c");
    dir.MakeFile("c.txt", "outside");

    EXPECT_EQ(list->RenameAll(), 1);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    const RecordedBox& box = boxes::Recorded()[0];
    EXPECT_EQ(box.title, texts::kTitleBadNameFatal);
    EXPECT_EQ(box.text, texts::Fill(texts::kPassOccupied, {Slash("a.txt"), Slash("c.txt")}));
    EXPECT_EQ(box.Icon(), kMbIconError);
    EXPECT_EQ(box.owner, mainWindow);
    EXPECT_EQ(box.text.find('\\'), std::string::npos);

    EXPECT_EQ(NamesBesidesIni(), (Names{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(dir.Read("c.txt"), "outside");
    EXPECT_FALSE(list->HasRenamed());
}

TEST_F(RenamePassTest, DuplicateTargetsNameBothLinesEarlierFirst) {
    AddFile("a.txt").SetEditName("x");
    AddFile("b.txt");
    AddFile("c.txt").SetEditName("x");

    EXPECT_EQ(list->RenameAll(), 1);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].title, texts::kTitleBadNameError);
    EXPECT_EQ(boxes::Recorded()[0].text, DuplicateText(1, "x.txt", 3, "x.txt"));
    EXPECT_EQ(NamesBesidesIni(), (Names{"a.txt", "b.txt", "c.txt"}));
}

TEST_F(RenamePassTest, AnUnchangedEntryStillGuardsItsPath) {
    AddFile("a.txt");
    AddFile("b.txt").SetEditName("a");

    EXPECT_EQ(list->RenameAll(), 1);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].text, DuplicateText(1, "a.txt", 2, "a.txt"));
    EXPECT_EQ(NamesBesidesIni(), (Names{"a.txt", "b.txt"}));
}

// With extensions hidden, a dotted name typed for a file without extension is held as one base;
// the same full path split another way is still the entry's own file, not one in the way.
TEST_F(RenamePassTest, SameFullPathSplitOtherwiseIsUnchanged) {
    AddFile("readme", "R").SetEditName("read.me");
    ASSERT_EQ(list->RenameAll(), 0);
    // The conversion splits the edit name anew: "read" + "me" against the current "read.me".
    list->ConvertIllegalNames();
    ASSERT_FALSE(list->At(0).Path(NameKind::Now).SameAs(list->At(0).Path(NameKind::Edit)));

    EXPECT_EQ(list->RenameAll(), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_EQ(NamesBesidesIni(), (Names{"read.me"}));
    EXPECT_EQ(dir.Read("read.me"), "R");
}

// One place on disk held two ways is still a duplicate: the pass stops before renaming anything.
TEST_F(RenamePassTest, SamePlaceSplitTwoWaysIsADuplicate) {
    AddFile("x", "X").SetEditName("read.me");
    AddFile("y.me", "Y").SetEditName("read");
    EXPECT_EQ(list->RenameAll(), 1);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].title, texts::kTitleBadNameError);
    EXPECT_EQ(NamesBesidesIni(), (Names{"x", "y.me"}));
}

TEST_F(RenamePassTest, NothingToDoTouchesNothing) {
    AddFile("a.txt");
    AddFile("b.txt");
    EXPECT_EQ(list->RenameAll(), 0);
    EXPECT_EQ(list->RestoreAll(), 0);
    EXPECT_TRUE(TheFakeWindow().writes.empty());
    EXPECT_TRUE(boxes::Recorded().empty());
}

TEST_F(RenamePassTest, JapaneseNamesWithBackslashTrailBytesRenameExactly) {
    AddFile("ソフト.txt", "S").SetEditName("表計算");
    ASSERT_EQ(list->RenameAll(), 0);
    EXPECT_EQ(NamesBesidesIni(), (Names{"表計算.txt"}));
    EXPECT_EQ(dir.Read("表計算.txt"), "S");
}

// A second-stage failure leaves the entry at its temporary name; restore brings every file back.
TEST_F(RenamePassTest, ASwapWhoseFileCannotGoOnGoesBackWhole) {
    const std::string tooLong(300, 'n');
    AddFile("a.txt", "A").SetEditName("b");
    AddFile("b.txt", "B").SetEditName(tooLong);
    AddFile("c.txt", "C");

    // b.txt cannot go on from its temporary name: the pair goes back whole, a.txt to its own name
    // too, so that no file is left under a temporary name, and both are told.
    EXPECT_EQ(list->RenameAll(), 1);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].title, texts::kTitleRenameReport);
    EXPECT_EQ(boxes::Recorded()[0].owner, mainWindow);
    EXPECT_NE(boxes::Recorded()[0].text.find(texts::kWhyMoveWithAnother), std::string::npos);
    EXPECT_EQ(NamesBesidesIni(), (Names{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(dir.Read("a.txt"), "A");
    EXPECT_EQ(dir.Read("b.txt"), "B");
    EXPECT_FALSE(IsTemporary(list->At(1)));
    EXPECT_FALSE(list->HasRenamed());

    // A restore then has nothing to move, and the edit names survive for another try.
    boxes::Reset();
    ResetFakeWindow();
    ASSERT_EQ(list->RestoreAll(), 0);
    EXPECT_TRUE(TheFakeWindow().writes.empty());
    EXPECT_EQ(list->At(0).Path(NameKind::Edit).FileName(), "b.txt");
}

TEST_F(RenamePassTest, MissingSourceIsReportedAndTheRestGoesOn) {
    AddFile("gone.txt").SetEditName("x");
    AddFile("here.txt", "H").SetEditName("y");
    test_files::RemoveTree(dir.PathOf("gone.txt"));

    EXPECT_EQ(list->RenameAll(), 1);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].title, texts::kTitleRenameError);
    EXPECT_EQ(boxes::Recorded()[0].text,
              texts::Fill(texts::kMoveFailedOne,
                          {dir.PathOf("gone.txt"), "x.txt", texts::kWhyMoveNotFound}));
    EXPECT_EQ(NamesBesidesIni(), (Names{"y.txt"}));
    EXPECT_EQ(list->At(0).Path(NameKind::Now).FileName(), "gone.txt");
}

TEST_F(RenamePassTest, NothingChangesTheListWhileAPassShowsAMessage) {
    AddFile("a.txt").SetEditName(std::string(300, 'n'));
    AddFile("b.txt").SetEditName("c");
    dir.MakeFile("new.txt");
    std::vector<int> results;
    boxes::SetAnswerer([&](const RecordedBox&) {
        EXPECT_TRUE(list->IsBusy());
        results.push_back(list->AddPath(dir.PathOf("new.txt")));
        results.push_back(list->RenameAll());
        results.push_back(list->RestoreAll());
        list->Clear();
        return kIdOk;
    });

    EXPECT_EQ(list->RenameAll(), 1);
    EXPECT_FALSE(list->IsBusy());
    EXPECT_EQ(results, (std::vector<int>{1, 1, 1}));
    ASSERT_EQ(list->Count(), 2u);
    EXPECT_EQ(list->At(1).Path(NameKind::Now).FileName(), "c.txt");
    EXPECT_EQ(TheFakeWindow().rows, 2u);
    EXPECT_EQ(NamesBesidesIni(), (Names{"a.txt", "c.txt", "new.txt"}));
}

}  // namespace

namespace {

// A name can never be cut short at a NUL and so reach another file.
TEST_F(RenamePassTest, NameWithNulIsNeverCutShort) {
    AddFile("a.txt", "A").SetEditName(std::string("b\0c", 3));
    EXPECT_EQ(list->RenameAll(), 1);
    EXPECT_EQ(NamesBesidesIni(), (Names{"a.txt"}));
    EXPECT_EQ(dir.Read("a.txt"), "A");
}

}  // namespace

namespace {

// What a folder holds: every name with its contents, the history of passes left out.
std::vector<std::pair<std::string, std::string>> Snapshot(const TestDir& dir) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::string& name : dir.Names()) {
        if (name != history::kFileName && name != history::kLockFileName) {
            files.emplace_back(name, dir.Read(name));
        }
    }
    return files;
}

// Whatever refuses the pass late in the list, the swap before it has not moved a file.
TEST_F(RenamePassTest, ARefusedCheckLeavesEveryFileWhereItWas) {
    const struct {
        std::string lateName;
        const char* title;
    } cases[] = {
        {"a", texts::kTitleBadNameError},  // the same target as the first entry's
        {"outside", texts::kTitleBadNameFatal},
        {"..\\moved", texts::kTitleBadNameError},
        {"sub/moved", texts::kTitleBadNameError},
        {"a:b", texts::kTitleBadNameError},
        {std::string("x\0y", 3), texts::kTitleBadNameError},
    };
    dir.MakeFile("outside.txt", "O");
    AddFile("a.txt", "A").SetEditName("b");
    AddFile("b.txt", "B").SetEditName("a");
    AddFile("c.txt", "C");
    const auto before = Snapshot(dir);
    for (const auto& c : cases) {
        boxes::Reset();
        ResetFakeWindow();
        list->At(2).SetEditName(c.lateName);
        EXPECT_EQ(list->RenameAll(), 1) << c.lateName;
        ASSERT_EQ(boxes::Recorded().size(), 1u) << c.lateName;
        EXPECT_EQ(boxes::Recorded()[0].title, c.title) << c.lateName;
        EXPECT_EQ(Snapshot(dir), before) << c.lateName;
        EXPECT_EQ(list->At(0).Path(NameKind::Now).FileName(), "a.txt");
        EXPECT_EQ(list->At(1).Path(NameKind::Now).FileName(), "b.txt");
        EXPECT_TRUE(TheFakeWindow().writes.empty());
    }
    EXPECT_EQ(boxes::Recorded()[0].text,
              CannotBeMadeText(3, std::string("x\0y.txt", 7), texts::kWhySeparatorsOrDots));
}

// Names Windows would strip, take for a device, or not hold at all, and names equal but for
// letter case (which Windows takes for one place), are refused before anything moves, with the
// line and the reason; the pass would otherwise rename some files and fail halfway, or give a
// file a name the list does not show.
TEST_F(RenamePassTest, NamesWindowsCannotHoldAsTypedAreRefusedBeforeAnythingMoves) {
    const char* trailing = texts::kWhyTrailingDotOrBlank;
    const char* device = texts::kWhyDeviceName;
    const char* wildcard = texts::kWhyWildcardsOrControls;
    const struct {
        std::string name;  // for the file without extension, line 3
        const char* reason;
    } cases[] = {
        {"n.", trailing},   {"n ", trailing},    {"n. .", trailing},
        {"CON", device},    {"con.txt", device}, {"Lpt1.log", device},
        {"nul .x", device}, {"COM9", device},    {"tab\there", wildcard},
        {"q?", wildcard},   {"a|b", wildcard},   {std::string("\x1f"), wildcard},
    };
    AddFile("a.txt", "A").SetEditName("b");
    AddFile("b.txt", "B").SetEditName("a");
    AddFile("n", "N");
    const auto before = Snapshot(dir);
    for (const auto& c : cases) {
        boxes::Reset();
        list->At(2).SetEditName(c.name);
        EXPECT_EQ(list->RenameAll(), 1) << c.name;
        ASSERT_EQ(boxes::Recorded().size(), 1u) << c.name;
        EXPECT_EQ(boxes::Recorded()[0].text, CannotBeMadeText(3, c.name, c.reason));
        EXPECT_EQ(Snapshot(dir), before) << c.name;
    }
    // Names that only look alike pass: a device name inside a longer one, dots inside.
    for (const std::string name : {"CONSOLE", "com10", "a.b.c", "LPT"}) {
        boxes::Reset();
        list->At(2).SetEditName(name);
        EXPECT_EQ(list->RenameAll(), 0) << name;
        EXPECT_TRUE(boxes::Recorded().empty()) << name;
        EXPECT_EQ(list->RestoreAll(), 0);
    }

    const struct {
        std::string first;
        std::string second;
    } alike[] = {{"X", "x"}, {"Ａ", "ａ"}, {"Ω", "ω"}, {"Ж", "ж"}};
    for (const auto& c : alike) {
        boxes::Reset();
        list->At(0).SetEditName(c.first);
        list->At(1).SetEditName(c.second);
        list->At(2).SetEditName("n");
        EXPECT_EQ(list->RenameAll(), 1) << c.first;
        ASSERT_EQ(boxes::Recorded().size(), 1u) << c.first;
        EXPECT_EQ(boxes::Recorded()[0].text,
                  DuplicateText(1, c.first + ".txt", 2, c.second + ".txt"));
        EXPECT_EQ(Snapshot(dir), before) << c.first;
    }
}

#ifndef _WIN32
// A name the entry already has on disk is never refused: a file made elsewhere with a trailing
// dot may stay as it is while the others are renamed.
TEST_F(RenamePassTest, AFirstNameWindowsCouldNotMakeIsNeverRefused) {
    AddFile("m.", "M");
    AddFile("a.txt", "A").SetEditName("b");
    ASSERT_EQ(list->RenameAll(), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_EQ(dir.Read("m."), "M");
    EXPECT_EQ(dir.Read("b.txt"), "A");
}

// A move held up for a moment (a file an antivirus or the indexer has open just after it was
// made) goes through when tried again, and the pass says nothing; one held for good fails once the
// pass's wait is spent, and its report tells how many went through only when tried again.
TEST_F(RenamePassTest, AMoveHeldUpForAMomentGoesThroughWhenTriedAgain) {
    AddFile("a.txt", "A").SetEditName("x");
    AddFile("b.txt", "B").SetEditName("y");
    platform::faults::FailMove(0, platform::MoveResult::AccessDenied, 2);
    EXPECT_EQ(list->RenameAll(), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_EQ(move_retries::Retried(), 1u);
    EXPECT_EQ(dir.Read("x.txt"), "A");
    EXPECT_EQ(dir.Read("y.txt"), "B");

    // x.txt back is held up once; y.txt is gone meanwhile, which no wait mends.
    test_files::RemoveTree(dir.PathOf("y.txt"));
    platform::faults::FailMove(0, platform::MoveResult::AccessDenied, 1);
    EXPECT_EQ(list->RestoreAll(), 1);
    platform::faults::Clear();
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_NE(boxes::Recorded()[0].text.find(texts::Fill(texts::kPassRetried, {"1"})),
              std::string::npos)
        << boxes::Recorded()[0].text;
    EXPECT_EQ(dir.Read("a.txt"), "A");
}
#endif

// The reserving way of old deleted a file when every short name was taken; now a taken name is
// passed over, nothing is deleted, and a name another entry is to take is left to it.
TEST_F(RenamePassTest, TemporaryNamesPassOverTakenOnesAndDeleteNothing) {
#ifdef _WIN32
    const unsigned taken = 0x100;  // Wine makes files slowly; the rule is the same
#else
    const unsigned taken = 0xFFFF;
#endif
    char name[32];
    for (unsigned k = 1; k <= taken; ++k) {
        std::snprintf(name, sizeof name, "~%%_%x.tmp", k);
        dir.MakeFile(name, name);
    }
    AddFile("a.txt", "A").SetEditName("b");
    AddFile("b.txt", "B").SetEditName("a");
    std::snprintf(name, sizeof name, "~%%_%x", taken + 1);
    AddFile("c.tmp", "C").SetEditName(name);

    ASSERT_EQ(list->RenameAll(), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_EQ(dir.Read("a.txt"), "B");
    EXPECT_EQ(dir.Read("b.txt"), "A");
    EXPECT_EQ(dir.Read(std::string(name) + ".tmp"), "C");
    EXPECT_EQ(NamesBesidesIni().size(), taken + 3u);
    for (unsigned k = 1; k <= taken; k += 97) {
        std::snprintf(name, sizeof name, "~%%_%x.tmp", k);
        EXPECT_EQ(dir.Read(name), name);
    }
}

// Many failed moves, of a rename and of the restore: the pass goes on and shows one report with
// the count of each, the first 30 named with the names they were to get and the reason; the
// whole list can be copied.
TEST_F(RenamePassTest, ManyFailedMovesMakeOneReportWhoseWholeListCanBeCopied) {
    mainWindow = test_clipboard::Acquire();
    const auto line = [&](const std::string& now, const std::string& target) {
        return texts::Fill(texts::kPassReportLine,
                           {dir.PathOf(now), target, texts::kWhyMoveNotFound});
    };
    std::string first30;
    std::string all;
    for (int i = 0; i < 33; ++i) {
        const std::string n = std::to_string(10 + i);
        AddFile("gone" + n + ".txt").SetEditName("new" + n);
        test_files::RemoveTree(dir.PathOf("gone" + n + ".txt"));
        all += line("gone" + n + ".txt", "new" + n + ".txt");
        if (i == 29) {
            first30 = all;
        }
    }
    AddFile("here.txt", "H").SetEditName("y");
    AddFile("there.txt", "T").SetEditName("z");
    boxes::SetAnswerer([](const RecordedBox&) { return kIdYes; });
    EXPECT_EQ(list->RenameAll(), 1);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].title, texts::kTitleRenameReport);
    EXPECT_EQ(boxes::Recorded()[0].owner, mainWindow);
    EXPECT_EQ(boxes::Recorded()[0].text, texts::Fill(texts::kPassReport, {"2", "33"}) + first30 +
                                             texts::Fill(texts::kMoreItems, {"3"}) +
                                             texts::kPassReportCopy);
    std::string copied;
    ASSERT_TRUE(platform::GetClipboardText(mainWindow, &copied));
    EXPECT_EQ(copied, all);
    EXPECT_EQ(NamesBesidesIni(), (Names{"y.txt", "z.txt"}));

    // The restore: both renamed files are gone since; No leaves the clipboard as it was.
    test_files::RemoveTree(dir.PathOf("y.txt"));
    test_files::RemoveTree(dir.PathOf("z.txt"));
    boxes::Reset();
    boxes::SetAnswerer([](const RecordedBox&) { return kIdNo; });
    EXPECT_EQ(list->RestoreAll(), 1);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].text, texts::Fill(texts::kPassReport, {"0", "2"}) +
                                             line("y.txt", "here.txt") +
                                             line("z.txt", "there.txt") + texts::kPassReportCopy);
    ASSERT_TRUE(platform::GetClipboardText(mainWindow, &copied));
    EXPECT_EQ(copied, all);
    test_clipboard::Release();
}

TEST_F(RenamePassTest, AFailedMoveAsidePutsTheEarlierOnesBack) {
    AddFile("a.txt", "A").SetEditName("b");
    AddFile("b.txt", "B").SetEditName("a");
    AddFile("c.txt", "C").SetEditName("d");
    AddFile("d.txt", "D").SetEditName("c");
    test_files::RemoveTree(dir.PathOf("d.txt"));
    const auto before = Snapshot(dir);

    EXPECT_EQ(list->RenameAll(), 1);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    // The box says that none of the swaps was made, not only the one that failed.
    EXPECT_EQ(boxes::Recorded()[0].text,
              texts::Fill(texts::kMoveFailedOne,
                          {dir.PathOf("d.txt"), "c.txt", texts::kWhyMoveNotFound}) +
                  texts::kPassStoppedBeforeRenaming);
    EXPECT_EQ(Snapshot(dir), before);
    for (unsigned i = 0; i < 3; ++i) {
        EXPECT_FALSE(IsTemporary(list->At(i))) << i;
    }
}

}  // namespace

// Long loops report each entry as they pass it, so the window can show how far they got; a pass
// whose entries go aside first counts once over both of its stages.
TEST_F(RenamePassTest, EveryLongLoopReportsEachEntryInOrder) {
    struct Case {
        const char* what;
        int (*run)(RenameList*);
        std::vector<std::pair<Work, unsigned>> stages;  // each with its length
        bool rotate;
    };
    const Case cases[] = {
        {"pass",
         [](RenameList* l) { return l->RenameAll(); },
         {{Work::Checking, 3}, {Work::Preparing, 3}, {Work::Renaming, 3}},
         false},
        {"restore",
         [](RenameList* l) { return l->RestoreAll(); },
         {{Work::Checking, 3}, {Work::Preparing, 3}, {Work::Restoring, 3}},
         false},
        {"rotation",
         [](RenameList* l) { return l->RenameAll(); },
         {{Work::Checking, 3}, {Work::Preparing, 6}, {Work::Renaming, 6}},
         true},
        {"import check",
         [](RenameList* l) {
             return CheckNewNames(*l, {"p", "q", "r"});
         },
         {{Work::Checking, 3}},
         false},
    };
    int round = 0;
    for (const Case& c : cases) {
        list = MakeList();
        const std::string names[] = {"a", "b", "c"};
        for (int k = 0; k < 3; ++k) {
            const std::string file = std::to_string(round) + names[k];
            AddFile(file).SetEditName(c.rotate ? std::to_string(round) + names[(k + 1) % 3]
                                               : file + "2");
        }
        ++round;
        if (c.stages.back().first == Work::Restoring) {
            ASSERT_EQ(list->RenameAll(), 0);
        }
        TheFakeWindow().progress.clear();
        EXPECT_EQ(c.run(list.get()), 0) << c.what;
        std::vector<std::string> expected;
        for (const auto& stage : c.stages) {
            for (unsigned i = 1; i <= stage.second; ++i) {
                expected.push_back(std::to_string(static_cast<int>(stage.first)) + ":" +
                                   std::to_string(i) + "/" + std::to_string(stage.second));
            }
        }
        std::vector<std::string> got;
        for (const FakeWindow::Progress& p : TheFakeWindow().progress) {
            got.push_back(std::to_string(static_cast<int>(p.work)) + ":" + std::to_string(p.done) +
                          "/" + std::to_string(p.total));
        }
        EXPECT_EQ(got, expected) << c.what;
    }
}
