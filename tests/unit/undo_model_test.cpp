// Random roads over a few files in one or two folders: rename passes, restores, undos of any pass
// in the history, another program renaming, deleting, making and holding files, and crashes
// followed by the next start's recovery. A model knows where each file's contents are; after
// every step that ends, no file is lost or doubled, none is at a temporary name, none that the
// step did not own has moved, every row points at its own file, and an undo tells exactly what
// it moved. A failure names the seed and every step, to be run again.
#ifndef _WIN32

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/history.h"
#include "core/move_retries.h"
#include "core/pass_journal.h"
#include "core/temporary_names.h"
#include "platform/file_faults.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "tests/support/list_fixture.h"

namespace {

using Places = std::map<std::string, std::string>;  // contents -> slash path
using Contents = std::set<std::string>;

// The roads walked: the first eight, and six from wider runs whose roads meet what those miss
// (old names taken by later passes before an undo, an undo cut short with an old name taken, a
// row whose file another program deleted, an undo cut short whose file's names are both taken
// by its rotation, a change of letter case refused halfway, two journals left over the same
// files). A failure names its seed: left alone here, it walks that road again.
const unsigned kSeeds[] = {1, 2, 3, 4, 5, 6, 7, 8, 38, 61, 69, 2044, 2161, 2253};

const std::vector<std::string> kFirstNames = {"a", "b", "c", "d", "表", "ソ"};
// Typed names: the first ones, new ones, and changes of letter case alone.
const std::vector<std::string> kTyped = {"a", "b", "c", "d", "e", "表", "ソ", "x.y", "A", "B"};

class UndoModelTest : public ListTest {
  protected:
    enum class Kind { Rename, Restore, Undo };

    // A step of Varnel's, decided before it runs (in a child when it is to crash).
    struct Step {
        Kind kind = Kind::Rename;
        PassRecord record;
        // What the step may move, each with the path an undo gives it back.
        Places owned;
    };

    std::string Root() const { return mbcs::ToSlashForm(dir.Path()); }
    std::string Folder() const { return paths->IniFolder(); }
    std::string Short(const std::string& slash) const { return slash.substr(Root().size() + 1); }
    static std::string Program(const std::string& slash) {
        return mbcs::ReplaceAll(slash, '/', '\\');
    }
    // For the failure message: held text as the terminal shows it.
    static std::string Utf8(const std::string& held) {
        std::string utf8;
        return platform::HeldToUtf8(held, &utf8) ? utf8 : held;
    }
    static std::string Key(const PassRecord& r) {
        return std::string(1, static_cast<char>(r.kind)) + std::to_string(r.ended) +
               journal::EncodePlan(r.plan);
    }

    // Slash path -> contents of every file in the item folders.
    std::map<std::string, std::string> Disk() const {
        std::map<std::string, std::string> files;
        for (unsigned f = 0; f < folderCount; ++f) {
            const std::string folder = std::string(1, static_cast<char>('p' + f));
            for (const std::string& name : test_files::ListNames(dir.PathOf(folder))) {
                test_files::ReadFile(dir.PathOf(folder + "\\" + name),
                                     &files[Root() + "/" + folder + "/" + name]);
            }
        }
        return files;
    }

    bool Tracked(unsigned row) const {
        return where.count(rows[row]) != 0 && pinned.count(rows[row]) == 0;
    }

    void Begin(unsigned seed) {
        random.seed(seed);
        made = 0;
        folderCount = 1 + seed % 2;
        where.clear();
        pinned.clear();
        rows.clear();
        passItems.clear();
        passStep.clear();
        lingering.clear();
        log.clear();
        for (unsigned f = 0; f < folderCount; ++f) {
            dir.MakeFolder(std::string(1, static_cast<char>('p' + f)));
        }
        for (unsigned i = 0; i < 6; ++i) {
            const std::string folder(1, static_cast<char>('p' + i % folderCount));
            const std::string path = folder + "/" + kFirstNames[i] + ".txt";
            where["contents " + std::to_string(i)] = Root() + "/" + path;
            dir.MakeFile(Program(path), "contents " + std::to_string(i));
        }
        NewStart();
    }

    void End() {
        platform::faults::Clear();
        list = MakeList();
        for (const std::string& name : NamesBesidesIni()) {
            test_files::RemoveTree(dir.PathOf(name));
        }
        test_files::RemoveTree(dir.PathOf(history::kFileName));
        boxes::Reset();
    }

