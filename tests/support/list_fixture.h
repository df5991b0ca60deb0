// A rename list over a real temporary folder, with the rules its owner would hand in, recorded
// message boxes and the recording window.
#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "core/mbcs.h"
#include "core/rename_list.h"
#include "gtest/gtest.h"
#include "settings/app_paths.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/test_files.h"
#include "tests/support/window_port_fake.h"

class ListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        boxes::Reset();
        ResetFakeWindow();
        SetFakeOwner(&mainWindow);
        // Every pass keeps its journal beside the INI file, as in the program.
        paths = std::make_unique<AppPaths>(dir.PathOf("Varnel.exe"));
        list = MakeList();
    }

    void TearDown() override {
        list.reset();
        SetFakeOwner(nullptr);
        paths.reset();
    }

    // A list that reads the rules below whenever it asks, keeping its journals beside the INI
    // file.
    std::unique_ptr<RenameList> MakeList() {
        auto made = std::make_unique<RenameList>([this] { return rules; });
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
    WindowHandle mainWindow = reinterpret_cast<WindowHandle>(0x1234);
    // As the settings start.
    ListRules rules;
    std::unique_ptr<AppPaths> paths;
    std::unique_ptr<RenameList> list;
};
