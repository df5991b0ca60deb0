// The rename pass: a check over the whole list that refuses names that cannot be made, duplicate
// targets and occupied targets, and decides which entries stand in the way; only when nothing is
// refused are those moved to temporary names, then each entry is renamed in list order.

#include <algorithm>
#include <ctime>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/history.h"
#include "core/mbcs.h"
#include "core/move_chains.h"
#include "core/move_problems.h"
#include "core/move_retries.h"
#include "core/pass_journal.h"
#include "core/place_index.h"
#include "core/rename_list.h"
#include "core/target_check.h"
#include "core/temporary_names.h"
#include "core/texts.h"
#include "core/window_port.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/text.h"

int RenameList::CheckPass(NameKind targetKind, std::vector<unsigned>* inTheWay,
                          PlaceIndex* onDisk) const {
    WindowHandle owner = window_port::Owner();
    std::vector<const PathName*> targets;
    targets.reserve(Count());
    for (unsigned i = 0; i < Count(); ++i) {
        targets.push_back(&At(i).Path(targetKind));
    }
    const TargetProblem problem = CheckTargets(*this, targets, false, inTheWay, onDisk);
    if (problem.kind == TargetProblem::Kind::None) {
        return 0;
    }
    // A place held outside the list is the one problem the pass words itself.
    if (!ShowNameProblem(owner, problem, targets, texts::kTitleBadNameError, kMbIconError)) {
        const unsigned i = problem.entry;
        ShowMessageBox(owner,
                       texts::Fill(texts::kPassOccupied, {At(i).Path(NameKind::Now).SlashPath(),
                                                          targets[i]->SlashPath()}),
                       texts::kTitleBadNameFatal, kMbIconError);
    }
    return 1;
}

namespace {

// Room for the plan of every entry whose target differs, made at once.
void ReservePlan(const RenameList& list, const std::vector<unsigned>& inTheWay, NameKind targetKind,
                 journal::PlanRecord* plan) {
    const auto sizeOf = [](const PathName& path) {
        return path.Folder().size() + 1 + path.FileName().size();
    };
    std::size_t moves = inTheWay.size();
    std::size_t pathBytes = 0;
    for (unsigned index : inTheWay) {
        // From, and a temporary name of about the same size.
        pathBytes += 2 * sizeOf(list.At(index).Path(NameKind::Now)) + 16;
    }
    for (unsigned i = 0; i < list.Count(); ++i) {
        const RenameEntry& entry = list.At(i);
        if (!entry.Path(targetKind).SameAs(entry.Path(NameKind::Now))) {
            ++moves;
            pathBytes += sizeOf(entry.Path(NameKind::Now)) + sizeOf(entry.Path(targetKind));
        }
    }
    plan->Reserve(moves, pathBytes);
}

}  // namespace

// What a pass will do, decided before anything moves: the entries in the way with the temporary
// names they go to, the temporary name of each change of letter case alone, and all of it as the
// journal's plan, made as the steps are decided (the pass holds its plan once, as those bytes).
struct RenameList::PassSteps {
    std::vector<unsigned> inTheWay;
    std::vector<PathName> before;                    // the current path of each entry in the way
    std::vector<PathName> aside;                     // the temporary name of each entry in the way
    std::unordered_map<unsigned, PathName> detours;  // by entry, for a change of case alone
    std::vector<bool> moves;                         // by entry: whether the plan renames it
    NameKind targetKind = NameKind::Edit;
    journal::PlanRecord plan;
};

