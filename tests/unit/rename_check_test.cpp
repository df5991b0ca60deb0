// The check of the rename pass against the plain algorithm it replaced, which compared every
// entry with every other: on seeded random batches both must refuse with the same message, or
// move the same entries aside in the same order.

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "exchange/import.h"
#include "platform/file_system.h"
#include "tests/support/expected_texts.h"
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

// The outcome of a check: the text of its message ("" when it passed) or the entries it moves
// aside, in order.
struct Outcome {
    std::string message;
    std::vector<unsigned> inTheWay;
    bool operator==(const Outcome& o) const {
        return message == o.message && inTheWay == o.inTheWay;
    }
};

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
            return Outcome{"bad " + RowOf(i + 1, target.FileName()), {}};
        }
        bool moved = false;
        for (unsigned j = unchanged ? i + 1 : 0; j < n; ++j) {
            if (j == i) {
                continue;
            }
            const PathName& other = list.At(j).Path(kind);
            if (j > i && Folded(target) == Folded(other)) {
                return Outcome{
                    "duplicate " + RowOf(i + 1, target.FileName()) + RowOf(j + 1, other.FileName()),
                    {}};
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
            return Outcome{"occupied " + now.SlashPath() + " " + target.SlashPath(), {}};
        }
    }
    return out;
}

// The same outcome read from what the program did: its message, and which entry took which of
// the temporary names, given out in order.
Outcome ProgramCheck(RenameList& list, NameKind kind) {
    Outcome out;
    if (list.PrepareRename(kind) != 0) {
        EXPECT_EQ(boxes::Recorded().size(), 1u);
        const std::string& text = boxes::Recorded().at(0).text;
        const auto lines = [&](std::size_t from) { return text.substr(from); };
        const auto startsAs = [&](const char* form) {
            const std::string head = std::string(form).substr(0, std::string(form).find('\n'));
            return text.rfind(head, 0) == 0;
        };
        if (startsAs(texts::kNameCannotBeMade)) {
            out.message = "bad " + lines(text.find("\n\n") + 2);
            out.message = out.message.substr(0, out.message.find('\n') + 1);
        } else if (startsAs(texts::kNamesDuplicate)) {
            out.message = "duplicate " + lines(text.find("\n\n") + 2);
        } else {
            const std::size_t to = text.find("\n[TO]\n");
            out.message = "occupied " + text.substr(6, to - 6) + " " +
                          text.substr(to + 6, text.find("\n\n") - to - 6);
        }
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
    for (const auto& t : taken) {
        out.inTheWay.push_back(t.second);
    }
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
        const Outcome program = ProgramCheck(*list, NameKind::Edit);
        EXPECT_EQ(program.message, plain.message) << "seed " << seed;
        EXPECT_EQ(program.inTheWay, plain.inTheWay) << "seed " << seed;
        refused += !plain.message.empty();
        movedAside += !plain.inTheWay.empty();
    }
    // The batches reach both kinds of outcome often enough to mean something.
    EXPECT_GT(refused, 50u);
    EXPECT_GT(movedAside, 50u);
}

}  // namespace

namespace {

// The import's check as first written, every line against every other.
std::string PlainImportCheck(const RenameList& list, const std::vector<std::string>& lines) {
    const std::size_t n = std::min<std::size_t>(lines.size(), list.Count());
    std::vector<PathName> targets;
    for (std::size_t i = 0; i < n; ++i) {
        targets.push_back(list.At(static_cast<unsigned>(i)).CandidatePath(lines[i]));
    }
    for (std::size_t i = 0; i < n; ++i) {
        const PathName& now = list.At(static_cast<unsigned>(i)).Path(NameKind::Now);
        const bool unchanged = IsSamePlace(now, targets[i]);
        bool occupied = unchanged;
        for (std::size_t j = unchanged ? i + 1 : 0; j < n; ++j) {
            if (j == i) {
                continue;
            }
            if (j > i && Folded(targets[i]) == Folded(targets[j])) {
                return DuplicateText(static_cast<unsigned>(i + 1), targets[i].FileName(),
                                     static_cast<unsigned>(j + 1), targets[j].FileName());
            }
            occupied = occupied || Folded(list.At(static_cast<unsigned>(j)).Path(NameKind::Now)) ==
                                       Folded(targets[i]);
        }
        if (!occupied && !IsCaseChangeOnly(now, targets[i]) &&
            platform::PathExists(targets[i].SlashPath())) {
            return texts::kNamesCollide;
        }
    }
    return "";
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
        boxes::Reset();
        const std::string expected = PlainImportCheck(*list, lines);
        EXPECT_EQ(CheckNewNames(*list, lines), expected.empty() ? 0 : 1) << "seed " << seed;
        EXPECT_EQ(boxes::Recorded().empty() ? "" : boxes::Recorded()[0].text, expected)
            << "seed " << seed;
        refused += !expected.empty();
    }
    EXPECT_GT(refused, 50u);
    EXPECT_LT(refused, 250u);
}

}  // namespace
