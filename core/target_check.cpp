#include "core/target_check.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "core/name_rules.h"
#include "core/place_index.h"
#include "core/rename_list.h"
#include "core/texts.h"
#include "core/window_port.h"
#include "platform/file_system.h"
#include "platform/key_hash.h"
#include "platform/message_box.h"

namespace {

std::string NumberedLine(unsigned position, const std::string& name) {
    return texts::Fill(texts::kNumberedLine, {std::to_string(position), name});
}

std::string NameProblemText(const TargetProblem& problem,
                            const std::vector<const PathName*>& targets) {
    const unsigned i = problem.entry;
    switch (problem.kind) {
        case TargetProblem::Kind::CannotBeMade:
            return texts::Fill(texts::kNameCannotBeMade,
                               {NumberedLine(i + 1, targets[i]->FileName()), problem.reason});
        case TargetProblem::Kind::Duplicate:
            return texts::Fill(
                texts::kNamesDuplicate,
                {NumberedLine(i + 1, targets[i]->FileName()),
                 NumberedLine(problem.other + 1, targets[problem.other]->FileName())});
        case TargetProblem::Kind::SameFile:
            return texts::Fill(texts::kSameFileTwice, {problem.file, std::to_string(i + 1),
                                                       std::to_string(problem.other + 1)});
        case TargetProblem::Kind::None:
        case TargetProblem::Kind::Occupied:
            break;
    }
    return std::string();
}

}  // namespace

bool ShowNameProblem(WindowHandle owner, const TargetProblem& problem,
                     const std::vector<const PathName*>& targets, const char* title,
                     unsigned style) {
    const std::string text = NameProblemText(problem, targets);
    if (text.empty()) {
        return false;
    }
    ShowMessageBox(owner, text, title, style);
    return true;
}

TargetProblem CheckTargets(const RenameList& list, const std::vector<const PathName*>& targets,
                           bool lenient, std::vector<unsigned>* inTheWay, PlaceIndex* onDisk) {
    TargetProblem problem;
    const unsigned n = static_cast<unsigned>(targets.size());
    const auto placeKey = [](const PathName& path) {
        return platform::CaseFoldKey(path.FullPath());
    };
    // Places are compared by a hash of their folded key, kept for every entry (a list of many
    // thousands would otherwise hold each key twice more); a hash two places share is settled by
    // the keys themselves.
    using Place = std::pair<std::uint64_t, unsigned>;
    const auto byPlace = [&](const auto& pathOf) {
        std::vector<Place> places(n);
        for (unsigned j = 0; j < n; ++j) {
            places[j] = {platform::KeyHash(placeKey(pathOf(j))), j};
        }
        std::sort(places.begin(), places.end());
        return places;
    };
    std::vector<std::uint64_t> targetHashes(n);
    // For each entry, the next one after it whose target is the same place, or n.
    std::vector<unsigned> nextSamePlace(n, n);
    {
        const std::vector<Place> sameTarget =
            byPlace([&](unsigned j) -> const PathName& { return *targets[j]; });
        for (std::size_t k = 0; k < n; ++k) {
            const unsigned i = sameTarget[k].second;
            targetHashes[i] = sameTarget[k].first;
            for (std::size_t m = k + 1; m < n && sameTarget[m].first == sameTarget[k].first; ++m) {
                if (placeKey(*targets[i]) == placeKey(*targets[sameTarget[m].second])) {
                    nextSamePlace[i] = sameTarget[m].second;
                    break;
                }
            }
        }
    }
    // The entries by the place they hold now, each place's in list order.
    const std::vector<Place> holders =
        byPlace([&](unsigned j) -> const PathName& { return list.At(j).Path(NameKind::Now); });
    // Two rows naming one file (the file of one of them gone, and another put in its place
    // since, by an undo say): a move through either would take the other's file for its own.
    for (std::size_t k = 1; k < holders.size(); ++k) {
        const unsigned i = holders[k - 1].second;
        const unsigned j = holders[k].second;
        if (holders[k - 1].first == holders[k].first &&
            placeKey(list.At(i).Path(NameKind::Now)) == placeKey(list.At(j).Path(NameKind::Now)) &&
            (!IsSamePlace(list.At(i).Path(NameKind::Now), *targets[i]) ||
             !IsSamePlace(list.At(j).Path(NameKind::Now), *targets[j]))) {
            problem.kind = TargetProblem::Kind::SameFile;
            problem.entry = std::min(i, j);
            problem.other = std::max(i, j);
            problem.file = list.At(i).Path(NameKind::Now).FullPath();
            return problem;
        }
    }
    // Entries decided to go to a temporary name: they no longer hold their current path.
    std::vector<bool> movedAside(n, false);
    for (unsigned i = 0; i < n; ++i) {
        window_port::ShowProgress(Work::Checking, i + 1, n);
        const RenameEntry& entry = list.At(i);
        const PathName& now = entry.Path(NameKind::Now);
        const PathName& target = *targets[i];
        // A target with the same full path but another split into base and extension is the
        // entry's own file, not a file in the way.
        const bool unchanged = !movedAside[i] && IsSamePlace(now, target);
        // A name the entry had on disk could be made; any other must be one Windows holds as
        // typed.
        if (!unchanged && !target.SameAs(entry.Path(NameKind::Old))) {
            if (const char* why = WhyNameCannotBeMade(target.FileName(), lenient)) {
                problem.kind = TargetProblem::Kind::CannotBeMade;
                problem.entry = i;
                problem.reason = why;
                return problem;
            }
        }
        // The same place split two ways, or spelled in another letter case, would fail only
        // halfway through the pass.
        if (nextSamePlace[i] < n) {
            problem.kind = TargetProblem::Kind::Duplicate;
            problem.entry = i;
            problem.other = nextSamePlace[i];
            return problem;
        }
        // Every other entry that holds the target goes aside. One already decided cannot be
        // asked for again: a second entry wanting its path would be a duplicate, refused above.
        bool moved = false;
        auto holding = std::lower_bound(holders.begin(), holders.end(), Place{targetHashes[i], 0});
        for (; holding != holders.end() && holding->first == targetHashes[i]; ++holding) {
            const unsigned j = holding->second;
            if (j == i || movedAside[j] || (unchanged && j < i) ||
                placeKey(list.At(j).Path(NameKind::Now)) != placeKey(target)) {
                continue;
            }
            moved = true;
            movedAside[j] = true;
            inTheWay->push_back(j);
        }
        if (unchanged || moved) {
            continue;
        }
        // A change of letter case alone must not find the entry's own file.
        if (!movedAside[i] && IsCaseChangeOnly(now, target)) {
            continue;
        }
        // Nothing has moved yet, but only paths of entries decided above would have been freed,
        // and a target among those is a duplicate, refused before this point.
        if (onDisk->Exists(target.SlashPath())) {
            problem.kind = TargetProblem::Kind::Occupied;
            problem.entry = i;
            return problem;
        }
    }
    return problem;
}
