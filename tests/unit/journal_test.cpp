// The journal of a pass: what it holds survives being cut anywhere, and a pass cut short at any
// operation is put back exactly by the start-up recovery.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/journal_recovery.h"
#include "core/pass_journal.h"
#include "platform/file_system.h"
#include "tests/support/list_fixture.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/move_retries.h"
#include "platform/file_faults.h"
#endif

namespace {

PassPlan SamplePlan() {
    PassPlan plan;
    // Exact bytes: a trail byte 0x5C, a NUL, a slash form with a drive.
    plan.aside = {{"D:/表/a.txt", "D:/表/~%_1.tmp", "", "\x01\xFF"},
                  {std::string("x\0y", 3), "z", "", ""}};
    plan.renames = {{"D:/表/~%_1.tmp", "D:/表/b.txt", "", "\x01\xFF"},
                    {"C:/q/a", "C:/q/A", "C:/q/~%_2.tmp", "id"}};
    return plan;
}

// Whatever prefix of a journal survives, what it yields is a prefix of what was written: the plan
// whole or nothing, the mark only when whole; and a changed byte is never taken for a record.
TEST(JournalCodecTest, AnyCutOrChangedByteYieldsOnlyWhatWasWritten) {
    const PassPlan plan = SamplePlan();
    const std::string head = journal::EncodeHeader() + journal::EncodePlan(plan);
    const std::string bytes = head + journal::EncodeSecondStage();
    for (std::size_t size = 0; size <= bytes.size(); ++size) {
        const journal::Contents c = journal::Decode(bytes.substr(0, size));
        EXPECT_EQ(c.hasPlan, size >= head.size()) << size;
        EXPECT_EQ(c.secondStage, size == bytes.size()) << size;
        if (c.hasPlan) {
            EXPECT_EQ(c.plan, plan);
        }
    }
    for (std::size_t at = 0; at < head.size(); ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x21);
        EXPECT_FALSE(journal::Decode(changed).hasPlan) << at;
    }
}

class JournalTest : public ListTest {
  protected:
    std::string Folder() const { return mbcs::ToSlashForm(dir.Path()); }

    // What the start-up does: every journal left behind is put back.
    void Recover() {
        for (unsigned slot = 0; slot < journal::kSlots; ++slot) {
            LeftJournal left;
            if (left.Open(Folder(), slot)) {
                std::vector<std::string> leftAlone;
                EXPECT_TRUE(left.PutBack(&leftAlone));
                EXPECT_TRUE(leftAlone.empty()) << leftAlone.front();
            }
        }
    }
};

// A running pass's journal is not a left-behind one, and a second pass takes the next name.
TEST_F(JournalTest, AHeldJournalIsNotTakenAndTheNextPassUsesAnotherName) {
    PassJournal running;
    ASSERT_TRUE(running.Begin(Folder(), SamplePlan()));
    PassJournal second;
    ASSERT_TRUE(second.Begin(Folder(), SamplePlan()));
    EXPECT_EQ(NamesBesidesIni(), (std::vector<std::string>{"varnel.journal", "varnel2.journal"}));
    LeftJournal left;
    EXPECT_FALSE(left.Open(Folder(), 0));
    running.End();
    second.End();
    EXPECT_TRUE(NamesBesidesIni().empty());
}

// Where no journal can be written (a folder that is not there, read-only), the user decides
// whether the pass runs without one; No moves nothing.
TEST_F(JournalTest, WithoutAPlaceForTheJournalTheUserDecides) {
    AddFile("a.txt", "A").SetEditName("b");
    AddFile("b.txt", "B").SetEditName("a");
    list->SetJournalFolder(Folder() + "/missing");
    for (const int answer : {kIdNo, kIdYes}) {
        boxes::Reset();
        boxes::SetAnswerer([&](const RecordedBox&) { return answer; });
        EXPECT_EQ(list->RenameAll(), answer == kIdNo ? 1 : 0);
        ASSERT_EQ(boxes::Recorded().size(), 1u);
        EXPECT_EQ(boxes::Recorded()[0].style, kMbYesNo | kMbIconExclamation);
        EXPECT_EQ(dir.Read("a.txt"), answer == kIdNo ? "A" : "B");
    }
}

