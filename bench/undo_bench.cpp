// The undo of a pass from the history and the start's recovery of a pass cut short, each beside
// the pass itself over the same files, natively and (the same code built for Windows) under Wine.
// Usage: undo_bench [LABEL=]FOLDER [--per-folder=K] [--rounds=R] [--kept=P] N...
//
// Each is timed as the user waits for it:
// - pass: RenameAll (the check, the plan, the journal, the moves, the history's entry);
// - undo: what the history dialog does: the history loaded and summed up for its list, then
//   history::Undo of the pass and the list following it;
// - recovery: what the start does for a journal left behind: every slot opened, Review and the
//   question's lines, then PutBack. The pass is cut short by making its moves from its own plan
//   (the history's copy of it) under its journal, which is then left without its end, as a crash
//   leaves it: halfway through the renames ("half"), or after the last move ("end").
// Three batches: every name new (one move each), each folder's names rotated (every file goes
// aside first: two moves each), and the letter case of every name changed (each with a detour
// where the system takes the change as done and changes nothing). Each figure is the median of the
// rounds. Each round's history holds only its own pass, or with --kept=P that pass after P - 1
// older ones of the same size (the history keeps 20 at most): the pass and the undo read and write
// all of it.

#include <stdio.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "bench/bench_support.h"
#include "core/history.h"
#include "core/journal_recovery.h"
#include "core/mbcs.h"
#include "core/pass_journal.h"
#include "core/rename_list.h"
#include "core/texts.h"
#include "core/window_port.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace {

unsigned perFolder = 1000;
// Passes the history holds before each round's own (--kept=P: P - 1 of them).
unsigned earlierPasses = 0;

std::string Sub(unsigned i) {
    char name[16];
    snprintf(name, sizeof name, "d%04u", i / perFolder);
    return name;
}

