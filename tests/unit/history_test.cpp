// The history: a batch renamed, Varnel closed and started again (a new list), the files touched
// in between by others, and the pass undone from the history.
#include "core/history.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/move_retries.h"
#include "core/texts.h"
#include "platform/file_faults.h"
#include "platform/text_file.h"
#include "tests/support/list_fixture.h"

namespace {

using Names = std::vector<std::string>;

class HistoryTest : public ListTest {
  protected:
    std::string Folder() const { return paths->IniFolder(); }
#ifndef _WIN32
    // The list's rename pass in a child that ends as a crash would at operation k; its status.
    int PassCutAt(unsigned k) {
        const pid_t child = fork();
        if (child == 0) {
            platform::faults::CrashAt(k);
            list->RenameAll();
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return status;
    }
    // The same for an undo of the pass.
    int UndoCutAt(unsigned k, const PassRecord& pass) {
        const pid_t child = fork();
        if (child == 0) {
            platform::faults::CrashAt(k);
            history::Undone undone;
            history::Undo(Folder(), pass, &undone);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return status;
    }
#endif
};

// Files 0-3 trade names (swaps and rotations, through temporary names), 4-7 get new ones; then,
// before the undo, 4 is written to, 5 deleted, 6 replaced by a new file of the same name (which
// may get the same file number) and 7's old name taken. The four that trade names come back
// exactly, the others are left alone and named; nothing is lost, no temporary name is left, and
// a pass undone once cannot be undone again.
TEST_F(HistoryTest, AnUndoAfterARestartPutsBackExactlyWhatIsUnchangedAndNamesTheRest) {
    std::mt19937 random(8122026);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        const std::string sub = "r" + std::to_string(round);
        dir.MakeFolder(sub);
        const auto at = [&](const std::string& name) { return sub + "\\" + name + ".txt"; };
        list = MakeList();
        Names first;
        for (int i = 0; i < 8; ++i) {
            first.push_back("f" + std::to_string(i));
            AddFile(at(first.back()), "content " + std::to_string(round * 10 + i));
        }
        std::vector<int> trade = {0, 1, 2, 3};
        std::shuffle(trade.begin(), trade.end(), random);
        Names wanted(8);
        for (int i = 0; i < 4; ++i) {
            wanted[static_cast<std::size_t>(i)] = first[static_cast<std::size_t>(trade[i])];
        }
        for (int i = 4; i < 8; ++i) {
            wanted[static_cast<std::size_t>(i)] = "n" + std::to_string(i);
        }
        for (unsigned i = 0; i < 8; ++i) {
            list->At(i).SetEditName(wanted[i]);
        }
        ASSERT_EQ(list->RenameAll(), 0);

        // A restart: a new list, and others at work on the files.
        list = MakeList();
        std::vector<int> disturbed = {4, 5, 6, 7};
        std::shuffle(disturbed.begin(), disturbed.end(), random);
        const auto path = [&](int i, const Names& names) {
            return dir.PathOf(at(names[static_cast<std::size_t>(i)]));
        };
        test_files::WriteFile(path(disturbed[0], wanted), "written since");
        test_files::RemoveTree(path(disturbed[1], wanted));
        test_files::RemoveTree(path(disturbed[2], wanted));
        test_files::WriteFile(path(disturbed[2], wanted), "made since");
        test_files::WriteFile(path(disturbed[3], first), "took the old name");
        // The new list holds the files that trade names, by their names now.
        for (int i = 0; i < 4; ++i) {
            ASSERT_EQ(list->AddPath(path(i, wanted)), 0);
        }

        const std::vector<PassRecord> records = history::Load(Folder());
        ASSERT_FALSE(records.empty());
        EXPECT_EQ(records.back().kind, PassKind::Rename);
        const history::PassSummary shown = history::SummaryOf(records.back());
        EXPECT_EQ(shown.kind, texts::kHistoryRename);
        // A file the shuffle left at its own name did not move.
        int stayed = 0;
        for (int i = 0; i < 4; ++i) {
            stayed += trade[static_cast<std::size_t>(i)] == i ? 1 : 0;
        }
        EXPECT_EQ(shown.count, texts::Fill(texts::kHistoryCount, {std::to_string(8 - stayed)}));
        EXPECT_EQ(shown.folder, dir.PathOf(sub) + "\\");
        EXPECT_EQ(shown.when.size(), 19u) << shown.when;
        history::Undone undone;
        ASSERT_EQ(history::Undo(Folder(), records.back(), &undone), history::UndoResult::Done);
        list->FollowUndo(undone.back);

        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(dir.Read(at(first[static_cast<std::size_t>(i)])),
                      "content " + std::to_string(round * 10 + i))
                << i;
            EXPECT_EQ(list->At(static_cast<unsigned>(i)).Path(NameKind::Now).FullPath(),
                      path(i, first));
        }
        // The box names each one left alone, in the order the undo met them, where it is and why.
        Names leftAlone;
        std::string report = texts::Fill(texts::kUndoLeftAlone, {std::to_string(4 - stayed), "4"});
        for (const journal::LeftItem& item : undone.leftAlone) {
            leftAlone.push_back(mbcs::ReplaceAll(item.firstPath, '/', '\\'));
            const bool taken = leftAlone.back() == path(disturbed[3], first);
            report += taken ? texts::Fill(texts::kLeftNameTaken,
                                          {leftAlone.back(),
                                           wanted[static_cast<std::size_t>(disturbed[3])] + ".txt"})
                            : texts::Fill(texts::kLeftGone, {leftAlone.back()});
            report += "\n";
        }
        EXPECT_EQ(history::UndoReport(undone), report);
        std::sort(leftAlone.begin(), leftAlone.end());
        Names expected;
        for (int i = 4; i < 8; ++i) {
            expected.push_back(path(i, first));
        }
        EXPECT_EQ(leftAlone, expected);
        EXPECT_EQ(dir.Read(at(wanted[static_cast<std::size_t>(disturbed[0])])), "written since");
        EXPECT_EQ(dir.Read(at(wanted[static_cast<std::size_t>(disturbed[2])])), "made since");
        EXPECT_EQ(dir.Read(at(first[static_cast<std::size_t>(disturbed[3])])), "took the old name");
        EXPECT_EQ(dir.Read(at(wanted[static_cast<std::size_t>(disturbed[3])])),
                  "content " + std::to_string(round * 10 + disturbed[3]));
        for (const std::string& name : test_files::ListNames(dir.PathOf(sub))) {
            EXPECT_NE(name.rfind("~%_", 0), 0u) << name;
        }
        EXPECT_EQ(test_files::ListNames(dir.PathOf(sub)).size(), 8u) << "a file was lost or made";

        // Only what came back is undone: once its old name is free again, the one whose name was
        // taken comes back at a second undo, and the pass stays partly undone for the others. An
        // undo that brought nothing back (every file that moved was disturbed) marks nothing.
        EXPECT_EQ(history::SummaryOf(history::Load(Folder()).back()).kind,
                  stayed == 4 ? texts::kHistoryRename
                              : texts::Fill(texts::kHistoryPartlyUndone, {texts::kHistoryRename}));
        test_files::RemoveTree(path(disturbed[3], first));
        history::Undone again;
        EXPECT_EQ(history::Undo(Folder(), records.back(), &again), history::UndoResult::Done);
        EXPECT_EQ(again.back.size(), 1u);
        EXPECT_EQ(again.leftAlone.size(), 3u);
        EXPECT_EQ(dir.Read(at(first[static_cast<std::size_t>(disturbed[3])])),
                  "content " + std::to_string(round * 10 + disturbed[3]));
        EXPECT_EQ(history::SummaryOf(history::Load(Folder()).back()).kind,
                  texts::Fill(texts::kHistoryPartlyUndone, {texts::kHistoryRename}));
    }
}

// An undo tells and the list follows only what it moved itself. a.txt became b.txt, was put back,
// and then c.txt took b.txt: undoing the first pass moves nothing, says so, and leaves the entry
// of c.txt pointing at its own file, so that the next restore renames c.txt and nothing else.
TEST_F(HistoryTest, AnUndoOfAPassPutBackSinceMovesTellsAndFollowsNothing) {
    RenameEntry& a = AddFile("a.txt", "A");
    RenameEntry& c = AddFile("c.txt", "C");
    a.SetEditName("b");
    ASSERT_EQ(list->RenameAll(), 0);
    ASSERT_EQ(list->RestoreAll(), 0);
    a.SetEditName("a");
    c.SetEditName("b");
    ASSERT_EQ(list->RenameAll(), 0);
    const std::vector<PassRecord> records = history::Load(Folder());
    ASSERT_EQ(records.size(), 3u);
    history::Undone undone;
    ASSERT_EQ(history::Undo(Folder(), records[0], &undone), history::UndoResult::Done);
    EXPECT_TRUE(undone.back.empty());
    EXPECT_TRUE(undone.leftAlone.empty());
    EXPECT_EQ(history::UndoReport(undone), texts::Fill(texts::kUndoDone, {"0"}));
    list->FollowUndo(undone.back);
    ASSERT_EQ(list->RestoreAll(), 0);
    EXPECT_EQ(dir.Read("a.txt"), "A");
    EXPECT_EQ(dir.Read("c.txt"), "C");
    EXPECT_EQ(NamesBesidesIni(), (Names{"a.txt", "c.txt"}));
}

#ifndef _WIN32
// An undo of a swap whose second move fails (the file held open, say): the file already moved
// aside goes back to where it was before the undo, never left at a temporary name, both are named,
// and no journal is left for a start to ask about.
TEST_F(HistoryTest, AnUndoThatCannotFinishLeavesNoFileAtATemporaryName) {
    RenameEntry& a = AddFile("a.txt", "A");
    RenameEntry& b = AddFile("b.txt", "B");
    a.SetEditName("b");
    b.SetEditName("a");
    ASSERT_EQ(list->RenameAll(), 0);
    const std::vector<PassRecord> records = history::Load(Folder());
    ASSERT_EQ(records.size(), 1u);
    // The undo's moves: b.txt aside, then a.txt to b.txt (fails however often it is tried), then
    // the one aside to a.txt.
    platform::faults::FailMove(1, platform::MoveResult::AccessDenied,
                               1 + move_retries::kMostRetries);
    history::Undone undone;
    EXPECT_EQ(history::Undo(Folder(), records[0], &undone), history::UndoResult::Done);
    platform::faults::Clear();
    EXPECT_TRUE(undone.back.empty());
    ASSERT_EQ(undone.leftAlone.size(), 2u);
    // Each is named where it is now: one held by another program, the other with its old name
    // taken by the first.
    std::set<journal::LeftItem::Why> why;
    for (const journal::LeftItem& item : undone.leftAlone) {
        why.insert(item.why);
        EXPECT_NE(item.now, item.firstPath);
        EXPECT_FALSE(item.now.empty());
    }
    EXPECT_EQ(why, (std::set<journal::LeftItem::Why>{journal::LeftItem::Why::NameTaken,
                                                     journal::LeftItem::Why::InUse}));
    EXPECT_EQ(dir.Read("a.txt"), "B");
    EXPECT_EQ(dir.Read("b.txt"), "A");
    EXPECT_EQ(NamesBesidesIni(), (Names{"a.txt", "b.txt"}));
}
#endif

#ifndef _WIN32
// Where an item's number changes with its name (FAT and exFAT) and where a creation time is the
// last write (Wine), the undo still knows its items: a file whose name grew, and a folder written
// into since. A file put at a pass's new name since is still another file.
TEST_F(HistoryTest, TheUndoKnowsItsItemsWhereNumbersOrBirthsAreNotKept) {
    int round = 0;
    for (void (*fault)() : {platform::faults::RenumberOnRename, platform::faults::NoBirthTimes}) {
        const std::string n = std::to_string(round++);
        SCOPED_TRACE(n);
        fault();
        AddFile("a" + n + ".txt", "A").SetEditName("a" + n + " under a much longer name");
        dir.MakeFolder("d" + n);
        ASSERT_EQ(list->AddPath(dir.PathOf("d" + n)), 0);
        list->At(list->Count() - 1).SetEditName("e" + n);
        AddFile("c" + n + ".txt", "C").SetEditName("x" + n);
        ASSERT_EQ(list->RenameAll(), 0);
        dir.MakeFile("e" + n + "\\inside", "written since");
        test_files::RemoveTree(dir.PathOf("x" + n + ".txt"));
        dir.MakeFile("x" + n + ".txt", "another file");
        history::Undone undone;
        ASSERT_EQ(history::Undo(Folder(), history::Load(Folder()).back(), &undone),
                  history::UndoResult::Done);
        platform::faults::Clear();
        EXPECT_EQ(undone.back.size(), 2u);
        EXPECT_EQ(dir.Read("a" + n + ".txt"), "A");
        EXPECT_EQ(dir.Read("d" + n + "\\inside"), "written since");
        EXPECT_EQ(dir.Read("x" + n + ".txt"), "another file");
        EXPECT_FALSE(dir.Has("c" + n + ".txt"));
    }
    // Where neither is kept (FAT under Wine), nothing is known: two files of one size and one last
    // write could be taken for one another. Nothing moves.
    platform::faults::RenumberOnRename();
    platform::faults::NoBirthTimes();
    AddFile("p.txt", "P").SetEditName("q");
    ASSERT_EQ(list->RenameAll(), 0);
    history::Undone undone;
    ASSERT_EQ(history::Undo(Folder(), history::Load(Folder()).back(), &undone),
              history::UndoResult::Done);
    platform::faults::Clear();
    EXPECT_TRUE(undone.back.empty());
    EXPECT_EQ(dir.Read("q.txt"), "P");
}
#endif

#ifndef _WIN32
// An undo of a rotation cut short at any step, then another program takes an old name the undo
// had freed: that name is also where the undo found one of the rotation's files, so the rotation
// cannot go back whole, and the next start moves no file the undo had brought back to its name;
// also when one of the start's first moves is held for a moment.
TEST_F(HistoryTest, AnUndoCutShortWhoseRotationCannotGoBackMovesNoFileBackAlready) {
    const Names first = {"a.txt", "b.txt", "c.txt"};
    unsigned stayed = 0;
    bool ended = false;
    for (unsigned k = 0; !ended; ++k) {
        ASSERT_LT(k, 20u) << "the undo never ended";
        for (const std::string& taken : first) {
            for (int held = -1; held < 4; ++held) {  // none, then each of the start's first moves
                for (const std::string& name : NamesBesidesIni()) {
                    test_files::RemoveTree(dir.PathOf(name));
                }
                list = MakeList();
                for (std::size_t i = 0; i < first.size(); ++i) {
                    AddFile(first[i], first[i]).SetEditName(first[(i + 1) % 3].substr(0, 1));
                }
                ASSERT_EQ(list->RenameAll(), 0);
                const int status = UndoCutAt(k, history::Load(Folder()).back());
                ended = WIFEXITED(status) && WEXITSTATUS(status) == 0;
                if (ended || dir.Has(taken)) {
                    continue;
                }
                Names back;
                for (const std::string& name : first) {
                    if (dir.Has(name) && dir.Read(name) == name) {
                        back.push_back(name);
                    }
                }
                dir.MakeFile(taken, "another program's");
                if (held >= 0) {
                    platform::faults::FailMove(static_cast<unsigned>(held),
                                               platform::MoveResult::AccessDenied,
                                               1 + move_retries::kMostRetries);
                }
                for (const auto& left : OpenLeftJournals(Folder())) {
                    std::vector<std::string> leftAlone;
                    left->PutBack(&leftAlone);
                }
                platform::faults::Clear();
                EXPECT_EQ(dir.Read(taken), "another program's");
                for (const std::string& name : back) {
                    EXPECT_EQ(dir.Read(name), name)
                        << "cut at " << k << ", " << taken << " taken, move " << held << " held";
                    ++stayed;
                }
            }
        }
    }
    EXPECT_GT(stayed, 2u) << "no cut left a file back with an old name free";
}
#endif

#ifndef _WIN32
// An undo cut short after its move, finished by the next start: the pass it undid is marked, and
// not another pass of the history with the same plan (here one kept from an earlier run).
TEST_F(HistoryTest, AnUndoFinishedByTheNextStartMarksThePassItUndid) {
    AddFile("a.txt", "A").SetEditName("b");
    ASSERT_EQ(list->RenameAll(), 0);
    const PassRecord pass = history::Load(Folder()).back();
    PassRecord twin = pass;
    twin.ended -= 100;
    ASSERT_TRUE(history::Add(Folder(), twin));
    for (unsigned k = 0; !dir.Has("a.txt"); ++k) {
        ASSERT_LT(k, 10u) << "the undo never brought a.txt back";
        UndoCutAt(k, pass);
        // As the next start does.
        LeftJournal left;
        if (left.Open(Folder(), 0)) {
            std::vector<std::string> leftAlone;
            journal::PutBackDone done;
            EXPECT_TRUE(left.PutBack(&leftAlone, nullptr, &done));
            history::MarkUndoFinished(Folder(), left.What(), done);
        }
    }
    const std::vector<PassRecord> records = history::Load(Folder());
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[0].undone) << "the pass undone";
    EXPECT_FALSE(records[1].undone || records[1].partlyUndone) << "its twin";
}
#endif