// A file gone, replaced, or whose place was taken since the crash is left alone and named; the
// others go back, and the journal stays until every file is back.
TEST_F(JournalTest, AFileMissingReplacedOrItsPlaceTakenIsNamedAndTheJournalKept) {
    const std::string f = Folder() + "/";
    const auto identity = [&](const std::string& name) { return platform::FileIdentity(f + name); };
    dir.MakeFile("~%_1.tmp", "A");  // a.txt went aside, then someone made a new a.txt
    dir.MakeFile("a.txt", "someone else's");
    dir.MakeFile("h.txt", "G");  // g.txt became h.txt
    dir.MakeFile("e.txt", "E");  // e.txt became f.txt, which was then replaced
    const std::string e = identity("e.txt");
    dir.MakeFile("new", "other");
    test_files::RemoveTree(dir.PathOf("e.txt"));
    ASSERT_EQ(platform::MovePath(f + "new", f + "f.txt"), platform::MoveResult::Done);
    PassPlan plan;
    plan.aside = {{f + "a.txt", f + "~%_1.tmp", "", identity("~%_1.tmp")}};
    plan.renames = {{f + "~%_1.tmp", f + "b.txt", "", identity("~%_1.tmp")},
                    {f + "c.txt", f + "d.txt", "", ""},  // gone
                    {f + "e.txt", f + "f.txt", "", e},
                    {f + "g.txt", f + "h.txt", "", identity("h.txt")}};
    {
        PassJournal cut;
        ASSERT_TRUE(cut.Begin(Folder(), plan));
        ASSERT_TRUE(cut.SecondStage());
    }  // left behind, as by a crash

    LeftJournal left;
    ASSERT_TRUE(left.Open(Folder(), 0));
    std::vector<std::string> leftAlone;
    EXPECT_FALSE(left.PutBack(&leftAlone));
    EXPECT_EQ(leftAlone, (std::vector<std::string>{f + "a.txt", f + "c.txt", f + "e.txt"}));
    // a.txt's file, its name taken, is not left under a temporary name: it goes on to the name
    // the pass gave it.
    EXPECT_EQ(dir.Read("a.txt"), "someone else's");
    EXPECT_EQ(dir.Read("b.txt"), "A");
    EXPECT_EQ(dir.Read("f.txt"), "other");
    EXPECT_EQ(dir.Read("g.txt"), "G");
    EXPECT_EQ(NamesBesidesIni(),
              (std::vector<std::string>{"a.txt", "b.txt", "f.txt", "g.txt", "varnel.journal"}));
}

