// The journal of a pass: what it holds survives being cut anywhere, and a pass cut short at any
// operation is put back exactly by the start-up recovery.
#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/pass_journal.h"
#include "platform/file_system.h"
#include "tests/support/list_fixture.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

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
    AppPaths nowhere(&context, dir.PathOf("missing\\Varnel.exe"));
    context.paths = &nowhere;
    for (const int answer : {kIdNo, kIdYes}) {
        boxes::Reset();
        boxes::SetAnswerer([&](const RecordedBox&) { return answer; });
        EXPECT_EQ(list->RenameAll(), answer == kIdNo ? 1 : 0);
        ASSERT_EQ(boxes::Recorded().size(), 1u);
        EXPECT_EQ(boxes::Recorded()[0].style, kMbYesNo | kMbIconExclamation);
        EXPECT_EQ(dir.Read("a.txt"), answer == kIdNo ? "A" : "B");
    }
    context.paths = paths.get();
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
    EXPECT_EQ(dir.Read("a.txt"), "someone else's");
    EXPECT_EQ(dir.Read("~%_1.tmp"), "A");
    EXPECT_EQ(dir.Read("f.txt"), "other");
    EXPECT_EQ(dir.Read("g.txt"), "G");
    EXPECT_EQ(NamesBesidesIni(),
              (std::vector<std::string>{"a.txt", "f.txt", "g.txt", "varnel.journal", "~%_1.tmp"}));
}

#ifndef _WIN32

using Disk = std::map<std::string, std::string>;

class JournalPropertyTest : public JournalTest {
  protected:
    // Every file and folder below the test folder (folders as "<folder>"), the INI file left out.
    Disk Now() const {
        Disk disk;
        Collect(dir.Path(), "", &disk);
        disk.erase("varnel.ini");
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
// removal) followed by the start-up recovery leaves exactly the files there were before the pass;
// and a move failing at k loses no file and leaves a list that restores every one.
TEST_F(JournalPropertyTest, ACrashOrAFailureAtAnyStepIsPutBackExactly) {
    std::mt19937 random(20261208);
    unsigned crashes = 0;
    unsigned failures = 0;
    for (int round = 0; round < 40; ++round) {
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
        }
        const platform::MoveResult results[] = {platform::MoveResult::AccessDenied,
                                                platform::MoveResult::NotFound,
                                                platform::MoveResult::Other};
        for (int k = 0; k < operations; ++k) {
            SCOPED_TRACE("failure at " + std::to_string(k));
            platform::faults::FailMove(static_cast<unsigned>(k), results[random() % 3]);
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
            ASSERT_EQ(list->RestoreAll(), 0);
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
    EXPECT_GT(failures, 120u);
}

#endif

}  // namespace