#ifndef _WIN32
// A pass cut short whose names are kept goes into the history as far as it moved, at every step
// it may be cut at: its count is the items moved, and undoing it brings exactly those back.
TEST_F(HistoryTest, APassCutShortIsKeptAsFarAsItMoved) {
    const Names first = {"a.txt", "b.txt", "c.txt", "d.txt"};
    for (unsigned k = 1;; ++k) {
        SCOPED_TRACE(k);
        list = MakeList();
        for (std::size_t i = 0; i < first.size(); ++i) {
            // A rotation: every file goes aside, then on to the next one's name.
            AddFile(first[i], first[i]).SetEditName(first[(i + 1) % first.size()].substr(0, 1));
        }
        const int status = PassCutAt(k);
        LeftJournal left;
        if (!left.Open(Folder(), 0)) {
            // Cut before its plan was whole, nothing moved; or it ended.
            ASSERT_EQ(NamesBesidesIni(), first);
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
                break;
            }
            continue;
        }
        const std::vector<journal::ItemState> states = journal::Review(left.What());
        std::size_t moved = 0;
        for (const journal::ItemState& state : states) {
            moved += state.where == journal::ItemState::Where::Moved ? 1 : 0;
        }
        const PassRecord kept{PassKind::Kept, false, 1, history::MovedPart(left.What(), states)};
        EXPECT_EQ(history::ItemsOf(kept.plan).size(), moved);
        ASSERT_TRUE(left.Forget());
        ASSERT_TRUE(history::Add(Folder(), kept));
        history::Undone undone;
        ASSERT_EQ(history::Undo(Folder(), kept, &undone), history::UndoResult::Done);
        EXPECT_EQ(undone.back.size(), moved);
        EXPECT_TRUE(undone.leftAlone.empty());
        EXPECT_EQ(NamesBesidesIni(), first);
        for (const std::string& name : first) {
            EXPECT_EQ(dir.Read(name), name);
        }
    }
}
#endif