int RenameList::PlanPass(NameKind targetKind, PassSteps* steps) const {
    steps->targetKind = targetKind;
    // No temporary name may be one that an entry is about to take.
    TemporaryNames temporaries;
    for (unsigned i = 0; i < Count(); ++i) {
        temporaries.Keep(At(i).Path(targetKind));
    }
    // Each folder is read once, for the check and the temporary names alike.
    PlaceIndex onDisk(true);
    if (CheckPass(targetKind, &steps->inTheWay, &onDisk) != 0) {
        return 1;
    }
    const unsigned n = Count();
    // Each moving item as the volume knows it, so that a recovery never takes another for it.
    // An item in the way is asked for twice (its move aside and its rename): kept between.
    std::unordered_map<unsigned, std::string> asideIdentity;
    const auto identityOf = [&](unsigned i) {
        const auto kept = asideIdentity.find(i);
        return kept != asideIdentity.end() ? kept->second
                                           : onDisk.Identity(At(i).Path(NameKind::Now).SlashPath());
    };
    // One look at each moving item, which takes a while on some systems: shown as it goes.
    const unsigned looks = static_cast<unsigned>(steps->inTheWay.size()) + n;
    ReservePlan(*this, steps->inTheWay, targetKind, &steps->plan);
    steps->aside.resize(steps->inTheWay.size());
    for (std::size_t k = 0; k < steps->inTheWay.size(); ++k) {
        window_port::ShowProgress(Work::Preparing, static_cast<unsigned>(k + 1), looks);
        const unsigned index = steps->inTheWay[k];
        const PathName& now = At(index).Path(NameKind::Now);
        if (!temporaries.Choose(now.Folder(), &steps->aside[k], &onDisk)) {
            ShowNoTemporaryName();
            return 1;
        }
        steps->before.push_back(now);
        const std::string identity = identityOf(index);
        asideIdentity.emplace(index, identity);
        steps->plan.Aside(now.SlashPath(), steps->aside[k].SlashPath(), identity);
    }
    // Where each entry is when the second stage begins.
    std::unordered_map<unsigned, const PathName*> asideOf;
    for (std::size_t k = 0; k < steps->inTheWay.size(); ++k) {
        asideOf.emplace(steps->inTheWay[k], &steps->aside[k]);
    }
    steps->moves.assign(n, false);
    for (unsigned i = 0; i < n; ++i) {
        window_port::ShowProgress(Work::Preparing,
                                  static_cast<unsigned>(steps->inTheWay.size()) + i + 1, looks);
        const auto wentAside = asideOf.find(i);
        const PathName& source =
            wentAside != asideOf.end() ? *wentAside->second : At(i).Path(NameKind::Now);
        const PathName& target = At(i).Path(targetKind);
        const std::string from = source.SlashPath();
        const std::string to = target.SlashPath();
        if (from == to) {
            continue;
        }
        std::string detour;
        if (IsCaseChangeOnly(source, target)) {
            PathName& chosen = steps->detours[i];
            if (!temporaries.Choose(target.Folder(), &chosen, &onDisk)) {
                ShowNoTemporaryName();
                return 1;
            }
            detour = chosen.SlashPath();
        }
        steps->moves[i] = true;
        steps->plan.Rename(from, to, detour, identityOf(i));
    }
    return 0;
}

// The progress runs once over both stages: the moves aside, then every entry.
unsigned RenameList::PassLength(const PassSteps& steps) const {
    return static_cast<unsigned>(steps.inTheWay.size()) + Count();
}

int RenameList::MoveAside(const PassSteps& steps, Work work, bool* allBack) {
    for (std::size_t k = 0; k < steps.inTheWay.size(); ++k) {
        window_port::ShowProgress(work, static_cast<unsigned>(k + 1), PassLength(steps));
        RenameEntry& entry = At(steps.inTheWay[k]);
        MoveProblem why = MoveProblem::None;
        if (entry.RenameToTemporary(steps.aside[k], entry.Path(steps.targetKind), &why) != 0) {
            // Said before the others go back: a rotation stops whole, and the user is told that
            // none of its files was renamed, not only the one that could not move.
            ShowMoveFailure(window_port::Owner(),
                            {entry.Path(NameKind::Now).FullPath(),
                             entry.Path(steps.targetKind).FileName(), why},
                            texts::kPassStoppedBeforeRenaming);
            *allBack = PutAsideBack(steps, k);
            return 1;
        }
    }
    return 0;
}

// Nothing has taken the freed places yet: putting the first `count` moved entries back leaves
// every file where it was before the pass. False when one of them is still at its temporary name.
bool RenameList::PutAsideBack(const PassSteps& steps, std::size_t count) {
    bool allBack = true;
    for (std::size_t k = count; k-- > 0;) {
        if (At(steps.inTheWay[k]).RenameTo(steps.before[k]) == 1) {
            allBack = false;
        }
    }
    return allBack;
}

int RenameList::PrepareRename(NameKind targetKind) {
    PassSteps steps;
    if (PlanPass(targetKind, &steps) != 0) {
        return 1;
    }
    bool allBack = true;
    return MoveAside(steps, targetKind == NameKind::Old ? Work::Restoring : Work::Renaming,
                     &allBack);
}

