// Random batches over real files: whatever the names typed, no file is ever lost or overwritten,
// a successful pass gives every file its new name, and a restore brings back the first names.
#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tests/support/list_fixture.h"

namespace {

class RenamePropertyTest : public ListTest {
  protected:
    // Name on disk -> contents, the INI file left out.
    std::map<std::string, std::string> Disk() const {
        std::map<std::string, std::string> files;
        for (const std::string& name : NamesBesidesIni()) {
            files[name] = dir.Read(name);
        }
        return files;
    }
};

TEST_F(RenamePropertyTest, RandomBatchesNeverLoseAFileAndRestoreExactly) {
    // File names differ in more than letter case (Windows would take "a" and "A" for one file);
    // typed names may differ in case only.
    const std::vector<std::string> pool = {"a", "b", "c", "d", "e", "表", "ソ", "x.y"};
    std::vector<std::string> typed = pool;
    typed.push_back("A");
    std::mt19937 random(20261208);
    int passed = 0;
    int stopped = 0;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // A few listed files, maybe a file outside the list, and names for the listed ones taken
        // from the same small pool, so that swaps, rotations, chains and collisions all occur.
        std::vector<std::string> names = pool;
        std::shuffle(names.begin(), names.end(), random);
        const size_t listed = 2 + random() % 4;
        for (size_t i = 0; i < listed; ++i) {
            AddFile(names[i] + ".txt", "content of " + names[i]);
        }
        const bool outsider = random() % 3 == 0;
        if (outsider) {
            dir.MakeFile(names[listed] + ".txt", "outside");
        }
        for (size_t i = 0; i < listed; ++i) {
            list->At(static_cast<unsigned>(i)).SetEditName(typed[random() % typed.size()]);
        }
        const std::map<std::string, std::string> before = Disk();

        const int result = list->RenameAll();
        (result == 0 ? passed : stopped) += 1;
        std::map<std::string, std::string> after = Disk();
        // The same contents, each exactly once, whatever happened.
        std::multiset<std::string> contentsBefore, contentsAfter;
        for (const auto& f : before)
            contentsBefore.insert(f.second);
        for (const auto& f : after)
            contentsAfter.insert(f.second);
        ASSERT_EQ(contentsAfter, contentsBefore);
        if (result == 0) {
            for (unsigned i = 0; i < list->Count(); ++i) {
                const RenameEntry& e = list->At(i);
                EXPECT_EQ(after.at(e.Path(NameKind::Edit).FileName()),
                          before.at(e.Path(NameKind::Old).FileName()));
            }
        }

        boxes::Reset();
        EXPECT_EQ(list->RestoreAll(), 0);
        EXPECT_EQ(Disk(), before);
        EXPECT_TRUE(boxes::Recorded().empty());

        list->Clear();
        for (const auto& f : before) {
            test_files::RemoveTree(dir.PathOf(f.first));
        }
        boxes::Reset();
    }
    // The rounds must have tried both outcomes to mean anything.
    EXPECT_GT(passed, 10);
    EXPECT_GT(stopped, 10);
}

}  // namespace