#ifndef _WIN32
// An undo where any one move is refused (a file held open): of a rotation, and of a chain into a
// new name whose first name another program took after the pass. Whichever move it is, no file
// is left at a temporary name, every row of the list still names its own file, and a second undo
// once the file and the name are free brings everything back.
TEST_F(HistoryTest, AnUndoOfARotationOrAChainWithAnyMoveRefusedLeavesEveryFileNamed) {
    const Names first = {"a.txt", "b.txt", "c.txt"};
    struct Shape {
        Names typed;
        std::string taken;
    };
    for (const Shape& shape : {Shape{{"b", "c", "a"}, ""}, Shape{{"b", "c", "n"}, "a.txt"}}) {
        // Each of the undo's moves, and the first it makes beyond them.
        for (unsigned refused = 0; refused < 6; ++refused) {
            SCOPED_TRACE((shape.taken.empty() ? "rotation, move " : "chain, move ") +
                         std::to_string(refused));
            list = MakeList();
            for (std::size_t i = 0; i < first.size(); ++i) {
                AddFile(first[i], first[i]).SetEditName(shape.typed[i]);
            }
            ASSERT_EQ(list->RenameAll(), 0);
            if (!shape.taken.empty()) {
                dir.MakeFile(shape.taken, "another program's");
            }
            platform::faults::FailMove(refused, platform::MoveResult::AccessDenied,
                                       1 + move_retries::kMostRetries);
            history::Undone undone;
            const PassRecord pass = history::Load(Folder()).back();
            ASSERT_EQ(history::Undo(Folder(), pass, &undone), history::UndoResult::Done);
            platform::faults::Clear();
            list->FollowUndo(undone.back);
            const Names names = NamesBesidesIni();
            EXPECT_EQ(names.size(), shape.taken.empty() ? 3u : 4u);
            for (const std::string& name : names) {
                EXPECT_NE(name.rfind("~%_", 0), 0u) << name;
            }
            for (unsigned i = 0; i < 3; ++i) {
                const std::string now = list->At(i).Path(NameKind::Now).FileName();
                EXPECT_EQ(dir.Read(now), first[i]) << "row " << i << " at " << now;
            }
            if (!shape.taken.empty()) {
                test_files::RemoveTree(dir.PathOf(shape.taken));
            }
            history::Undone again;
            ASSERT_EQ(history::Undo(Folder(), pass, &again), history::UndoResult::Done);
            for (const std::string& name : first) {
                EXPECT_EQ(dir.Read(name), name);
            }
            list->Clear();
            for (const std::string& name : NamesBesidesIni()) {
                test_files::RemoveTree(dir.PathOf(name));
            }
        }
    }
}
#endif

