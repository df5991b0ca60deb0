#include <random>
#include <string>
#include <vector>

#include "core/texts.h"
#include "platform/file_system.h"
#include "tests/support/list_fixture.h"

namespace {

class AddingTest : public ListTest {
  protected:
    std::string Add(const std::string& name) {
        return std::to_string(list->AddPath(dir.PathOf(name)));
    }
};

TEST_F(AddingTest, SamePathTwiceIsRefusedSilently) {
    AddFile("a.txt");
    EXPECT_EQ(Add("a.txt"), "1");
    EXPECT_EQ(list->Count(), 1u);
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_EQ(TheFakeWindow().rows, 1u);
}

TEST_F(AddingTest, ReAddingARenamedEntrysCurrentPath) {
    AddFile("a.txt").SetEditName("b");
    ASSERT_EQ(list->RenameAll(), 0);

    EXPECT_EQ(Add("b.txt"), "1");
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    const RecordedBox& box = boxes::Recorded()[0];
    EXPECT_EQ(box.title, texts::kTitleAdding);
    EXPECT_EQ(box.text,
              texts::Fill(texts::kAddListedAgain, {dir.PathOf("b.txt"), dir.PathOf("a.txt")}));
    EXPECT_EQ(box.owner, mainWindow);
    EXPECT_EQ(box.Icon(), kMbIconError);

    // The first name is refused silently even when a new file of that name exists now.
    dir.MakeFile("a.txt");
    EXPECT_EQ(Add("a.txt"), "1");
    EXPECT_EQ(boxes::Recorded().size(), 1u);

    rules.sayListedAgain = false;
    EXPECT_EQ(Add("b.txt"), "1");
    EXPECT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(list->Count(), 1u);
}

TEST_F(AddingTest, FilesAndFoldersBeneathARegisteredFolder) {
    dir.MakeFolder("a");
    dir.MakeFolder("a\\sub");
    dir.MakeFolder("ab");
    dir.MakeFile("a\\x.txt");
    dir.MakeFile("ab.txt");
    ASSERT_EQ(Add("a"), "0");

    EXPECT_EQ(Add("a\\x.txt"), "1");
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(
        boxes::Recorded()[0].text,
        texts::Fill(texts::kAddUnderListed, {dir.PathOf("a") + "\\", dir.PathOf("a\\x.txt")}));
    EXPECT_EQ(Add("a\\sub"), "1");
    EXPECT_EQ(boxes::Recorded().size(), 2u);

    // Prefixes that are not folders of it, and another letter case, are different paths.
    EXPECT_EQ(Add("ab.txt"), "0");
    EXPECT_EQ(Add("ab"), "0");
    EXPECT_EQ(list->AddPath(dir.PathOf("A\\x.txt")), 0);
    EXPECT_EQ(boxes::Recorded().size(), 2u);
    EXPECT_EQ(list->Count(), 4u);
}

TEST_F(AddingTest, FolderAboveARegisteredFile) {
    dir.MakeFolder("a");
    dir.MakeFile("a\\x.txt");
    ASSERT_EQ(Add("a\\x.txt"), "0");
    EXPECT_EQ(Add("a"), "1");
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].text,
              texts::Fill(texts::kAddAroundListed, {dir.PathOf("a\\x.txt"), dir.PathOf("a")}));
}

TEST_F(AddingTest, OneMessagePerRefusedPathAndNoneWhenSwitchedOff) {
    dir.MakeFolder("p");
    dir.MakeFile("p\\1.txt");
    dir.MakeFile("p\\2.txt");
    ASSERT_EQ(Add("p\\1.txt"), "0");
    ASSERT_EQ(Add("p\\2.txt"), "0");
    EXPECT_EQ(Add("p"), "1");
    EXPECT_EQ(boxes::Recorded().size(), 1u);

    rules.refuseNested = false;
    EXPECT_EQ(Add("p"), "0");
    EXPECT_EQ(list->Count(), 3u);
    EXPECT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(TheFakeWindow().rows, 3u);
}

}  // namespace

