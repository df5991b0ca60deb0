#include "settings/app_paths.h"
#include "core/texts.h"

#include <memory>

#include "core/mbcs.h"
#include "gtest/gtest.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/test_files.h"
#include "ui/app_context.h"

namespace {

class AppPathsTest : public ::testing::Test {
  protected:
    void SetUp() override { boxes::Reset(); }
    void TearDown() override {
        SetSettingsStore(nullptr);
        ResetSettingKeys();
    }

    // Start-up as the entry function does it, with the executable at the given path.
    void StartUp(const std::string& exe) {
        paths = std::make_unique<AppPaths>(exe);
        context.paths = paths.get();
        store = std::make_unique<SettingsStore>(keys::kSection, paths->IniPath());
        context.settings = store.get();
        RegisterDefaultSettings(context.settings, context.paths);
    }

    void ExitAndReadIni(std::string* ini) {
        store.reset();
        context.settings = nullptr;
        ASSERT_TRUE(test_files::ReadFile(dir.PathOf("varnel.ini"), ini));
    }

    TestDir dir;
    AppContext context;
    std::unique_ptr<AppPaths> paths;
    std::unique_ptr<SettingsStore> store;
};

// Whatever ran before, no message box is left over from another test.
class AppPathsNames : public ::testing::Test {
  protected:
    void SetUp() override { boxes::Reset(); }
};

TEST_F(AppPathsNames, IniBesideTheExecutableInSlashForm) {
    AppContext context;
    AppPaths paths("D:\\A\\B\\app.exe");
    EXPECT_EQ(paths.IniPath(), "D:/A/B/varnel.ini");
    EXPECT_EQ(paths.ExecutableFolder(), "D:\\A\\B");

    // 表 ends in the byte 0x5C, which is no separator.
    AppPaths japanese("D:\\表\\ソフト\\VARNEL.EXE");
    EXPECT_EQ(japanese.IniPath(), "D:/表/ソフト/varnel.ini");
    EXPECT_TRUE(boxes::Recorded().empty());
}

TEST_F(AppPathsNames, MissingExecutablePathFallsBackToTheCurrentFolder) {
    AppContext context;
    AppPaths paths("");
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].title, texts::kTitleModulePath);
    EXPECT_EQ(boxes::Recorded()[0].text, texts::kModulePathFailed);
    EXPECT_EQ(paths.ExecutableFolder(), ".");
    EXPECT_EQ(paths.IniPath(), "./varnel.ini");
}

TEST_F(AppPathsTest, FirstRunWritesTheRegisteredKeysInOrder) {
    StartUp(dir.PathOf("Varnel.exe"));
    EXPECT_EQ(paths->IOFilePath().FullPath(), dir.PathOf("tmp.txt"));
    EXPECT_EQ(paths->ToolPath(), "notepad");
    std::string ini;
    ExitAndReadIni(&ini);
    const std::string folder = dir.Path();
    EXPECT_EQ(ini,
              "[Basic]\r\nTopMost=off\r\nUseExtension=off\r\nSingleApp=on\r\nIOFilePath=" + folder +
                  "\\tmp.txt\r\nToolPath=notepad\r\nAutoSort=on\r\nAutoCBCopy=off\r\n"
                  "AutoRename=on\r\nConvertIllegalName=on\r\nAutoFileOpen=on\r\n"
                  "AutoFileClose=on\r\nConfirmEnd=on\r\nDlgCBisntTxt=on\r\nDlgCBisShort=on\r\n"
                  "DlgItsNotNewPath=on\r\nDlgFNisWrong=off\r\nDlgAddErrPath=on\r\n"
                  "DlgCBisLong=on\r\nColumnWidth_Edit=150\r\nColumnWidth_Now=150\r\n"
                  "ColumnWidth_Old=150\r\nColumnWidth_Path=150\r\nPath_CDlgOpen=" +
                  folder + "\r\n");
}

TEST_F(AppPathsTest, StoredPathsAreInPlaceRightAfterStartUp) {
    dir.MakeFile("varnel.ini",
                 "[Basic]\r\nIOFilePath=Z:\\io\\names.txt\r\nToolPath=C:\\tools\\ed.exe\r\n");
    StartUp(dir.PathOf("Varnel.exe"));
    EXPECT_EQ(paths->IOFilePath().Folder(), "Z:\\io");
    EXPECT_EQ(paths->IOFilePath().FileName(), "names.txt");
    EXPECT_EQ(paths->ToolPath(), "C:\\tools\\ed.exe");
}

TEST_F(AppPathsTest, IOFileWithoutFolderLiesBesideTheExecutable) {
    dir.MakeFile("varnel.ini", "[Basic]\r\nIOFilePath=names.txt\r\n");
    StartUp(dir.PathOf("Varnel.exe"));
    EXPECT_EQ(paths->IOFilePath().FullPath(), dir.PathOf("names.txt"));
}

}  // namespace