#ifndef _WIN32
// A pass cut short before its second stage, a file's old name taken meanwhile. Put back, the
// start leaves it at its temporary name (a name its second stage never gave is one no later start
// would look at), and once the name is free the next start brings it back. Its names kept, the
// pass goes into the history as far as it moved, and once the name is free an undo of that pass
// brings the file back.
TEST_F(HistoryTest, AFileOfAPassCutInItsFirstStageComesBackOnceItsNameIsFree) {
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "names kept" : "put back");
        for (unsigned k = 0;; ++k) {
            ASSERT_LT(k, 20u) << "no crash left a.txt aside before the mark";
            list = MakeList();
            for (const std::string& name : NamesBesidesIni()) {
                test_files::RemoveTree(dir.PathOf(name));
            }
            AddFile("a", "A").SetEditName("b");
            AddFile("b", "B").SetEditName("c");
            PassCutAt(k);
            auto left = std::make_unique<LeftJournal>();
            if (!left->Open(Folder(), 0)) {
                continue;
            }
            if (left->What().secondStage || dir.Has("b")) {
                left->Forget();
                continue;
            }
            dir.MakeFile("b", "another");
            std::vector<std::string> leftAlone;
            if (keep) {
                // As the start does when the user keeps the names.
                const std::vector<journal::ItemState> states = journal::Review(left->What());
                const std::vector<std::string> given = journal::MoveOffTemporaryNames(left->What());
                ASSERT_TRUE(left->Forget());
                const PassRecord kept{PassKind::Kept, false, 1,
                                      history::MovedPart(left->What(), states, given)};
                ASSERT_TRUE(history::Add(Folder(), kept));
                test_files::RemoveTree(dir.PathOf("b"));
                history::Undone undone;
                ASSERT_EQ(history::Undo(Folder(), kept, &undone), history::UndoResult::Done);
            } else {
                EXPECT_FALSE(left->PutBack(&leftAlone));
                EXPECT_FALSE(dir.Has("c"));
                left.reset();
                test_files::RemoveTree(dir.PathOf("b"));
                LeftJournal again;
                ASSERT_TRUE(again.Open(Folder(), 0));
                EXPECT_TRUE(again.PutBack(&leftAlone));
            }
            ASSERT_EQ(NamesBesidesIni(), (Names{"a", "b"}));
            EXPECT_EQ(dir.Read("a"), "A");
            EXPECT_EQ(dir.Read("b"), "B");
            break;
        }
    }
}
#endif

