#include "exchange/tool_window.h"

#include "gtest/gtest.h"

namespace {

constexpr TopLevelWindowFacts kOther = {false, true, false};
constexpr TopLevelWindowFacts kHidden = {true, false, false};
constexpr TopLevelWindowFacts kOwned = {true, true, true};
constexpr TopLevelWindowFacts kMain = {true, true, false};

TEST(ToolWindow, TheFirstVisibleUnownedWindowOfTheProcessElseItsFirstWindow) {
    const struct {
        const char* what;
        std::vector<TopLevelWindowFacts> windows;
        int chosen;
    } rows[] = {
        {"none at all", {}, -1},
        {"none of the process", {kOther, kOther}, -1},
        {"hidden input window first", {kOther, kHidden, kMain}, 2},
        {"owned dialog first", {kOwned, kHidden, kMain, kMain}, 2},
        {"only hidden and owned ones: the first of them", {kOther, kHidden, kOwned}, 1},
        {"the main window first", {kMain, kHidden}, 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ChooseToolWindow(row.windows), row.chosen) << row.what;
    }
}

}  // namespace
