// The check of the targets against the plain algorithm it replaced, which compared every entry
// with every other: on seeded random batches both must find the same problem at the same entries,
// or move the same entries aside in the same order.

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/place_index.h"
#include "core/target_check.h"
#include "exchange/import.h"
#include "platform/file_system.h"
#include "tests/support/list_fixture.h"

namespace {

bool PlainCanBeMade(const std::string& name) {
    bool dotsAndBlanksOnly = true;
    for (std::size_t i = 0; i < name.size(); i += mbcs::CharLength(name, i)) {
        const char c = name[i];
        if (mbcs::CharLength(name, i) == 1 && (c == '\\' || c == '/' || c == ':' || c == '\0')) {
            return false;
        }
        dotsAndBlanksOnly = dotsAndBlanksOnly && (c == '.' || c == ' ');
    }
    return !dotsAndBlanksOnly;
}

using Kind = TargetProblem::Kind;

// The outcome of a check: what it refused and at which entries (the later one of two), or the
// entries it moves aside, in order.
struct Outcome {
    Kind kind = Kind::None;
    unsigned entry = 0;
    unsigned other = 0;
    std::vector<unsigned> inTheWay;
};

void ExpectSame(const Outcome& program, const Outcome& plain, unsigned seed) {
    EXPECT_EQ(program.kind, plain.kind) << "seed " << seed;
    EXPECT_EQ(program.entry, plain.entry) << "seed " << seed;
    EXPECT_EQ(program.other, plain.other) << "seed " << seed;
    EXPECT_EQ(program.inTheWay, plain.inTheWay) << "seed " << seed;
}

// The check itself over the given targets, as the pass (strict) or the import (lenient) asks it.
Outcome Checked(const RenameList& list, const std::vector<PathName>& targets, bool lenient) {
    std::vector<const PathName*> pointers;
    for (const PathName& target : targets) {
        pointers.push_back(&target);
    }
    Outcome out;
    PlaceIndex onDisk;
    const TargetProblem problem = CheckTargets(list, pointers, lenient, &out.inTheWay, &onDisk);
    if (problem.kind != Kind::None) {
        out = Outcome{problem.kind, problem.entry, problem.other, {}};
    }
    return out;
}

// Windows takes names equal but for letter case for one place.
std::string Folded(const PathName& path) {
    return platform::CaseFoldKey(path.FullPath());
}

Outcome PlainCheck(const RenameList& list, NameKind kind) {
    Outcome out;
    const unsigned n = list.Count();
    std::vector<bool> aside(n, false);
    for (unsigned i = 0; i < n; ++i) {
        const PathName& now = list.At(i).Path(NameKind::Now);
        const PathName& target = list.At(i).Path(kind);
        const bool unchanged = !aside[i] && IsSamePlace(now, target);
        if (!unchanged && !target.SameAs(list.At(i).Path(NameKind::Old)) &&
            !PlainCanBeMade(target.FileName())) {
            return Outcome{Kind::CannotBeMade, i, 0, {}};
        }
        bool moved = false;
        for (unsigned j = unchanged ? i + 1 : 0; j < n; ++j) {
            if (j == i) {
                continue;
            }
            const PathName& other = list.At(j).Path(kind);
            if (j > i && Folded(target) == Folded(other)) {
                return Outcome{Kind::Duplicate, i, j, {}};
            }
            if (!aside[j] && Folded(list.At(j).Path(NameKind::Now)) == Folded(target)) {
                moved = true;
                aside[j] = true;
                out.inTheWay.push_back(j);
            }
        }
        if (unchanged || moved || (!aside[i] && IsCaseChangeOnly(now, target))) {
            continue;
        }
        if (platform::PathExists(target.SlashPath())) {
            return Outcome{Kind::Occupied, i, 0, {}};
        }
    }
    return out;
}

// The check's outcome, and the pass after it: refused when the check refuses, else every entry in
// the way takes one of the temporary names, given out in the order the check moves them.
Outcome ProgramCheck(RenameList& list, NameKind kind) {
    std::vector<PathName> targets;
    for (unsigned i = 0; i < list.Count(); ++i) {
        targets.push_back(list.At(i).Path(kind));
    }
    const Outcome out = Checked(list, targets, false);
    if (list.PrepareRename(kind) != 0) {
        EXPECT_NE(out.kind, Kind::None);
        EXPECT_EQ(boxes::Recorded().size(), 1u);
        return out;
    }
    std::vector<std::pair<unsigned long, unsigned>> taken;
    for (unsigned i = 0; i < list.Count(); ++i) {
        const std::string& name = list.At(i).Path(NameKind::Now).FileName();
        if (name.rfind("~%_", 0) == 0) {
            taken.emplace_back(std::stoul(name.substr(3), nullptr, 16), i);
        }
    }
    std::sort(taken.begin(), taken.end());
    std::vector<unsigned> movedAside;
    for (const auto& t : taken) {
        movedAside.push_back(t.second);
    }
    EXPECT_EQ(movedAside, out.inTheWay);
    return out;
}

using RenameCheckTest = ListTest;

TEST_F(RenameCheckTest, RandomBatchesDecideAsThePlainCheck) {
    const std::vector<std::string> pool = {"a", "b", "c", "d", "e", "f", "g", "h"};
    unsigned refused = 0;
    unsigned movedAside = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        TestDir batch;
        list = MakeList();
        boxes::Reset();
        std::vector<std::string> names = pool;
        std::shuffle(names.begin(), names.end(), random);
        const unsigned k = 2 + random() % 6;
        for (unsigned i = 0; i < k; ++i) {
            batch.MakeFile(names[i] + ".txt", names[i]);
            ASSERT_EQ(list->AddPath(batch.PathOf(names[i] + ".txt")), 0);
        }
        // Files outside the list that a target may hit.
        for (unsigned i = k; i < k + random() % 3 && i < names.size(); ++i) {
            batch.MakeFile(names[i] + ".txt");
        }
        // A shuffle of the entries' own names (swaps, rotations, chains), then a few changes.
        std::vector<std::string> targets(names.begin(), names.begin() + k);
        std::shuffle(targets.begin(), targets.end(), random);
        for (unsigned i = 0; i < k; ++i) {
            std::string& target = targets[i];
            switch (random() % 20) {
                case 0:
                case 1:  // a change of letter case only
                    target = names[i];
                    target[0] = static_cast<char>(target[0] - 'a' + 'A');
                    break;
                case 2:
                    target = "x/" + target;
                    break;
                case 3:
                case 4:  // unchanged
                    target = names[i];
                    break;
                case 5:
                case 6:  // any name, in the list, outside it or free
                    target = names[random() % names.size()];
                    break;
                default:
                    break;
            }
            list->At(i).SetEditName(target);
        }
        const Outcome plain = PlainCheck(*list, NameKind::Edit);
        ExpectSame(ProgramCheck(*list, NameKind::Edit), plain, seed);
        refused += plain.kind != Kind::None;
        movedAside += !plain.inTheWay.empty();
    }
    // The batches reach both kinds of outcome often enough to mean something.
    EXPECT_GT(refused, 50u);
    EXPECT_GT(movedAside, 50u);
}

}  // namespace

