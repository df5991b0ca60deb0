#include "settings/settings_store.h"

#include <climits>
#include <memory>
#include <string>

#include "core/mbcs.h"
#include "gtest/gtest.h"
#include "settings/setting_keys.h"
#include "tests/support/test_files.h"
#include "ui/app_context.h"

namespace {

class SettingsStoreTest : public testing::Test {
  protected:
    SettingsStoreTest() {
        context.settings = store.get();
        SetSettingsStore(context.settings);
    }
    ~SettingsStoreTest() override {
        SetSettingsStore(nullptr);
        ResetSettingKeys();
    }

    std::string Ini() const { return mbcs::ToSlashForm(dir.PathOf("varnel.ini")); }
    // Ends the run: the store writes back, and the file is returned.
    std::string Exit() {
        context.settings = nullptr;
        store.reset();
        return dir.Read("varnel.ini");
    }

    TestDir dir;
    std::unique_ptr<SettingsStore> store = std::make_unique<SettingsStore>(keys::kSection, Ini());
    AppContext context;
};

TEST_F(SettingsStoreTest, FirstRunWritesEveryKeyInOrderOfFirstUse) {
    RegisterSetting(kIdTopMost, keys::kTopMost, "off");
    RegisterSetting(kIdAutoSort, keys::kAutoSort, "on");
    RegisterSetting(kIdUseExtension, keys::kUseExtension, "off");
    EXPECT_EQ(store->GetInt(keys::kWindowPosX, 100), 100);
    EXPECT_EQ(store->GetString(keys::kWindowMode, "Normal"), "Normal");
    store->SetInt(keys::kColumnWidthEdit, -3);
    SetBool(kIdTopMost, true);

    EXPECT_TRUE(GetBool(kIdAutoSort));
    EXPECT_FALSE(GetBool(kIdUseExtension));
    EXPECT_TRUE(dir.Names().empty()) << "nothing is written before the end of the run";
    EXPECT_EQ(Exit(),
              "[Basic]\r\nTopMost=on\r\nAutoSort=on\r\nUseExtension=off\r\nWindowPos_X=100\r\n"
              "WindowMode=Normal\r\nColumnWidth_Edit=-3\r\n");
}

TEST_F(SettingsStoreTest, OnlyLowerCaseOnIsOnAndOtherValuesSurviveUnchanged) {
    const std::string file =
        "[Other]\r\nAutoSort=on\r\n[Basic]\r\nAutoSort=ON\r\nAutoRename=1\r\nConfirmEnd=\r\n"
        "Untouched=kept\r\nDlgCBisLong=on\r\n";
    dir.MakeFile("varnel.ini", file);
    RegisterSetting(kIdAutoSort, keys::kAutoSort, "on");
    RegisterSetting(kIdAutoRename, keys::kAutoRename, "on");
    RegisterSetting(kIdConfirmEnd, keys::kConfirmEnd, "on");
    RegisterSetting(kIdRefuseTooManyLines, keys::kDlgCBisLong, "off");

    EXPECT_FALSE(GetBool(kIdAutoSort));
    EXPECT_FALSE(GetBool(kIdAutoRename));
    EXPECT_FALSE(GetBool(kIdConfirmEnd));
    EXPECT_TRUE(GetBool(kIdRefuseTooManyLines));
    EXPECT_EQ(store->GetString(keys::kConfirmEnd, "on"), "");
    EXPECT_EQ(Exit(), file);
}

TEST_F(SettingsStoreTest, SetOnUnreadKeyIgnoresTheFileAndReplacesItAtExit) {
    dir.MakeFile("varnel.ini",
                 "[Basic]\r\nToolPath=old\r\nUntouched=1\r\n[Other]\r\nToolPath=other\r\n");
    store->SetString(keys::kToolPath, "new");
    store->SetString(keys::kToolPath, "newer");
    store->SetString(keys::kEditAddNumStart, "010");

    EXPECT_EQ(store->GetInitialString(keys::kToolPath, "notepad"), "new");
    EXPECT_EQ(store->GetString(keys::kToolPath, "notepad"), "newer");
    // A value cp932 cannot hold (here "C:\\é") never reaches the file.
    store->SetString(keys::kToolPath, "C:\\\xFF\x80\x81\xE9");
    EXPECT_EQ(Exit(),
              "[Basic]\r\nToolPath=newer\r\nUntouched=1\r\nEditAdd_NumStart=010\r\n[Other]\r\n"
              "ToolPath=other\r\n");
}

TEST_F(SettingsStoreTest, FirstDefaultIsTheOneThatCounts) {
    EXPECT_EQ(store->GetString(keys::kWindowMode, "Normal"), "Normal");
    EXPECT_EQ(store->GetString(keys::kWindowMode, "ListView"), "Normal");
    EXPECT_EQ(store->GetInt(keys::kWindowSizeX, 620), 620);
    EXPECT_EQ(store->GetInt(keys::kWindowSizeX, 0), 620);
    RegisterSetting(kIdSingleApp, keys::kSingleApp, "on");
    RegisterSetting(kIdSingleApp, keys::kSingleApp, "off");
    EXPECT_TRUE(GetBool(kIdSingleApp));
}

TEST_F(SettingsStoreTest, InitialValueKeepsTheStartUpState) {
    dir.MakeFile("varnel.ini", "[Basic]\r\nUseExtension=on\r\n");
    RegisterSetting(kIdUseExtension, keys::kUseExtension, "off");
    SetBool(kIdUseExtension, false);

    EXPECT_FALSE(GetBool(kIdUseExtension));
    EXPECT_TRUE(GetInitialBool(kIdUseExtension));
    EXPECT_EQ(Exit(), "[Basic]\r\nUseExtension=off\r\n");
}

TEST_F(SettingsStoreTest, LongValueIsReadAndWrittenBackCut) {
    dir.MakeFile("varnel.ini", "[Basic]\r\nIOFilePath=" + std::string(300, 'x') + "\r\n");
    EXPECT_EQ(store->GetString(keys::kIOFilePath, ""), std::string(255, 'x'));
    EXPECT_EQ(Exit(), "[Basic]\r\nIOFilePath=" + std::string(255, 'x') + "\r\n");
}

TEST_F(SettingsStoreTest, NumbersReadTheWayTheyAreStored) {
    dir.MakeFile("varnel.ini",
                 "[Basic]\r\nColumnWidth_Edit=wide\r\nWindowPos_X=-120\r\nWindowPos_Y=42px\r\n"
                 "WindowSize_X=\r\n");
    EXPECT_EQ(store->GetInt(keys::kColumnWidthEdit, 150), 0);
    EXPECT_EQ(store->GetInt(keys::kWindowPosX, 100), -120);
    EXPECT_EQ(store->GetInt(keys::kWindowPosY, 100), 42);
    EXPECT_EQ(store->GetInt(keys::kWindowSizeX, 620), 0);
    EXPECT_EQ(store->GetInt(keys::kWindowSizeY, 400), 400);
}

TEST(SettingsTextTest, IntegersConvertLikeAtoiWithoutOverflow) {
    EXPECT_EQ(IntToText(-5), "-5");
    EXPECT_EQ(IntToText(INT_MIN), "-2147483648");
    EXPECT_EQ(TextToInt("+7"), 7);
    EXPECT_EQ(TextToInt(" -12ab3"), -12);
    EXPECT_EQ(TextToInt("-"), 0);
    EXPECT_EQ(TextToInt("x1"), 0);
    EXPECT_EQ(TextToInt("2147483647"), INT_MAX);
    EXPECT_EQ(TextToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(TextToInt("2147483648"), INT_MAX);
    EXPECT_EQ(TextToInt("-99999999999999999999"), INT_MIN);
}

TEST_F(SettingsStoreTest, UnknownIdsAndMissingStoreAreHarmless) {
    SetBool(kIdAutoSort, true);
    EXPECT_FALSE(GetBool(kIdAutoSort));

    RegisterSetting(kIdAutoSort, keys::kAutoSort, "on");
    RegisterSetting(kIdAutoSort, keys::kAutoCBCopy, "off");
    SetBool(kIdAutoSort, true);
    EXPECT_EQ(store->GetString(keys::kAutoCBCopy, ""), "on");
    EXPECT_EQ(store->GetString(keys::kAutoSort, ""), "on");

    SetSettingsStore(nullptr);
    EXPECT_FALSE(GetBool(kIdAutoSort));
    EXPECT_FALSE(GetInitialBool(kIdAutoSort));
    SetBool(kIdAutoSort, false);
    SetSettingsStore(context.settings);
    EXPECT_TRUE(GetBool(kIdAutoSort));
    EXPECT_EQ(Exit(), "[Basic]\r\nAutoSort=on\r\nAutoCBCopy=on\r\n");
}

}  // namespace