// Recovery acts only on moves a real pass makes: one folder, an aside to one of the pass's own
// temporary names, a detour of that form for a change of letter case alone, an identity that is
// recorded and still the item's. A journal made by hand, copied in or synced from elsewhere
// moves nothing else, and says so; its one real move is still put back.
TEST_F(JournalTest, OnlyMovesARealPassMakesAreTrusted) {
    dir.MakeFolder("W");
    dir.MakeFolder("V");
    const std::string f = Folder() + "/";
    const auto identity = [&](const std::string& name) { return platform::FileIdentity(f + name); };
    dir.MakeFile("V\\thesis.doc", "thesis");
    dir.MakeFile("V\\mine.doc", "mine");
    dir.MakeFile("V\\~%_5.tmp", "aside");
    dir.MakeFile("V\\b.txt", "A");  // the one real move: a.txt became b.txt
    dir.MakeFile("V\\K.txt", "k");
    dir.MakeFile("W\\secret.doc", "secret");
    // V/../W/secret.doc with its separators escaped: one folder to the held bytes, another to
    // the file system.
    const std::string hiddenSeparator = "\xFF\x80\x80\xAF";
    const std::string smuggled =
        f + "V/.." + hiddenSeparator + "W" + hiddenSeparator + "secret.doc";
    PassPlan plan;
    plan.aside = {{f + "V/q.doc", f + "V/mine.doc", "", identity("V/mine.doc")},  // not a temp name
                  {f + "V/r.doc", f + "V/~%_5.tmp", "", ""}};                     // no identity
    plan.renames = {{f + "W/loot.doc", f + "V/thesis.doc", "", ""},               // two folders
                    {f + "W/loot2.doc", f + "V/thesis.doc", "", identity("V/thesis.doc")},
                    {f + "V/k.txt", f + "V/K.txt", f + "V/k2.txt", identity("V/K.txt")},  // detour
                    {f + "V/stolen.doc", smuggled, "", identity("W/secret.doc")},
                    {f + "V/a.txt", f + "V/b.txt", "", identity("V/b.txt")}};
    {
        PassJournal cut;
        ASSERT_TRUE(cut.Begin(Folder(), plan));
        ASSERT_TRUE(cut.SecondStage());
    }
    LeftJournal left;
    ASSERT_TRUE(left.Open(Folder(), 0));
    using Where = journal::ItemState::Where;
    std::vector<std::pair<std::string, Where>> review;
    for (const journal::ItemState& item : journal::Review(left.What())) {
        review.emplace_back(item.firstPath, item.where);
    }
    EXPECT_EQ(review,
              (std::vector<std::pair<std::string, Where>>{{f + "V/q.doc", Where::Foreign},
                                                          {f + "V/r.doc", Where::Foreign},
                                                          {f + "W/loot.doc", Where::Foreign},
                                                          {f + "W/loot2.doc", Where::Foreign},
                                                          {f + "V/k.txt", Where::Foreign},
                                                          {f + "V/stolen.doc", Where::Foreign},
                                                          {f + "V/a.txt", Where::Moved}}));
    std::vector<std::string> leftAlone;
    EXPECT_FALSE(left.PutBack(&leftAlone));
    EXPECT_EQ(leftAlone,
              (std::vector<std::string>{f + "V/q.doc", f + "V/r.doc", f + "W/loot.doc",
                                        f + "W/loot2.doc", f + "V/k.txt", f + "V/stolen.doc"}));
    EXPECT_EQ(dir.Read("W\\secret.doc"), "secret");
    EXPECT_EQ(dir.Read("V\\thesis.doc"), "thesis");
    EXPECT_EQ(dir.Read("V\\mine.doc"), "mine");
    EXPECT_EQ(dir.Read("V\\~%_5.tmp"), "aside");
    EXPECT_EQ(dir.Read("V\\K.txt"), "k");
    EXPECT_EQ(dir.Read("V\\a.txt"), "A");
    EXPECT_EQ(NamesBesidesIni(), (std::vector<std::string>{"V", "W", "varnel.journal"}));
}

