// A rename list over a real temporary folder, with a settings store, recorded message boxes and
// the recording window.
#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "core/mbcs.h"
#include "core/rename_list.h"
#include "gtest/gtest.h"
#include "settings/app_paths.h"
#include "settings/list_settings.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/test_files.h"
#include "tests/support/window_port_fake.h"
#include "ui/app_context.h"

class ListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        boxes::Reset();
        ResetFakeWindow();
        context.mainWindow = reinterpret_cast<WindowHandle>(0x1234);
        SetFakeOwner(&context.mainWindow);
        store = std::make_unique<SettingsStore>(keys::kSection,
                                                mbcs::ToSlashForm(dir.PathOf("varnel.ini")));
        context.settings = store.get();
        // Every pass keeps its journal beside the INI file, as in the program.
        paths = std::make_unique<AppPaths>(dir.PathOf("Varnel.exe"));
        context.paths = paths.get();
        SetSettingsStore(context.settings);
        RegisterSetting(kIdUseExtension, keys::kUseExtension, "off");
        RegisterSetting(kIdSayListedAgain, keys::kDlgItsNotNewPath, "on");
        RegisterSetting(kIdRefuseNested, keys::kDlgAddErrPath, "on");
        list = MakeList();
    }

    void TearDown() override {
        list.reset();
        SetFakeOwner(nullptr);
        SetSettingsStore(nullptr);
        ResetSettingKeys();
        store.reset();
        context.paths = nullptr;
        paths.reset();
    }

    // A list with the rules of the settings here, keeping its journals beside the INI file.
    std::unique_ptr<RenameList> MakeList() {
        auto made = std::make_unique<RenameList>(ListRulesFromSettings);
        made->SetJournalFolder(paths->IniFolder());
        return made;
    }

    // Makes a file with the given contents and adds it to the list.
    RenameEntry& AddFile(const std::string& name, const std::string& contents = "") {
        dir.MakeFile(name, contents);
        EXPECT_EQ(list->AddPath(dir.PathOf(name)), 0) << name;
        return list->At(list->Count() - 1);
    }

    std::vector<std::string> NamesBesidesIni() const {
        std::vector<std::string> names = dir.Names();
        // The program's own files beside the INI file are not the user's.
        for (const char* own : {"varnel.ini", history::kFileName, history::kLockFileName}) {
            names.erase(std::remove(names.begin(), names.end(), own), names.end());
        }
        return names;
    }

    TestDir dir;
    AppContext context;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<AppPaths> paths;
    std::unique_ptr<RenameList> list;
};
