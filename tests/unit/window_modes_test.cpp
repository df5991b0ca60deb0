#include "ui/window_modes.h"

#include <memory>
#include <string>

#include "core/mbcs.h"
#include "gtest/gtest.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "tests/support/test_files.h"

namespace {

TEST(WindowModes, EachModeHasItsStyleBarsListGripAndBackground) {
    struct Row {
        bool listMode;
        unsigned long creationStyle;
        unsigned long changedStyle;
        bool resizable, listModeBar, compactBars, list, sizeGrip, background;
    };
    const Row rows[] = {
        {false, 0x80C80000UL, 0x90C80000UL, false, false, true, false, false, true},
        {true, 0x10CF0000UL, 0x10CF0000UL, true, true, false, true, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.listMode ? "ListView" : "Normal");
        const WindowFace f = FaceOf(row.listMode);
        EXPECT_EQ(f.creationStyle, row.creationStyle);
        EXPECT_EQ(f.changedStyle, row.changedStyle);
        EXPECT_EQ(f.resizable, row.resizable);
        EXPECT_EQ(f.listModeBar, row.listModeBar);
        EXPECT_EQ(f.compactBars, row.compactBars);
        EXPECT_EQ(f.list, row.list);
        EXPECT_EQ(f.sizeGrip, row.sizeGrip);
        EXPECT_EQ(f.background, row.background);
    }
}

TEST(WindowModes, OnlyExactNormalIsTheCompactWindowAndEveryOtherValueFlipsToIt) {
    const struct {
        const char* value;
        bool list;
        const char* toggled;
    } rows[] = {{"Normal", false, "ListView"},
                {"ListView", true, "Normal"},
                {"listview", true, "Normal"},
                {"normal", true, "Normal"},
                {"", true, "Normal"}};
    for (const auto& row : rows) {
        EXPECT_EQ(IsListModeValue(row.value), row.list) << row.value;
        EXPECT_EQ(ToggledModeValue(row.value), row.toggled) << row.value;
    }
}

class WindowBoxTest : public testing::Test {
  protected:
    std::string Ini() const { return mbcs::ToSlashForm(dir.PathOf("varnel.ini")); }
    std::unique_ptr<SettingsStore> Store() {
        return std::make_unique<SettingsStore>(keys::kSection, Ini());
    }
    TestDir dir;
};

// Stores the box under this WindowMode in a fresh settings file and returns what it then holds.
std::string Stored(const std::string& mode, const WindowBox& box) {
    TestDir fresh;
    {
        SettingsStore store(keys::kSection, mbcs::ToSlashForm(fresh.PathOf("varnel.ini")));
        store.SetString(keys::kWindowMode, mode);
        StoreWindowBox(store, box);
    }
    return fresh.Read("varnel.ini");
}

TEST(WindowBox, OnlyExactListViewStoresTheSizeAndThePositionKeepsItsSign) {
    EXPECT_EQ(Stored("ListView", {-30, 5, 800, 500}),
              "[Basic]\r\nWindowMode=ListView\r\nWindowPos_X=-30\r\nWindowPos_Y=5\r\n"
              "WindowSize_X=800\r\nWindowSize_Y=500\r\n");
    EXPECT_EQ(Stored("Normal", {10, -20, 200, 200}),
              "[Basic]\r\nWindowMode=Normal\r\nWindowPos_X=10\r\nWindowPos_Y=-20\r\n");
    EXPECT_EQ(Stored("listview", {1, 2, 640, 480}),
              "[Basic]\r\nWindowMode=listview\r\nWindowPos_X=1\r\nWindowPos_Y=2\r\n");
}

TEST_F(WindowBoxTest, TheListWindowOpensAtTheStoredSizeAndTheCompactOneAtItsOwn) {
    dir.MakeFile("varnel.ini",
                 "[Basic]\r\nWindowSize_X=800\r\nWindowSize_Y=500\r\nWindowPos_X=-7x\r\n");
    auto store = Store();
    const WindowBox list = OpeningBox(*store, true);
    EXPECT_EQ(list.left, -7);
    EXPECT_EQ(list.top, 100);
    EXPECT_EQ(list.width, 800);
    EXPECT_EQ(list.height, 500);
    const WindowBox compact = OpeningBox(*store, false);
    EXPECT_EQ(compact.width, 200);
    EXPECT_EQ(compact.height, 200);
    EXPECT_EQ(compact.left, -7);
}

TEST_F(WindowBoxTest, AListWindowWithoutStoredSizeOpensAt620By400) {
    auto store = Store();
    const WindowBox box = OpeningBox(*store, true);
    EXPECT_EQ(box.width, 620);
    EXPECT_EQ(box.height, 400);
    EXPECT_EQ(box.left, 100);
}

}  // namespace
