// OK on the basic page: what reaches the settings store and the application's paths, and what a
// refused path leaves untouched.
#include "settings/settings_sheet.h"
#include "core/texts.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "settings/app_paths.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/test_files.h"
#include "ui/app_context.h"

namespace {

class BasicPage : public ::testing::Test {
  protected:
    void SetUp() override {
        boxes::Reset();
        paths = std::make_unique<AppPaths>(dir.PathOf("Varnel.exe"));
        context.paths = paths.get();
        store = std::make_unique<SettingsStore>(keys::kSection, paths->IniPath());
        context.settings = store.get();
        RegisterDefaultSettings(context.settings, context.paths);
    }
    void TearDown() override {
        SetSettingsStore(nullptr);
        ResetSettingKeys();
    }
    // A path of exactly this many bytes.
    std::string PathOfLength(size_t bytes) const {
        const std::string folder = dir.Path() + "\\";
        return folder + std::string(bytes - folder.size(), 'n');
    }

    TestDir dir;
    AppContext context;
    SheetHost Host() const { return SheetHost{nullptr, nullptr, context.settings, context.paths}; }
    std::unique_ptr<AppPaths> paths;
    std::unique_ptr<SettingsStore> store;
};

TEST_F(BasicPage, OkStoresEveryValueAndThePathsTakeEffectAtOnce) {
    BasicPageValues values = LoadBasicPage(Host());
    EXPECT_FALSE(values.topMost);
    EXPECT_TRUE(values.singleApp);
    EXPECT_EQ(values.toolPath, "notepad");
    values.topMost = true;
    values.singleApp = false;
    values.ioFilePath = PathOfLength(kSheetPathLimit);
    values.toolPath = "C:\\表\\ソ.exe";
    ASSERT_EQ(StoreBasicPage(Host(), values, nullptr), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_TRUE(GetBool(kIdTopMost));
    EXPECT_FALSE(GetBool(kIdSingleApp));
    EXPECT_EQ(store->GetString(keys::kIOFilePath, ""), values.ioFilePath);
    EXPECT_EQ(paths->IOFilePath().FullPath(), values.ioFilePath);
    EXPECT_EQ(store->GetString(keys::kToolPath, ""), values.toolPath);
    EXPECT_EQ(paths->ToolPath(), values.toolPath);
}

// A path one byte over the limit would have been cut to a different file before.
TEST_F(BasicPage, APathOverTheLimitIsRefusedAndNothingOfThePageIsStored) {
    const BasicPageValues before = LoadBasicPage(Host());
    for (int which = 0; which < 2; ++which) {
        boxes::Reset();
        BasicPageValues values = before;
        values.useExtension = true;
        (which == 0 ? values.ioFilePath : values.toolPath) = PathOfLength(kSheetPathLimit + 1);
        EXPECT_EQ(StoreBasicPage(Host(), values, nullptr), 1);
        ASSERT_EQ(boxes::Recorded().size(), 1u);
        EXPECT_EQ(boxes::Recorded()[0].text,
                  PathTooLongText(which == 0 ? texts::kLabelExchangeFile : texts::kLabelTool,
                                  kSheetPathLimit + 1));
        EXPECT_FALSE(GetBool(kIdUseExtension)) << which;
        EXPECT_EQ(store->GetString(keys::kIOFilePath, ""), before.ioFilePath);
        EXPECT_EQ(paths->IOFilePath().FullPath(), before.ioFilePath);
        EXPECT_EQ(store->GetString(keys::kToolPath, ""), before.toolPath);
    }
}

}  // namespace