namespace {

// Only a full path becomes an entry: a folder named with a separator at its end is the folder
// itself, while a root or a path without its folder would be renamed somewhere else.
TEST_F(AddingTest, OnlyFullPathsBecomeEntries) {
    dir.MakeFolder("sub");
    const char* root = texts::kAddRoot;
    const char* relative = texts::kAddRelative;
    struct Case {
        std::string path;
        int result;
        std::string message;  // the message's form, "" for none
    };
    std::vector<Case> cases = {
        {dir.PathOf("sub\\"), 0, ""},
        {dir.PathOf("sub\\\\"), 1, ""},  // the same folder again
        {"D:\\", 1, root},
        {"D:", 1, root},
        {"\\\\server\\share\\", 1, root},
        {"\\\\server", 1, root},
        {"foo.txt", 1, relative},
        {"sub\\foo.txt", 1, relative},
        {"C:foo.txt", 1, relative},
        {"\\foo.txt", 1, relative},
    };
    // On Windows a root without a drive is on whatever drive is current.
    if (platform::RootsNeedADrive()) {
        cases.push_back({"\\photos\\x.jpg", 1, relative});
    }
    for (const auto& c : cases) {
        boxes::Reset();
        EXPECT_EQ(list->AddPath(c.path), c.result) << c.path;
        if (c.message.empty()) {
            EXPECT_TRUE(boxes::Recorded().empty()) << c.path;
            continue;
        }
        ASSERT_EQ(boxes::Recorded().size(), 1u) << c.path;
        EXPECT_EQ(boxes::Recorded()[0].text, texts::Fill(c.message, {c.path}));
        EXPECT_EQ(boxes::Recorded()[0].title, texts::kTitleAdding);
    }
    ASSERT_EQ(list->Count(), 1u);
    EXPECT_TRUE(list->At(0).IsFolder());
    EXPECT_EQ(list->At(0).Path(NameKind::Now).FullPath(), dir.PathOf("sub"));
    EXPECT_EQ(list->At(0).DisplayName(NameKind::Now), "sub");
}

}  // namespace

namespace {

// The adding rules as first written, a walk over every entry for every path: what the indexed
// ones must decide on any list. The result names the rule and the path its message names.
std::string PlainDecision(const RenameList& list, const std::string& p, bool interference) {
    const auto startsWith = [](const std::string& s, const std::string& prefix) {
        return s.compare(0, prefix.size(), prefix) == 0;
    };
    for (unsigned i = 0; i < list.Count(); ++i) {
        if (p == list.At(i).Path(NameKind::Old).FullPath()) {
            return "silent";
        }
        if (p == list.At(i).Path(NameKind::Now).FullPath()) {
            return "again " + p;
        }
    }
    if (!interference) {
        return "added";
    }
    const bool folder = IsFolderPath(p);
    for (unsigned i = 0; i < list.Count(); ++i) {
        const RenameEntry& e = list.At(i);
        const std::string& r = e.Path(NameKind::Now).FullPath();
        if (folder && (r == p || startsWith(p, r + "\\") || startsWith(r, p + "\\"))) {
            return "folder " + r;
        }
    }
    if (!folder) {
        // Folders in the order they were added: the list is never re-ordered here.
        for (unsigned i = 0; i < list.Count(); ++i) {
            const RenameEntry& e = list.At(i);
            if (e.IsFolder() && startsWith(p, e.Path(NameKind::Now).FullPath() + "\\")) {
                return "file " + e.Path(NameKind::Now).FullPath() + "\\";
            }
        }
    }
    return "added";
}

std::string ProgramDecision(int result) {
    if (result == 0) {
        return "added";
    }
    if (boxes::Recorded().empty()) {
        return "silent";
    }
    const std::string& text = boxes::Recorded().back().text;
    const std::size_t first = text.find('\n');
    const std::string named = text.substr(first + 1, text.find('\n', first + 1) - first - 1);
    const auto startsAs = [&](const char* form) {
        const std::string head = std::string(form).substr(0, std::string(form).find('\n') + 1);
        return text.rfind(head, 0) == 0;
    };
    if (startsAs(texts::kAddListedAgain)) {
        return "again " + named;
    }
    return (startsAs(texts::kAddUnderListed) ? "file " : "folder ") + named;
}

// Random trees of folders and files added in random order, with passes in between that move
// current paths away from first ones, and the interference rules on and off.
TEST_F(AddingTest, IndexedRulesDecideAsTheWalkOverEveryEntry) {
    std::mt19937 random(11);
    // Paths under their first names and under the names the passes below give ("z" added).
    std::vector<std::string> paths;
    for (const char* top : {"p", "q", "表"}) {
        dir.MakeFolder(top);
        for (const char* mid : {"a", "b"}) {
            dir.MakeFolder(std::string(top) + "\\" + mid);
            for (const char* leaf : {"x.txt", "y.txt"}) {
                dir.MakeFile(std::string(top) + "\\" + mid + "\\" + leaf);
            }
        }
        for (const std::string& t : {std::string(top), std::string(top) + "z"}) {
            paths.push_back(t);
            for (const char* m : {"a", "az", "b"}) {
                paths.push_back(t + "\\" + m);
                for (const char* leaf : {"x.txt", "xz.txt", "y.txt"}) {
                    paths.push_back(t + "\\" + m + "\\" + leaf);
                }
            }
        }
    }
    unsigned counts[2] = {};
    for (int round = 0; round < 400; ++round) {
        if (round % 50 == 0) {
            list->Clear();
        }
        const bool interference = random() % 4 != 0;
        rules.refuseNested = interference;
        const std::string path = dir.PathOf(paths[random() % paths.size()]);
        const std::string expected = PlainDecision(*list, path, interference);
        boxes::Reset();
        EXPECT_EQ(ProgramDecision(list->AddPath(path)), expected) << "round " << round;
        ++counts[expected == "added" ? 0 : 1];
        // Now and then a pass renames an entry, so first and current paths part; then the
        // restore brings the tree back for the next rounds.
        if (round % 7 == 6 && list->Count() > 0) {
            RenameEntry& e = list->At(random() % list->Count());
            e.SetEditName(e.Path(NameKind::Now).Base() + "z");
            boxes::Reset();
            list->RenameAll();
        }
        if (round % 50 == 49) {
            boxes::Reset();
            list->RestoreAll();
        }
    }
    EXPECT_GT(counts[0], 40u);
    EXPECT_GT(counts[1], 100u);
}

// One road of adding shows at most one message: a single refusal as it always read, many as the
// first ten with their reasons and how many more. A path longer than Windows can hold is refused
// too, and shown cut.
TEST_F(AddingTest, ARoadOfAddingShowsAtMostOneMessage) {
    dir.MakeFile("good.txt");
    Refusals& refusals = list->AddRefusals();
    refusals.Open();
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(list->AddPath("rel" + std::to_string(i) + ".txt"), 1);
    }
    EXPECT_EQ(list->AddPath(dir.PathOf("good.txt")), 0);
    EXPECT_EQ(list->AddPath(dir.PathOf("good.txt")), 1);  // its first name: silent
    const std::string huge = dir.PathOf(std::string(300, 'n'));
    EXPECT_EQ(list->AddPath(huge), 1);
    EXPECT_TRUE(boxes::Recorded().empty());
    refusals.Close(mainWindow);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    std::string expected = texts::Fill(texts::kAddMany, {"13"});
    for (int i = 0; i < 10; ++i) {
        expected += texts::Fill(texts::kAddManyLine,
                                {"rel" + std::to_string(i) + ".txt", texts::kReasonRelative});
    }
    expected += texts::Fill(texts::kMoreItems, {"3"});
    EXPECT_EQ(boxes::Recorded()[0].text, expected);
    EXPECT_EQ(boxes::Recorded()[0].title, texts::kTitleAdding);
    EXPECT_EQ(boxes::Recorded()[0].owner, mainWindow);
    ASSERT_EQ(list->Count(), 1u);