    // A new list of every file of ours, in a random order, as the user adds them after a start.
    void NewStart() {
        list = MakeList();
        rows.clear();
        std::vector<std::string> ours;
        for (const auto& file : where) {
            if (pinned.count(file.first) == 0) {
                ours.push_back(file.first);
            }
        }
        std::shuffle(ours.begin(), ours.end(), random);
        for (const std::string& contents : ours) {
            if (list->AddPath(Program(where[contents])) == 0) {
                rows.push_back(contents);
            }
        }
    }

    // What a start does with each journal left behind: the user is asked and says yes.
    void Recover() {
        for (const auto& left : OpenLeftJournals(Folder())) {
            std::vector<std::string> leftAlone;
            left->PutBack(&leftAlone);
        }
    }

    bool JournalsLeft() const {
        for (unsigned slot = 0; slot < journal::kSlots; ++slot) {
            if (dir.Has(journal::FileName(slot))) {
                return true;
            }
        }
        return false;
    }

    // Each pass in the history, the first time it is seen, as the files it moved.
    void NoteNewPasses(const Places& before) {
        std::map<std::string, std::string> at;  // path -> contents, before the step
        for (const auto& file : before) {
            at[file.second] = file.first;
        }
        for (const PassRecord& record : history::Load(Folder())) {
            const auto added = passItems.emplace(Key(record), Places());
            if (!added.second) {
                continue;
            }
            Places& items = added.first->second;
            passStep[Key(record)] = log.size();
            for (const PlannedMove& move : record.plan.aside) {
                if (at.count(move.from) != 0) {
                    items[at[move.from]] = move.from;
                }
            }
            for (const history::ItemPaths& item : history::ItemsOf(record.plan)) {
                if (at.count(item.before) != 0) {
                    items[at[item.before]] = item.before;
                }
            }
        }
    }

    // The checks after any step that ended; the model then follows the disk. Empty when all hold.
    std::string Check(const Places& owned, bool listAlive) {
        const std::map<std::string, std::string> now = Disk();
        std::map<std::string, std::vector<std::string>> found;
        for (const auto& file : now) {
            const std::string name = file.first.substr(file.first.rfind('/') + 1);
            if (IsTemporaryName(name)) {
                return "a file at a temporary name: " + Short(file.first);
            }
            found[file.second].push_back(file.first);
        }
        for (const auto& f : found) {
            if (where.count(f.first) == 0) {
                return "a file appeared: " + Short(f.second[0]) + " (" + f.first + ")";
            }
            if (f.second.size() > 1) {
                return "'" + f.first + "' is at " + Short(f.second[0]) + " and " +
                       Short(f.second[1]);
            }
        }
        for (auto& file : where) {
            if (found.count(file.first) == 0) {
                return "lost: '" + file.first + "', last at " + Short(file.second);
            }
            const std::string& at = found[file.first][0];
            if (at != file.second &&
                (pinned.count(file.first) != 0 || owned.count(file.first) == 0)) {
                return "moved, though not the step's: '" + file.first + "' from " +
                       Short(file.second) + " to " + Short(at);
            }
            file.second = at;
        }
        for (unsigned i = 0; listAlive && i < rows.size(); ++i) {
            const std::string row = list->At(i).Path(NameKind::Now).SlashPath();
            if (Tracked(i) && row != where[rows[i]]) {
                return "row " + std::to_string(i) + " points at " + Short(row) + ", its file '" +
                       rows[i] + "' is at " + Short(where[rows[i]]);
            }
        }
        return "";
    }