// A journal left after a pass whose files were then deleted and made again: the new file may get
// the deleted one's number (ext4 and Wine give it out again), but it is never taken for it. Once
// the rest is back, a second recovery finds everything in place and ends the journal without a
// move.
TEST_F(JournalTest, AFileMadeAfterThePassIsNeverTakenForTheMovedOne) {
    const std::string f = Folder() + "/";
    dir.MakeFile("a.txt", "A");
    dir.MakeFile("c.txt", "C");
    PassPlan plan;
    plan.renames = {{f + "a.txt", f + "b.txt", "", platform::FileIdentity(f + "a.txt")},
                    {f + "c.txt", f + "d.txt", "", platform::FileIdentity(f + "c.txt")}};
    {
        PassJournal pass;
        ASSERT_TRUE(pass.Begin(Folder(), plan));
        ASSERT_TRUE(pass.SecondStage());
        ASSERT_EQ(platform::MovePath(f + "a.txt", f + "b.txt"), platform::MoveResult::Done);
        ASSERT_EQ(platform::MovePath(f + "c.txt", f + "d.txt"), platform::MoveResult::Done);
    }  // cut before the journal's removal
    // The user replaces b.txt by a file of the same size, made a moment later.
    test_files::RemoveTree(dir.PathOf("b.txt"));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    dir.MakeFile("b.txt", "B");
    EXPECT_NE(platform::FileIdentity(f + "b.txt"), plan.renames[0].identity);
    {
        LeftJournal left;
        ASSERT_TRUE(left.Open(Folder(), 0));
        const std::vector<journal::ItemState> review = journal::Review(left.What());
        ASSERT_EQ(review.size(), 2u);
        EXPECT_EQ(review[0].where, journal::ItemState::Where::Gone);
        EXPECT_EQ(review[1].where, journal::ItemState::Where::Moved);
        EXPECT_EQ(review[1].now, f + "d.txt");
        std::vector<std::string> leftAlone;
        EXPECT_FALSE(left.PutBack(&leftAlone));
        EXPECT_EQ(leftAlone, std::vector<std::string>{f + "a.txt"});
    }
    EXPECT_EQ(dir.Read("b.txt"), "B");
    EXPECT_EQ(dir.Read("c.txt"), "C");
    EXPECT_FALSE(dir.Has("a.txt"));
    // The user puts the file back by hand: everything is in place, nothing moves, the journal ends.
    test_files::RemoveTree(dir.PathOf("b.txt"));
    ASSERT_EQ(platform::MovePath(f + "c.txt", f + "x"), platform::MoveResult::Done);
    ASSERT_EQ(platform::MovePath(f + "x", f + "c.txt"), platform::MoveResult::Done);
    LeftJournal again;
    ASSERT_TRUE(again.Open(Folder(), 0));
    std::vector<std::string> leftAlone;
    EXPECT_FALSE(again.PutBack(&leftAlone));  // a.txt is gone for good
    EXPECT_EQ(leftAlone, std::vector<std::string>{f + "a.txt"});
    EXPECT_EQ(dir.Read("c.txt"), "C");
}

#ifndef _WIN32