// Names of the temporary form that are a file's real names are not taken for ours: a file renamed
// from one is undone like any other, and one renamed to one beside a pair that goes back whole
// keeps its new name. The pair gone back is not counted in the history.
TEST_F(HistoryTest, RealNamesOfTheTemporaryFormAndPairsGoneBackAreNotOurs) {
    AddFile("~%_1.tmp", "T").SetEditName("t");
    ASSERT_EQ(list->RenameAll(), 0);
    history::Undone undone;
    ASSERT_EQ(history::Undo(Folder(), history::Load(Folder()).back(), &undone),
              history::UndoResult::Done);
    EXPECT_EQ(undone.back.size(), 1u);
    EXPECT_TRUE(undone.leftAlone.empty());
    EXPECT_EQ(dir.Read("~%_1.tmp"), "T");
    EXPECT_TRUE(history::Load(Folder()).back().undone);

    list = MakeList();
    AddFile("a.txt", "A").SetEditName("b");
    AddFile("b.txt", "B").SetEditName(std::string(300, 'n'));  // cannot be made: the pair goes back
    AddFile("c", "C").SetEditName("~%_77.tmp");
    EXPECT_EQ(list->RenameAll(), 1);
    EXPECT_EQ(dir.Read("a.txt"), "A");
    EXPECT_EQ(dir.Read("b.txt"), "B");
    EXPECT_EQ(dir.Read("~%_77.tmp"), "C");
    const PassRecord pass = history::Load(Folder()).back();
    EXPECT_EQ(history::ItemsOf(pass.plan).size(), 1u);
    EXPECT_EQ(history::SummaryOf(pass).count, texts::Fill(texts::kHistoryCount, {"1"}));
}