    // Another program at work between two steps.
    void OtherProgram() {
        std::vector<std::string> ours;
        std::vector<std::string> all;
        for (const auto& file : where) {
            all.push_back(file.first);
            if (pinned.count(file.first) == 0) {
                ours.push_back(file.first);
            }
        }
        const unsigned what = static_cast<unsigned>(random() % 3);
        if (what == 0 && !ours.empty()) {
            // Renamed to a name no step gives: from now on it is the other program's.
            const std::string contents = ours[random() % ours.size()];
            const std::string from = where[contents];
            const std::string to =
                from.substr(0, from.rfind('/') + 1) + "z" + std::to_string(++made) + ".txt";
            EXPECT_EQ(platform::MovePath(from, to), platform::MoveResult::Done);
            where[contents] = to;
            pinned.insert(contents);
            log.push_back("other: " + Short(from) + " renamed " + Short(to));
        } else if (what == 1 && !all.empty()) {
            const std::string contents = all[random() % all.size()];
            test_files::RemoveTree(Program(where[contents]));
            log.push_back("other: " + Short(where[contents]) + " deleted");
            where.erase(contents);
            pinned.erase(contents);
        } else {
            // A new file at an old name: a first name of a row or a name before a pass. Not
            // where a row points: a row is its path, and a pass moves what is there.
            std::set<std::string> taken;
            for (const auto& file : where) {
                taken.insert(platform::CaseFoldKey(file.second));
            }
            for (unsigned i = 0; i < list->Count(); ++i) {
                taken.insert(platform::CaseFoldKey(list->At(i).Path(NameKind::Now).SlashPath()));
            }
            std::vector<std::string> old;
            for (unsigned i = 0; i < list->Count(); ++i) {
                old.push_back(list->At(i).Path(NameKind::Old).SlashPath());
            }
            for (const PassRecord& record : history::Load(Folder())) {
                for (const history::ItemPaths& item : history::ItemsOf(record.plan)) {
                    old.push_back(item.before);
                }
            }
            std::vector<std::string> free;
            for (const std::string& path : old) {
                if (taken.count(platform::CaseFoldKey(path)) == 0) {
                    free.push_back(path);
                }
            }
            if (free.empty()) {
                log.push_back("other: no old name free");
                return;
            }
            const std::string path = free[random() % free.size()];
            const std::string contents = "the other's " + std::to_string(++made);
            test_files::WriteFile(Program(path), contents);
            where[contents] = path;
            pinned.insert(contents);
            log.push_back("other: made " + Short(path));
        }
    }

    // New names typed for the rows of each folder: their own names shuffled (swaps, rotations,
    // chains), some new ones, a change of letter case alone; now and then names from the pool
    // alone, two of them often alike, which the check refuses.
    void TypeNames(std::string* said) {
        std::map<std::string, std::vector<unsigned>> byFolder;
        for (unsigned i = 0; i < list->Count(); ++i) {
            byFolder[list->At(i).Path(NameKind::Now).Folder()].push_back(i);
        }
        const bool wild = random() % 6 == 0;
        for (const auto& folder : byFolder) {
            std::vector<std::string> names;
            std::set<std::string> taken;
            for (unsigned i : folder.second) {
                names.push_back(list->At(i).DisplayName(NameKind::Now));
                taken.insert(platform::CaseFoldKey(names.back()));
            }
            std::shuffle(names.begin(), names.end(), random);
            for (std::size_t k = 0; k < folder.second.size(); ++k) {
                RenameEntry& entry = list->At(folder.second[k]);
                const std::string own = entry.DisplayName(NameKind::Now);
                std::string name = names[k];
                const unsigned pick = static_cast<unsigned>(random() % 10);
                const std::string typed = kTyped[random() % kTyped.size()];
                if (wild || (pick < 2 && taken.insert(platform::CaseFoldKey(typed)).second)) {
                    name = typed;
                } else if (pick == 2 && names[k] == own && own.size() == 1 && own[0] >= 'a' &&
                           own[0] <= 'z') {
                    name = std::string(1, static_cast<char>(own[0] - 'a' + 'A'));
                }
                entry.SetEditName(name);
                *said += " " + Short(entry.Path(NameKind::Now).SlashPath()) + ">" + name;
            }
        }
    }

    Step Decide(std::string* said) {
        Step step;
        const unsigned pick = static_cast<unsigned>(random() % 100);
        step.kind = pick < 45 ? Kind::Rename : pick < 62 ? Kind::Restore : Kind::Undo;
        if (step.kind == Kind::Undo) {
            const std::vector<PassRecord> records = history::Load(Folder());
            std::vector<std::size_t> open;
            // The dialog offers only the passes not undone yet. A pass made again with the same
            // moves is the same pass to the history but for the second it ended in: which of the
            // two an undo marks would depend on the clock.
            for (std::size_t i = 0; i < records.size(); ++i) {
                bool again = false;
                for (std::size_t j = i + 1; j < records.size(); ++j) {
                    again = again || (records[j].kind == records[i].kind &&
                                      records[j].plan == records[i].plan);
                }
                if (!records[i].undone && !again) {
                    open.push_back(i);
                }
            }
            if (open.empty()) {
                step.kind = Kind::Restore;
            } else {
                const std::size_t chosen = open[random() % open.size()];
                step.record = records[chosen];
                step.owned = passItems[Key(step.record)];
                *said = "undo " + std::to_string(chosen + 1) + " of " +
                        std::to_string(records.size()) + " (the pass of step " +
                        std::to_string(passStep[Key(step.record)]) + ")";
                return step;
            }
        }
        // A restore with no row renamed has nothing to do.
        bool renamed = false;
        for (unsigned i = 0; i < list->Count(); ++i) {
            renamed = renamed || list->At(i).WasRenamed();
        }
        if (!renamed) {
            step.kind = Kind::Rename;
        }
        for (unsigned i = 0; i < list->Count(); ++i) {
            const std::string now = list->At(i).Path(NameKind::Now).SlashPath();
            for (const auto& file : where) {
                if (file.second == now) {
                    step.owned[file.first] = now;
                }
            }
        }
        if (step.kind == Kind::Rename) {
            *said = "rename";
            TypeNames(said);
        } else {
            *said = "restore";
        }
        return step;
    }