namespace {

// The import's check as first written, every line against every other.
Outcome PlainImportCheck(const RenameList& list, const std::vector<PathName>& targets) {
    const unsigned n = static_cast<unsigned>(targets.size());
    for (unsigned i = 0; i < n; ++i) {
        const PathName& now = list.At(static_cast<unsigned>(i)).Path(NameKind::Now);
        const bool unchanged = IsSamePlace(now, targets[i]);
        bool occupied = unchanged;
        for (unsigned j = unchanged ? i + 1 : 0; j < n; ++j) {
            if (j == i) {
                continue;
            }
            if (j > i && Folded(targets[i]) == Folded(targets[j])) {
                return Outcome{Kind::Duplicate, i, j, {}};
            }
            occupied = occupied || Folded(list.At(j).Path(NameKind::Now)) == Folded(targets[i]);
        }
        if (!occupied && !IsCaseChangeOnly(now, targets[i]) &&
            platform::PathExists(targets[i].SlashPath())) {
            return Outcome{Kind::Occupied, i, 0, {}};
        }
    }
    return Outcome();
}

TEST_F(RenameCheckTest, RandomImportsAreCheckedAsByThePlainCheck) {
    const std::vector<std::string> pool = {"a", "b", "c", "d", "e", "f", "A", "read.me"};
    unsigned refused = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        TestDir batch;
        list = MakeList();
        const unsigned k = 2 + random() % 5;
        for (unsigned i = 0; i < k; ++i) {
            batch.MakeFile(pool[i] == "A" ? "q.txt" : pool[i] + ".txt");
            ASSERT_EQ(list->AddPath(batch.PathOf(pool[i] == "A" ? "q.txt" : pool[i] + ".txt")), 0);
        }
        batch.MakeFile("f.txt");  // outside the list
        // Fewer lines than entries leave the last ones out of the check.
        std::vector<std::string> lines(k - random() % 2);
        for (std::string& line : lines) {
            line = pool[random() % pool.size()];
        }
        std::vector<PathName> targets;
        for (unsigned i = 0; i < lines.size(); ++i) {
            targets.push_back(list->At(i).CandidatePath(lines[i]));
        }
        const Outcome plain = PlainImportCheck(*list, targets);
        Outcome program = Checked(*list, targets, true);
        // Only the pass moves anything aside.
        program.inTheWay.clear();
        ExpectSame(program, plain, seed);
        // The import asks the same of its lines, and says so once.
        boxes::Reset();
        EXPECT_EQ(CheckNewNames(*list, lines), plain.kind == Kind::None ? 0 : 1) << "seed " << seed;
        EXPECT_EQ(boxes::Recorded().size(), plain.kind == Kind::None ? 0u : 1u) << "seed " << seed;
        refused += plain.kind != Kind::None;
    }
    EXPECT_GT(refused, 50u);
    EXPECT_LT(refused, 250u);
}

}  // namespace