// A history entry whole by its sum but holding no plan this program reads neither hides the
// passes after it nor loses them when an undo writes the file again.
TEST_F(HistoryTest, AWholeEntryThatIsNoPlanHidesNoLaterPass) {
    AddFile("a.txt", "A").SetEditName("a1");
    ASSERT_EQ(list->RenameAll(), 0);
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(Folder() + "/" + history::kFileName, &bytes));
    // A plan of no moves with a byte beyond them, and its sum.
    const auto number = [](std::string* out, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            out->push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    std::string body = "P";
    number(&body, 0);
    number(&body, 0);
    body += 'x';
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : body) {
        crc ^= c;
        for (int b = 0; b < 8; ++b) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    std::string entry("R\0\0\0\0\0\0\0\0\0", 10);
    number(&entry, static_cast<std::uint32_t>(body.size()));
    entry += body;
    number(&entry, ~crc);
    ASSERT_TRUE(platform::WriteWholeFile(Folder() + "/" + history::kFileName, bytes + entry));
    for (const char* name : {"b", "c"}) {
        list = MakeList();
        AddFile(std::string(name) + ".txt", name).SetEditName(std::string(name) + "1");
        ASSERT_EQ(list->RenameAll(), 0);
    }
    ASSERT_EQ(history::Load(Folder()).size(), 3u);
    history::Undone undone;
    ASSERT_EQ(history::Undo(Folder(), history::Load(Folder()).front(), &undone),
              history::UndoResult::Done);
    const std::vector<PassRecord> after = history::Load(Folder());
    ASSERT_EQ(after.size(), 3u);
    EXPECT_TRUE(after[0].undone);
    EXPECT_FALSE(after[2].undone);
}