    // The step as Varnel makes it; *result is the pass's, or the UndoResult's number.
    void Run(const Step& step, int* result, history::Undone* undone) {
        switch (step.kind) {
            case Kind::Rename:
                *result = list->RenameAll();
                break;
            case Kind::Restore:
                *result = list->RestoreAll();
                break;
            case Kind::Undo:
                // As the history dialog does it.
                *result = static_cast<int>(history::Undo(Folder(), step.record, undone));
                list->FollowUndo(undone->back);
                break;
        }
    }

    std::string Finished(const Step& step, bool held) {
        const Places before = where;
        if (held) {
            // Held by another program: the move fails each time it is tried.
            const unsigned move = static_cast<unsigned>(random() % 6);
            platform::faults::FailMove(move, platform::MoveResult::AccessDenied,
                                       1 + move_retries::kMostRetries);
            log.back() += " (move " + std::to_string(move) + " held)";
        }
        int result = 0;
        history::Undone undone;
        Run(step, &result, &undone);
        platform::faults::Clear();
        boxes::Reset();
        NoteNewPasses(before);
        // A file held longer than the retries wait may have to stay at its temporary name: the
        // journal stays for it, and the next start, the file free by then, puts it back.
        if (held && JournalsLeft()) {
            log.back() += " (journal kept)";
            Recover();
            // The start puts back the journals left before too.
            Places owned = step.owned;
            owned.insert(lingering.begin(), lingering.end());
            const std::string problem = Check(owned, false);
            if (JournalsLeft()) {
                lingering.insert(step.owned.begin(), step.owned.end());
            } else {
                lingering.clear();
            }
            NewStart();
            return problem;
        }
        const std::string problem = Check(step.owned, true);
        if (!problem.empty()) {
            return problem;
        }
        for (unsigned i = 0; result == 0 && i < list->Count(); ++i) {
            const RenameEntry& e = list->At(i);
            if ((step.kind == Kind::Rename && e.NeedsRename()) ||
                (step.kind == Kind::Restore && e.WasRenamed())) {
                return "the pass said done, yet row " + std::to_string(i) + " is at " +
                       Short(e.Path(NameKind::Now).SlashPath());
            }
        }
        if (step.kind != Kind::Undo) {
            return "";
        }
        const auto answer = static_cast<history::UndoResult>(result);
        std::vector<std::string> moved;
        for (const auto& file : where) {
            if (before.count(file.first) != 0 && before.at(file.first) != file.second) {
                moved.push_back(file.first);
            }
        }
        if (answer != history::UndoResult::Done) {
            if (!moved.empty() || !undone.back.empty()) {
                return "an undo that did not run moved " + std::to_string(moved.size()) +
                       " and told " + std::to_string(undone.back.size());
            }
            return "";
        }
        undoneMoves += static_cast<unsigned>(moved.size());
        if (undone.back.size() != moved.size()) {
            return "the undo told " + std::to_string(undone.back.size()) + " back, " +
                   std::to_string(moved.size()) + " moved";
        }
        for (const history::ItemPaths& item : undone.back) {
            std::string contents;
            for (const auto& file : before) {
                contents = file.second == item.after ? file.first : contents;
            }
            if (contents.empty() || where[contents] != item.before) {
                return "the undo told " + Short(item.after) + " back to " + Short(item.before) +
                       ", which it is not";
            }
        }
        return "";
    }