// The journal goes beside the INI file. When it cannot be made there, the user decides whether
// to go on without one.
bool RenameList::StartJournal(const std::string* planRecord, PassJournal* journal) {
    if (journalFolder.empty()) {
        return true;
    }
    const std::string& folder = journalFolder;
    if (journal->Begin(folder, *planRecord)) {
        return true;
    }
    return ShowMessageBox(window_port::Owner(),
                          texts::Fill(texts::kJournalCannotWrite,
                                      {mbcs::ReplaceAll(
                                          platform::ShownForm(folder + "/" + journal::FileName(0)),
                                          '/', '\\')}),
                          texts::kTitleRename, kMbYesNo | kMbIconExclamation) == kIdYes;
}

// A move the second stage could not make: the entry, and why.
struct RenameList::FailedEntry {
    unsigned entry;
    MoveProblem why;
};

int RenameList::RunPass(NameKind targetKind) {
    if (passRunning) {
        return 1;
    }
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(passRunning);
    // Current paths change from here on.
    listedStale = true;
    move_retries::Begin();

    PassSteps steps;
    if (PlanPass(targetKind, &steps) != 0) {
        return 1;
    }
    if (steps.plan.Empty()) {
        return 0;
    }
    const std::string plan = steps.plan.Finish();
    const Work work = targetKind == NameKind::Old ? Work::Restoring : Work::Renaming;
    PassJournal journal;
    if (!StartJournal(&plan, &journal)) {
        return 1;
    }
    // An entry that could not be put back still has its temporary name: the journal stays, so
    // that the next start offers to put it back even if this run ends first.
    bool allBack = true;
    if (MoveAside(steps, work, &allBack) != 0) {
        if (allBack) {
            journal.End();
        }
        return 1;
    }
    // The mark must be on disk before the second stage: without it, a recovery takes the first
    // stage as unfinished and its targets as none of the pass's.
    if (journal.IsOpen() && !journal.SecondStage()) {
        if (PutAsideBack(steps, steps.inTheWay.size())) {
            journal.End();
        }
        ShowMessageBox(window_port::Owner(), texts::kJournalSecondStageFailed,
                       texts::kTitleRenameError, kMbIconError);
        return 1;
    }
    // A failed move does not stop the others; all of them are told in one report at the end.
    std::vector<FailedEntry> failed;
    std::vector<bool> madeMoves;  // of the plan's renames, in order
    unsigned made = 0;
    const unsigned aside = static_cast<unsigned>(steps.inTheWay.size());
    for (unsigned i = 0; i < Count(); ++i) {
        window_port::ShowProgress(work, aside + i + 1, PassLength(steps));
        RenameEntry& entry = At(i);
        MoveProblem why = MoveProblem::None;
        const auto detour = steps.detours.find(i);
        int r = entry.RenameTo(entry.Path(targetKind),
                               detour != steps.detours.end() ? &detour->second : nullptr, &why);
        if (steps.moves[i]) {
            madeMoves.push_back(r == 0);
        }
        if (r == 0) {
            ++made;
            window_port::WriteRow(i);
        } else if (r == 1) {
            failed.push_back({i, why});
        }
    }
    // While a file is still at a temporary name the journal stays: the next start puts it back.
    if (!PutBackStuckChains(steps, plan, &failed, &madeMoves, &made)) {
        journal.End();
    }
    // Kept for the history, so that the batch can be undone after a restart too.
    if (!journalFolder.empty() && made > 0) {
        KeepInHistory(targetKind == NameKind::Old ? PassKind::Restore : PassKind::Rename, plan,
                      madeMoves);
    }
    std::vector<FailedMove> told;
    for (const FailedEntry& one : failed) {
        const RenameEntry& entry = At(one.entry);
        told.push_back(
            {entry.Path(NameKind::Now).FullPath(), entry.Path(targetKind).FileName(), one.why});
    }
    ShowPassReport(window_port::Owner(), made, told, move_retries::Retried());
    return failed.empty() ? 0 : 1;
}