#ifndef _WIN32
// Two copies of Varnel adding passes at the same time: each adds under the history's lock, so
// neither writes back a file the other has added to since it read it.
TEST_F(HistoryTest, TwoCopiesAddingAtOnceLoseNoPass) {
    constexpr int kEach = history::kKept / 2;
    std::vector<pid_t> copies;
    for (int copy = 0; copy < 2; ++copy) {
        const pid_t child = fork();
        if (child == 0) {
            for (int i = 0; i < kEach; ++i) {
                PassRecord record;
                record.ended = copy * 100 + i;
                record.plan.renames = {{"D:/a/x", "D:/a/y", "", std::string(4000, 'i')}};
                if (!history::Add(Folder(), record)) {
                    _exit(1);
                }
            }
            _exit(0);
        }
        copies.push_back(child);
    }
    for (pid_t child : copies) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::set<std::int64_t> ended;
    for (const PassRecord& record : history::Load(Folder())) {
        ended.insert(record.ended);
    }
    EXPECT_EQ(ended.size(), 2u * kEach);
}
#endif

TEST_F(HistoryTest, OnlyTheLastPassesAreKept) {
    for (int i = 0; i < 25; ++i) {
        PassRecord record;
        record.ended = i;
        ASSERT_TRUE(history::Add(Folder(), record));
    }
    const std::vector<PassRecord> kept = history::Load(Folder());
    ASSERT_EQ(kept.size(), history::kKept);
    EXPECT_EQ(kept.front().ended, 25 - static_cast<std::int64_t>(history::kKept));
    EXPECT_EQ(kept.back().ended, 24);
}