std::string Stem(char letter, unsigned i) {
    char name[16];
    snprintf(name, sizeof name, "%c%07u", letter, i);
    return name;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// As the start's question shows a path and a name.
std::string Shown(const std::string& slashPath) {
    return mbcs::ReplaceAll(platform::ShownForm(slashPath), '/', '\\');
}

std::string NameOf(const std::string& slashPath) {
    return platform::ShownForm(slashPath.substr(slashPath.rfind('/') + 1));
}

// The moves of the plan up to the cut, under its journal, which is left behind.
bool CutShort(const std::string& folder, const PassPlan& plan, std::size_t renames) {
    PassJournal journal;
    if (!journal.Begin(folder, plan)) {
        return false;
    }
    for (const PlannedMove& move : plan.aside) {
        if (platform::MovePath(move.from, move.to) != platform::MoveResult::Done) {
            return false;
        }
    }
    if (!journal.SecondStage()) {
        return false;
    }
    for (std::size_t k = 0; k < renames; ++k) {
        const PlannedMove& move = plan.renames[k];
        if (platform::MovePath(move.from, move.to) != platform::MoveResult::Done) {
            return false;
        }
        // As the pass does where a change of letter case alone changed nothing.
        const std::string name = move.to.substr(move.to.rfind('/') + 1);
        if (!move.detour.empty() && platform::NameOnDisk(move.to) != platform::StoredForm(name) &&
            (platform::MovePath(move.from, move.detour) != platform::MoveResult::Done ||
             platform::MovePath(move.detour, move.to) != platform::MoveResult::Done)) {
            return false;
        }
    }
    return true;  // no End: the journal stays
}

// What the start does with every journal left in the folder, the user answering Yes. True when
// every item is back.
bool Recover(const std::string& folder, std::size_t* lines) {
    bool allBack = true;
    for (const auto& journal : OpenLeftJournals(folder)) {
        LeftJournal& left = *journal;
        std::vector<std::string> moving;
        for (const journal::ItemState& item : journal::Review(left.What())) {
            if (item.where == journal::ItemState::Where::Moved) {
                moving.push_back(texts::Fill(texts::kInterruptedMoving,
                                             {Shown(item.firstPath), NameOf(item.now)}));
            } else if (item.where != journal::ItemState::Where::Back) {
                allBack = false;
            }
        }
        *lines += moving.size();
        std::vector<std::string> leftAlone;
        allBack = left.PutBack(&leftAlone,
                               [](unsigned done, unsigned total) {
                                   window_port::ShowProgress(Work::Recovering, done, total);
                               }) &&
                  leftAlone.empty() && allBack;
    }
    return allBack;
}

// What the history dialog does for an undo of its newest pass. The number of items moved back,
// or -1 when the undo was refused or left one alone.
long Undo(const std::string& folder, RenameList* list) {
    const std::vector<PassRecord> records = history::Load(folder);
    if (records.empty()) {
        return -1;
    }
    // The dialog's list: a line for each pass kept.
    for (const PassRecord& record : records) {
        if (history::SummaryOf(record).count.empty()) {
            return -1;
        }
    }
    history::Undone undone;
    if (history::Undo(folder, records.back(), &undone) != history::UndoResult::Done ||
        !undone.leftAlone.empty()) {
        return -1;
    }
    list->FollowUndo(undone.back);
    list->UpdateCommandStates();
    list->HasRenamed();
    return static_cast<long>(undone.back.size());
}

struct Row {
    std::vector<double> pass, undo, half, end;
};

// The history as each round finds it: no earlier round's pass, so that every round times the
// same, but `earlierPasses` older copies of an earlier plan of this batch, when there is one.
bool FreshHistory(const std::string& folder, const PassPlan* earlier) {
    const std::string path = folder + "/" + history::kFileName;
    std::error_code error;
    std::filesystem::remove(path, error);
    if (earlierPasses == 0 || earlier == nullptr) {
        return true;
    }
    std::vector<PassRecord> records(earlierPasses);
    for (unsigned k = 0; k < earlierPasses; ++k) {
        records[k].ended = 1 + k;
        records[k].plan = *earlier;
    }
    const std::string bytes = history::Encode(records);
    FILE* f = fopen(path.c_str(), "wb");
    const bool written = f && fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return f && fclose(f) == 0 && written;
}

bool Round(const std::string& folder, RenameList* list, unsigned n, PassPlan* earlier, Row* row) {
    if (!FreshHistory(folder, earlier->renames.empty() ? nullptr : earlier)) {
        fprintf(stderr, "cannot write the history\n");
        return false;
    }
    int result = 0;
    row->pass.push_back(bench::Time([&] { result = list->RenameAll(); }));
    const std::vector<PassRecord> records = history::Load(folder);
    if (result != 0 || records.empty() || records.back().plan.renames.size() != n) {
        fprintf(stderr, "the pass failed\n");
        return false;
    }
    const PassPlan plan = records.back().plan;
    *earlier = plan;
    long back = 0;
    row->undo.push_back(bench::Time([&] { back = Undo(folder, list); }));
    if (back != static_cast<long>(n)) {
        fprintf(stderr, "the undo moved %ld of %u back\n", back, n);
        return false;
    }
    for (std::size_t cut : {plan.renames.size() / 2, plan.renames.size()}) {
        if (!CutShort(folder, plan, cut)) {
            fprintf(stderr, "the pass could not be cut short\n");
            return false;
        }
        bool allBack = false;
        std::size_t lines = 0;
        (cut == plan.renames.size() ? row->end : row->half).push_back(bench::Time([&] {
            allBack = Recover(folder, &lines);
        }));
        // Every item that went aside is away from its name, renamed or not.
        const std::size_t away = plan.aside.empty() ? cut : plan.aside.size();
        if (!allBack || lines != away) {
            fprintf(stderr, "the recovery left items alone (%zu shown)\n", lines);
            return false;
        }
    }
    return true;
}

bool Run(const std::string& label, const std::string& parent, unsigned n, unsigned rounds) {
    const std::string folder = bench::FreshFolder(parent, "varnel-undo-bench");
    for (unsigned i = 0; i < n; ++i) {
        const std::string sub = folder + "/" + Sub(i);
        if (i % perFolder == 0) {
            std::error_code error;
            std::filesystem::create_directory(sub, error);
        }
        bench::MakeEmptyFile(sub + "/" + Stem('f', i) + ".dat");
    }
    bool ok = true;
    {
        RenameList list([] { return ListRules(); });
        list.SetJournalFolder(folder);
        const std::string programFolder = bench::ProgramForm(folder);
        std::string dropped;
        for (unsigned i = 0; i < n; ++i) {
            dropped += programFolder + "\\" + Sub(i) + "\\" + Stem('f', i) + ".dat" + '\0';
        }
        list.AddPaths(dropped);
        ok = list.Count() == n;
        if (!ok) {
            printf("%-6s %6u: only %u of the files were added\n", label.c_str(), n, list.Count());
        }
        const char* batches[] = {"new names", "rotation", "case"};
        for (int batch = 0; ok && batch < 3; ++batch) {
            for (unsigned i = 0; i < n; ++i) {
                // The rotation stays in each folder: every file takes its neighbour's name.
                const unsigned first = i / perFolder * perFolder;
                const unsigned count = std::min(perFolder, n - first);
                list.At(i).SetEditName(batch == 0   ? Stem('r', i)
                                       : batch == 1 ? Stem('f', first + (i - first + 1) % count)
                                                    : Stem('F', i));
            }
            Row row;
            PassPlan earlier;
            // With earlier passes asked for, an untimed round first makes their plan.
            for (unsigned r = earlierPasses == 0 ? 1 : 0; ok && r <= rounds; ++r) {
                Row warm;
                ok = Round(folder, &list, n, &earlier, r == 0 ? &warm : &row);
            }
            if (!ok) {
                printf("%-6s %-9s %6u failed\n", label.c_str(), batches[batch], n);
                break;
            }
            const double pass = Median(row.pass);
            printf("%-6s %-9s %6u %5u | %8.3f %8.3f %8.3f %8.3f | %6.2f %6.2f %6.2f\n",
                   label.c_str(), batches[batch], n, (n + perFolder - 1) / perFolder, pass,
                   Median(row.undo), Median(row.half), Median(row.end), Median(row.undo) / pass,
                   Median(row.half) / pass, Median(row.end) / pass);
            fflush(stdout);
        }
    }
    bench::RemoveFolder(folder);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    std::string label, parent;
    unsigned rounds = 3;
    std::vector<unsigned> sizes;
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if (arg.rfind("--per-folder=", 0) == 0) {
            perFolder = static_cast<unsigned>(atoi(arg.c_str() + 13));
        } else if (arg.rfind("--kept=", 0) == 0) {
            earlierPasses = static_cast<unsigned>(std::max(1, atoi(arg.c_str() + 7))) - 1;
        } else if (arg.rfind("--rounds=", 0) == 0) {
            rounds = static_cast<unsigned>(atoi(arg.c_str() + 9));
        } else if (parent.empty()) {
            // LABEL=FOLDER names the folder in the table.
            const std::size_t eq = arg.find('=');
            label = eq == std::string::npos ? arg : arg.substr(0, eq);
            parent = bench::LocalFolder(eq == std::string::npos ? arg : arg.substr(eq + 1));
        } else {
            sizes.push_back(static_cast<unsigned>(atoi(arg.c_str())));
        }
    }
    if (parent.empty() || sizes.empty() || perFolder == 0 || rounds == 0) {
        fprintf(stderr,
                "usage: undo_bench [LABEL=]FOLDER [--per-folder=K] [--rounds=R] [--kept=P] N...\n");
        return 2;
    }
    printf("%-6s %-9s %6s %5s | %8s %8s %8s %8s | %6s %6s %6s\n", "folder", "batch", "files",
           "dirs", "pass", "undo", "rec half", "rec end", "undo x", "half x", "end x");
    bool ok = true;
    for (unsigned n : sizes) {
        ok = Run(label, parent, n, rounds) && ok;
    }
    printf(
        "(seconds, median of %u; x = the ratio to the pass; passes in the history at the undo: "
        "%u; messages shown: %u)\n",
        rounds, earlierPasses + 1, bench::Messages());
    return ok && bench::Messages() == 0 ? 0 : 1;
}
