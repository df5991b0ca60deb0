// Paths that arrive while the list is held wait, in arrival order, for the outermost hold to end.
#include "ui/list_hold.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

// What the hold gives back, path by path.
Paths Taken(ListHold& hold) {
    const std::string block = hold.TakeKept();
    Paths paths;
    for (std::size_t at = 0, end; (end = block.find('\0', at)) != std::string::npos; at = end + 1) {
        paths.push_back(block.substr(at, end - at));
    }
    return paths;
}

TEST(Nesting, OnlyTheOutermostScopeStartsAndEnds) {
    Nesting n;
    EXPECT_FALSE(n.Inside());
    EXPECT_TRUE(n.Enter());
    EXPECT_FALSE(n.Enter()) << "a sort inside an add batch is not a batch of its own";
    EXPECT_FALSE(n.Leave()) << "the inner end must not turn redraw on early";
    EXPECT_TRUE(n.Inside());
    EXPECT_TRUE(n.Leave());
    EXPECT_FALSE(n.Inside());
    EXPECT_FALSE(n.Leave()) << "an end without a start ends nothing";
    EXPECT_TRUE(n.Enter()) << "and leaves the count where it was";
}

TEST(ListHold, PathsKeptDuringNestedWorkComeOutOnceAllOfItHasEnded) {
    ListHold hold;
    hold.Enter();  // a command
    hold.Keep("C:\\x\\b.txt");
    hold.Enter();  // its follow-up
    hold.Keep("C:\\x\\a.txt");
    EXPECT_FALSE(hold.Leave());
    EXPECT_EQ(Taken(hold), Paths{}) << "taken while the command still runs";
    EXPECT_TRUE(hold.Leave());
    EXPECT_EQ(Taken(hold), (Paths{"C:\\x\\b.txt", "C:\\x\\a.txt"})) << "arrival order";
    EXPECT_EQ(Taken(hold), Paths{}) << "taken twice";
}

TEST(ListHold, NothingComesOutWhileTheNamesAreOut) {
    ListHold hold;
    hold.SetNamesOut(true);
    hold.Keep("C:\\x\\a.txt");
    EXPECT_FALSE(hold.Held());
    EXPECT_EQ(Taken(hold), Paths{});
    hold.SetNamesOut(false);
    EXPECT_EQ(Taken(hold), Paths{"C:\\x\\a.txt"}) << "a kept path was dropped";
}

}  // namespace