// A pass added to a file with a broken end keeps every whole pass before it and drops the rest.
TEST_F(HistoryTest, APassAddedAfterABrokenEndKeepsTheWholeOnes) {
    PassRecord first;
    first.ended = 1;
    first.plan.renames = {{"D:/a/x", "D:/a/y", "", "id"}};
    ASSERT_TRUE(history::Add(Folder(), first));
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(Folder() + "/" + history::kFileName, &bytes));
    ASSERT_TRUE(
        platform::WriteWholeFile(Folder() + "/" + history::kFileName, bytes + "R\x01broken"));
    PassRecord second = first;
    second.ended = 2;
    second.kind = PassKind::Restore;
    ASSERT_TRUE(history::Add(Folder(), second));
    const std::vector<PassRecord> kept = history::Load(Folder());
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].ended, 1);
    EXPECT_EQ(kept[0].plan, first.plan);
    EXPECT_EQ(kept[1].kind, PassKind::Restore);
    EXPECT_EQ(kept[1].plan, second.plan);
}

TEST(HistoryCodec, RecordsComeBackAsTheyWereAndABrokenEndIsDropped) {
    std::vector<PassRecord> records(25);
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].kind = static_cast<PassKind>("RTF"[i % 3]);
        records[i].undone = i % 2 == 1;
        records[i].ended = 1765000000 + static_cast<std::int64_t>(i);
        records[i].plan.renames.push_back(
            {"D:/a/" + std::to_string(i), "D:/a/b", "", "\x01\xFF" + std::to_string(i)});
    }
    const std::string bytes = history::Encode(records);
    const std::vector<PassRecord> back = history::Decode(bytes);
    ASSERT_EQ(back.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(back[i].kind, records[i].kind);
        EXPECT_EQ(back[i].undone, records[i].undone);
        EXPECT_EQ(back[i].ended, records[i].ended);
        EXPECT_EQ(back[i].plan, records[i].plan);
    }
    EXPECT_EQ(history::Decode(bytes.substr(0, bytes.size() - 1)).size(), records.size() - 1);
    EXPECT_TRUE(history::Decode("VRNLJNL1").empty());
}

}  // namespace