// A first stage that fails and whose put-back fails too leaves an entry at its temporary name:
// the journal stays for the next start, which puts it back.
TEST_F(JournalTest, AFailedPutBackOfTheFirstStageKeepsTheJournal) {
    AddFile("a.txt", "A").SetEditName("b");
    AddFile("b.txt", "B").SetEditName("c");
    AddFile("c.txt", "C").SetEditName("a");
    // A rotation sets all three aside: the second move fails however often it is tried, and so
    // does putting the first back.
    platform::faults::FailMove(1, platform::MoveResult::AccessDenied,
                               1 + move_retries::kMostRetries + 1);
    EXPECT_EQ(list->RenameAll(), 1);
    platform::faults::Clear();
    std::vector<std::string> names = NamesBesidesIni();
    EXPECT_NE(std::find(names.begin(), names.end(), "varnel.journal"), names.end());
    list.reset();
    Recover();
    EXPECT_EQ(NamesBesidesIni(), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(dir.Read("b.txt"), "B");
}

// Two passes cut short over one file: the first renamed a.txt to b.txt, the second b.txt back to
// a.txt. Only the second put back first, then the first, ends a.txt at its name before both; the
// clock cannot tell, when both journals were last written in one tick (a FAT volume keeps two
// seconds) or another program touched the first since; nor when a pass of another copy freed a
// lower slot meanwhile, and the clock is coarse (a tick of a few milliseconds here): the later
// journal still takes a slot after the first's.
TEST_F(JournalTest, TheLaterOfTwoPassesOverOneFileIsPutBackFirst) {
    const std::string f = Folder() + "/";
    const auto native = [&](const std::string& name) {
        platform::NativeString path;
        EXPECT_TRUE(platform::ToNative(f + name, &path));
        return path;
    };
    struct Row {
        long firstTouchedLater;
        bool slotFreed;
    };
    for (const Row row : {Row{0, false}, Row{60, false}, Row{0, true}}) {
        const bool slotFreed = row.slotFreed;
        SCOPED_TRACE(slotFreed ? "in a slot freed since" : std::to_string(row.firstTouchedLater));
        dir.MakeFile("a.txt", "A");
        const std::string a = platform::FileIdentity(f + "a.txt");
        {
            PassJournal other;
            if (slotFreed) {
                ASSERT_TRUE(other.Begin(Folder(), PassPlan{{}, {{f + "x", f + "y", "", "x"}}}));
            }
            PassJournal first;
            ASSERT_TRUE(first.Begin(Folder(), PassPlan{{}, {{f + "a.txt", f + "b.txt", "", a}}}));
            ASSERT_TRUE(first.SecondStage());
            ASSERT_EQ(platform::MovePath(f + "a.txt", f + "b.txt"), platform::MoveResult::Done);
            other.End();
            PassJournal second;
            ASSERT_TRUE(second.Begin(Folder(), PassPlan{{}, {{f + "b.txt", f + "a.txt", "", a}}}));
            ASSERT_TRUE(second.SecondStage());
            ASSERT_EQ(platform::MovePath(f + "b.txt", f + "a.txt"), platform::MoveResult::Done);
        }
        for (unsigned slot = 0; slot < 2 && !slotFreed; ++slot) {
            const struct timespec stamp = {1765000000 + (slot == 0 ? row.firstTouchedLater : 0), 0};
            const struct timespec times[2] = {stamp, stamp};
            ASSERT_EQ(utimensat(AT_FDCWD, native(journal::FileName(slot)).c_str(), times, 0), 0);
        }
        for (const auto& left : OpenLeftJournals(Folder())) {
            std::vector<std::string> leftAlone;
            left->PutBack(&leftAlone);
        }
        EXPECT_EQ(NamesBesidesIni(), std::vector<std::string>{"a.txt"});
        for (const std::string& name : NamesBesidesIni()) {
            test_files::RemoveTree(dir.PathOf(name));
        }
    }
}

using Disk = std::map<std::string, std::string>;

class JournalPropertyTest : public JournalTest {
  protected:
    // Every file and folder below the test folder (folders as "<folder>"), the INI file and the
    // history (with its lock) left out.
    Disk Now() const {
        Disk disk;
        Collect(dir.Path(), "", &disk);
        disk.erase("varnel.ini");
        disk.erase(history::kFileName);
        disk.erase(history::kLockFileName);
        return disk;
    }
    static void Collect(const std::string& path, const std::string& prefix, Disk* disk) {
        for (const std::string& name : test_files::ListNames(path)) {
            const std::string full = path + "\\" + name;
            if (IsFolderPath(full)) {
                (*disk)[prefix + name] = "<folder>";
                Collect(full, prefix + name + "\\", disk);
            } else {
                test_files::ReadFile(full, &(*disk)[prefix + name]);
            }
        }
    }
    void MakeAgain(const Disk& disk) {
        for (const std::string& name : NamesBesidesIni()) {
            test_files::RemoveTree(dir.PathOf(name));
        }
        for (const auto& item : disk) {
            item.second == "<folder>" ? dir.MakeFolder(item.first)
                                      : dir.MakeFile(item.first, item.second);
        }
    }

    // Runs the pass in a child process that the faults may end; the child's exit code.
    template <typename Arm>
    int PassInChild(Arm arm, bool restore) {
        const pid_t child = fork();
        if (child == 0) {
            arm();
            restore ? list->RestoreAll() : list->RenameAll();
            _exit(static_cast<int>(std::min(platform::faults::Operations(), 200u)));
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // A random batch over the pools: swaps, rotations, chains, changes of letter case alone,
    // folders, and now and then a file outside the list in the way.
    void MakeBatch(std::mt19937& random) {
        std::vector<std::string> files = {"a", "b", "c", "表", "ソ", "x.y"};
        std::vector<std::string> folders = {"d1", "d2", "d3"};
        std::shuffle(files.begin(), files.end(), random);
        std::shuffle(folders.begin(), folders.end(), random);
        const std::vector<std::string> typedFiles = {"a", "b", "c", "表", "ソ", "x.y", "A", "B"};
        const std::vector<std::string> typedFolders = {"d1", "d2", "d3", "D1", "D2"};
        const unsigned fileCount = 1 + random() % 4;
        const unsigned folderCount = random() % 3;
        for (unsigned i = 0; i < fileCount; ++i) {
            AddFile(files[i] + ".txt", "content of " + files[i]);
            list->At(list->Count() - 1).SetEditName(typedFiles[random() % typedFiles.size()]);
        }
        for (unsigned i = 0; i < folderCount; ++i) {
            dir.MakeFolder(folders[i]);
            dir.MakeFile(folders[i] + "\\in.txt", "inside " + folders[i]);
            ASSERT_EQ(list->AddPath(dir.PathOf(folders[i])), 0);
            list->At(list->Count() - 1).SetEditName(typedFolders[random() % typedFolders.size()]);
        }
        if (random() % 4 == 0) {
            dir.MakeFile(files[fileCount] + ".txt", "outside");
        }
    }
};

// For every k, a crash at the k-th operation of the pass (a move, a journal write, the journal's
// removal) followed by the start-up recovery leaves exactly the files there were before the pass,
// also when that recovery is cut short at any step and the next one finishes it; and a move
// failing at k loses no file and leaves a list that restores every one.
TEST_F(JournalPropertyTest, ACrashOrAFailureAtAnyStepIsPutBackExactly) {
    std::mt19937 random(20261208);
    unsigned crashes = 0;
    unsigned doubleCrashes = 0;
    unsigned failures = 0;
    for (int round = 0; round < 48; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        MakeBatch(random);
        const bool caseIgnored = round % 3 == 0;
        const auto arm = [&]() {
            if (caseIgnored) {
                platform::faults::IgnoreCaseChanges();
            }
        };
        const Disk before = Now();
        // A restore pass too, from the names the rename pass gave.
        const bool restore = round % 5 == 4;
        if (restore) {
            list->RenameAll();
            boxes::Reset();
        }
        const Disk start = Now();
        platform::faults::Clear();
        const int operations = PassInChild(arm, restore);
        ASSERT_GE(operations, 0);
        MakeAgain(start);
        for (int k = 0; k < operations; ++k) {
            SCOPED_TRACE("crash at " + std::to_string(k));
            const int code = PassInChild(
                [&]() {
                    platform::faults::CrashAt(static_cast<unsigned>(k));
                    arm();
                },
                restore);
            ASSERT_EQ(code, platform::faults::kCrashCode);
            arm();
            Recover();
            platform::faults::Clear();
            ASSERT_EQ(Now(), start);
            ++crashes;
            // The recovery itself cut short at any of its steps, its very end included: the
            // next start still puts everything back and ends the journal.
            for (unsigned m = 0; round % 2 == 0; ++m) {
                SCOPED_TRACE("then at " + std::to_string(m) + " of the recovery");
                ASSERT_EQ(PassInChild(
                              [&]() {
                                  platform::faults::CrashAt(static_cast<unsigned>(k));
                                  arm();
                              },
                              restore),
                          platform::faults::kCrashCode);
                const pid_t child = fork();
                if (child == 0) {
                    platform::faults::CrashAt(m);
                    arm();
                    for (unsigned slot = 0; slot < journal::kSlots; ++slot) {
                        LeftJournal left;
                        std::vector<std::string> leftAlone;
                        if (left.Open(Folder(), slot)) {
                            left.PutBack(&leftAlone);
                        }
                    }
                    _exit(0);
                }
                int status = 0;
                waitpid(child, &status, 0);
                arm();
                Recover();
                platform::faults::Clear();
                ASSERT_EQ(Now(), start);
                ++doubleCrashes;
                if (!WIFEXITED(status) || WEXITSTATUS(status) != platform::faults::kCrashCode) {
                    break;
                }
            }
        }
        const platform::MoveResult results[] = {platform::MoveResult::AccessDenied,
                                                platform::MoveResult::NotFound,
                                                platform::MoveResult::Other};
        for (int k = 0; k < operations; ++k) {
            SCOPED_TRACE("failure at " + std::to_string(k));
            // A denied move is tried again: it fails only when it fails every time.
            const platform::MoveResult result = results[random() % 3];
            platform::faults::FailMove(
                static_cast<unsigned>(k), result,
                result == platform::MoveResult::AccessDenied ? 1 + move_retries::kMostRetries : 1);
            arm();
            restore ? list->RestoreAll() : list->RenameAll();
            platform::faults::Clear();
            // Nothing lost, nothing left of the journal.
            std::multiset<std::string> contentsStart, contentsNow;
            for (const auto& f : start)
                contentsStart.insert(f.second);
            for (const auto& f : Now())
                contentsNow.insert(f.second);
            ASSERT_EQ(contentsNow, contentsStart);
            boxes::Reset();
            ASSERT_EQ(list->RestoreAll(), 0)
                << (boxes::Recorded().empty() ? "" : boxes::Recorded()[0].text);
            ASSERT_EQ(Now(), before);
            ASSERT_TRUE(boxes::Recorded().empty()) << boxes::Recorded()[0].text;
            if (restore) {
                list->RenameAll();
            }
            boxes::Reset();
            ++failures;
        }
        if (restore) {
            list->RestoreAll();
        }
        list->Clear();
        MakeAgain(Disk());
        boxes::Reset();
    }
    EXPECT_GT(crashes, 120u);
    EXPECT_GT(doubleCrashes, 200u);
    EXPECT_GT(failures, 120u);
}

// An undo from the history cut short at any of its steps is finished by the next start once it
// has moved anything: the files are exactly as before the pass, or, cut before its journal was
// whole, exactly as the pass left them. Each try renames anew in a child, then undoes there.
TEST_F(JournalPropertyTest, AnUndoCutShortAtAnyStepIsFinishedAtTheNextStart) {
    std::mt19937 random(9122026);
    const auto inChild = [&](bool undo, unsigned crashAt) {
        const pid_t child = fork();
        if (child == 0) {
            list->RenameAll();
            const std::vector<PassRecord> records = history::Load(Folder());
            platform::faults::CrashAt(crashAt);
            history::Undone undone;
            if (undo && !records.empty()) {
                history::Undo(Folder(), records.back(), &undone);
            }
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    unsigned finished = 0;
    for (int round = 0; round < 16; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        MakeBatch(random);
        const Disk before = Now();
        ASSERT_EQ(inChild(false, 1000), 0);
        const Disk after = Now();
        MakeAgain(before);
        for (unsigned k = 0; k < 200; ++k) {
            SCOPED_TRACE("crash at " + std::to_string(k));
            const int code = inChild(true, k);
            ASSERT_TRUE(code == 0 || code == platform::faults::kCrashCode) << code;
            Recover();
            if (Now() != before) {
                ASSERT_EQ(Now(), after);
                ASSERT_NE(code, 0) << "an undo that ended left the pass's names";
                MakeAgain(before);
            } else if (code != 0) {
                ++finished;
            }
            if (code == 0) {
                break;
            }
        }
        list->Clear();
        MakeAgain(Disk());
        boxes::Reset();
    }
    EXPECT_GT(finished, 40u);
}

#endif

}  // namespace