    // The step in a child that the faults end at a random operation, then the next start.
    std::string Crashed(const Step& step) {
        const Places before = where;
        const unsigned at = static_cast<unsigned>(random() % 16);
        const pid_t child = fork();
        if (child == 0) {
            platform::faults::CrashAt(at);
            int result = 0;
            history::Undone undone;
            Run(step, &result, &undone);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (code != 0 && code != platform::faults::kCrashCode) {
            return "the child ended with " + std::to_string(code);
        }
        const bool cut = code == platform::faults::kCrashCode;
        log.back() += cut ? " (cut at " + std::to_string(at) + ")" : " (ran to its end)";
        crashes += cut ? 1 : 0;
        Recover();
        NoteNewPasses(before);
        Places owned = step.owned;
        owned.insert(lingering.begin(), lingering.end());
        const std::string problem = Check(owned, false);
        if (!problem.empty()) {
            return problem;
        }
        for (const auto& file : where) {
            const std::string& contents = file.first;
            if (lingering.count(contents) != 0 || before.count(contents) == 0 ||
                before.at(contents) == file.second) {
                continue;
            }
            // A pass cut short is put back whole; an undo cut short is finished.
            if (cut && step.kind != Kind::Undo) {
                return "a pass cut short was not put back: '" + contents + "' at " +
                       Short(file.second) + ", was at " + Short(before.at(contents));
            }
            if (step.kind == Kind::Undo && file.second != step.owned.at(contents)) {
                return "after an undo cut short '" + contents + "' is at " + Short(file.second) +
                       ", neither where it was nor its name before the pass";
            }
        }
        if (JournalsLeft()) {
            lingering.insert(step.owned.begin(), step.owned.end());
        } else {
            lingering.clear();
        }
        NewStart();
        return "";
    }

    std::string Road(unsigned steps) {
        for (unsigned n = 0; n < steps; ++n) {
            if (random() % 100 < 15) {
                OtherProgram();
                ++outside;
                continue;
            }
            std::string said;
            const Step step = Decide(&said);
            log.push_back(said);
            const unsigned fault = static_cast<unsigned>(random() % 10);
            const std::string problem = fault < 2 ? Crashed(step) : Finished(step, fault == 2);
            if (!problem.empty()) {
                return problem;
            }
        }
        return "";
    }

    std::mt19937 random;
    unsigned folderCount = 1;
    Places where;     // the model: where each file's contents are
    Contents pinned;  // the other program's files, and ours it renamed: no step moves them
    std::vector<std::string> rows;                // each row's file, by its contents
    std::map<std::string, Places> passItems;      // by pass: its files, each with its name before
    std::map<std::string, std::size_t> passStep;  // by pass: the step that made it
    Places lingering;                             // the files of journals a start left behind
    std::vector<std::string> log;
    unsigned made = 0;
    unsigned undoneMoves = 0;
    unsigned crashes = 0;
    unsigned outside = 0;
};

// VARNEL_UNDO_SEEDS=2000-2399 walks a wider run instead, to look for new roads.
std::vector<unsigned> Seeds() {
    const char* range = std::getenv("VARNEL_UNDO_SEEDS");
    unsigned first = 0, last = 0;
    if (range == nullptr) {
        return std::vector<unsigned>(std::begin(kSeeds), std::end(kSeeds));
    }
    if (std::sscanf(range, "%u-%u", &first, &last) != 2 || last < first) {
        ADD_FAILURE() << "VARNEL_UNDO_SEEDS is not a range such as 2000-2399: " << range;
        return {};
    }
    std::vector<unsigned> seeds;
    for (unsigned seed = first; seed <= last; ++seed) {
        seeds.push_back(seed);
    }
    return seeds;
}

TEST_F(UndoModelTest, AnyRoadLosesNoFileLeavesNoTemporaryNameAndMovesOnlyWhatEachStepOwns) {
    unsigned failed = 0;
    for (const unsigned seed : Seeds()) {
        Begin(seed);
        const std::string problem = Road(30);
        if (!problem.empty()) {
            ++failed;
            std::string text = "seed " + std::to_string(seed) + ", after step " +
                               std::to_string(log.size()) + ": " + problem + "\n";
            for (std::size_t i = 0; i < log.size(); ++i) {
                text += "  " + std::to_string(i + 1) + ". " + log[i] + "\n";
            }
            text += "on disk:";
            for (const auto& file : Disk()) {
                text += " " + Short(file.first) + "='" + file.second + "'";
            }
            ADD_FAILURE() << Utf8(text);
        }
        End();
    }
    // The roads must have gone where the faults are to mean anything.
    if (failed == 0) {
        EXPECT_GT(undoneMoves, 10u);
        EXPECT_GT(crashes, 10u);
        EXPECT_GT(outside, 10u);
    }
}

}  // namespace

#endif