// A file whose move on from its temporary name failed (another program held it longer than the
// retries wait) is not left there: its rotation or chain goes back to the names it had before
// the pass, and those that had moved are told as not renamed. True when a file is still at a
// temporary name all the same.
bool RenameList::PutBackStuckChains(const PassSteps& steps, const std::string& plan,
                                    std::vector<FailedEntry>* failed, std::vector<bool>* madeMoves,
                                    unsigned* made) {
    if (failed->empty()) {
        return false;
    }
    // The entries the plan renames, in its order, each with where it was before the pass.
    std::vector<unsigned> renamed;
    for (unsigned i = 0; i < Count(); ++i) {
        if (steps.moves[i]) {
            renamed.push_back(i);
        }
    }
    const PassPlan decoded = journal::Decode(journal::EncodeHeader() + plan).plan;
    std::unordered_map<std::string, std::string> asideFrom;
    for (const PlannedMove& aside : decoded.aside) {
        asideFrom.emplace(aside.to, aside.from);
    }
    std::vector<move_chains::Place> places(renamed.size());
    for (std::size_t k = 0; k < renamed.size() && k < decoded.renames.size(); ++k) {
        const PlannedMove& move = decoded.renames[k];
        const auto aside = asideFrom.find(move.from);
        const bool wentAside = aside != asideFrom.end();
        places[k] = {move.to, wentAside ? aside->second : move.from,
                     At(renamed[k]).Path(NameKind::Now).SlashPath(),
                     wentAside ? move.from : std::string(), move.detour};
    }
    const std::vector<bool> chain = move_chains::StuckChains(places);
    if (std::find(chain.begin(), chain.end(), true) == chain.end()) {
        return false;
    }
    move_chains::PutBack(chain, &places);
    bool leftAside = false;
    for (std::size_t k = 0; k < places.size(); ++k) {
        RenameEntry& entry = At(renamed[k]);
        if (chain[k] && places[k].now != entry.Path(NameKind::Now).SlashPath()) {
            entry.FollowMove(mbcs::ReplaceAll(places[k].now, '/', '\\'));
            window_port::WriteRow(renamed[k]);
            if ((*madeMoves)[k]) {
                (*madeMoves)[k] = false;
                --*made;
                failed->push_back({renamed[k], MoveProblem::WithAnother});
            }
        }
        leftAside = leftAside || places[k].AtOwnTemporary();
    }
    return leftAside;
}

// Only the moves made: an undo must not name a failed one as left alone, nor as put back.
void RenameList::KeepInHistory(PassKind kind, const std::string& plan,
                               const std::vector<bool>& madeMoves) const {
    const auto ended = static_cast<std::int64_t>(std::time(nullptr));
    if (std::find(madeMoves.begin(), madeMoves.end(), false) == madeMoves.end()) {
        history::Add(journalFolder, kind, false, ended, plan);
        return;
    }
    PassRecord record{kind, false, ended, journal::Decode(journal::EncodeHeader() + plan).plan};
    // An entry whose rename was not made went aside and back, or never moved: its move aside
    // goes too, or the history would count it.
    std::vector<PlannedMove> renames;
    std::unordered_set<std::string> notMade;
    for (std::size_t k = 0; k < record.plan.renames.size(); ++k) {
        if (madeMoves[k]) {
            renames.push_back(std::move(record.plan.renames[k]));
        } else {
            notMade.insert(record.plan.renames[k].from);
        }
    }
    record.plan.renames = std::move(renames);
    std::vector<PlannedMove> aside;
    for (PlannedMove& move : record.plan.aside) {
        if (notMade.count(move.to) == 0) {
            aside.push_back(std::move(move));
        }
    }
    record.plan.aside = std::move(aside);
    history::Add(journalFolder, record);
}

void RenameList::FollowUndo(const std::vector<history::ItemPaths>& back) {
    std::unordered_map<std::string, std::string> before;
    for (const history::ItemPaths& item : back) {
        before[item.after] = item.before;
    }
    for (unsigned i = 0; i < Count(); ++i) {
        const auto found = before.find(At(i).Path(NameKind::Now).SlashPath());
        if (found != before.end()) {
            At(i).FollowMove(mbcs::ReplaceAll(found->second, '/', '\\'));
            window_port::WriteRow(i);
        }
    }
    listedStale = true;
}

int RenameList::RenameAll() {
    return RunPass(NameKind::Edit);
}

int RenameList::RestoreAll() {
    return RunPass(NameKind::Old);
}