    // Alone, the long one reads as every single refusal does, its path cut.
    boxes::Reset();
    EXPECT_EQ(list->AddPath(huge), 1);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].text,
              texts::Fill(texts::kAddPathTooLong, {huge.substr(0, 300) + texts::kCutMark}));
    // Nothing is left over for the next road.
    boxes::Reset();
    refusals.Open();
    refusals.Close(mainWindow);
    EXPECT_TRUE(boxes::Recorded().empty());
}

// A road of many paths reads their folder once; every entry is still a folder exactly when the
// file system says so, the names read after the folder was read included.
TEST_F(AddingTest, ManyPathsOfOneFolderAreFoldersExactlyAsOnDisk) {
    dir.MakeFolder("many");
    std::vector<std::string> paths;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "many\\f" + std::to_string(i) + ".txt";
        dir.MakeFile(name);
        paths.push_back(dir.PathOf(name));
    }
    dir.MakeFolder("many\\sub");
    dir.MakeFolder("many\\d.x");
    dir.MakeFile("many\\\x83\x5c.txt");
    dir.MakeFile("many\\Pok\xFF\x80\x81\xE9mon");
    for (const char* name :
         {"sub", "d.x", "\x83\x5c.txt", "Pok\xFF\x80\x81\xE9mon", "gone.txt", "SUB"}) {
        paths.push_back(dir.PathOf(std::string("many\\") + name));
    }
    std::string block;
    for (const std::string& path : paths) {
        block += path + '\0';
    }
    list->AddPaths(block);
    ASSERT_EQ(list->Count(), paths.size());
    for (unsigned i = 0; i < list->Count(); ++i) {
        EXPECT_EQ(list->At(i).IsFolder(), IsFolderPath(paths[i])) << paths[i];
    }
    EXPECT_TRUE(list->At(40).IsFolder());
    EXPECT_TRUE(list->At(41).IsFolder());
    EXPECT_FALSE(list->At(42).IsFolder());
    // The index of listed paths still knows the first of them, and the folders among them.
    EXPECT_EQ(list->AddPath(paths[0]), 1);
    dir.MakeFile("many\\sub\\in.txt");
    EXPECT_EQ(list->AddPath(dir.PathOf("many\\sub\\in.txt")), 1);
    EXPECT_EQ(list->Count(), paths.size());
}

}  // namespace
