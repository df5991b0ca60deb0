// Twenty thousand files through the whole road in the list window: handed over, sorted, names
// out to the clipboard, every name rotated within its folder and read back, renamed by the
// automatic pass, checked on disk by contents, and restored.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/gui/gui_harness.h"
#include "tests/gui/varnel_texts.h"

namespace {

// Folders of a few hundred: a correctness test, not a measure of one huge folder.
constexpr int kFolders = 100;
constexpr int kPerFolder = 200;
constexpr int kFiles = kFolders * kPerFolder;
constexpr DWORD kStageMs = 240000;

std::string Folder(int f) {
    char name[16];
    std::snprintf(name, sizeof name, "d%03d", f);
    return name;
}

// Names out of order of making, to be put in order by the automatic sort.
std::string Base(int j) {
    char name[16];
    std::snprintf(name, sizeof name, "n%04d", (j * 7) % kPerFolder);
    return name;
}

// The file that sorts at position j of its folder, and the one after it in a ring.
std::string Sorted(int j) {
    char name[16];
    std::snprintf(name, sizeof name, "n%04d", j);
    return name;
}

TEST(Scale, TwentyThousandFilesAreRenamedExactlyAndRestored) {
    gui::ClipboardLock lock;
    ASSERT_TRUE(lock.ok());
    gui::Session s;
    std::string error;
    ASSERT_TRUE(s.Start(texts::kListWindow, &error)) << error;
    ASSERT_TRUE(gui::MakeFolder(s.PathOf("files")));
    std::string line;
    for (int f = 0; f < kFolders; ++f) {
        ASSERT_TRUE(gui::MakeFolder(s.PathOf("files\\" + Folder(f))));
        for (int j = 0; j < kPerFolder; ++j) {
            const std::string relative = "files\\" + Folder(f) + "\\" + Base(j) + ".dat";
            ASSERT_TRUE(gui::MakeFile(s.PathOf(relative), Folder(f) + Base(j)));
            line += "\"" + gui::ToCp932(s.PathOf(relative)) + "\" ";
        }
    }
    const std::string count = std::to_string(kFiles);

    ASSERT_TRUE(gui::HandOver(s.window(), line, kStageMs));
    ASSERT_TRUE(s.WaitForStatus(count, texts::kStepAdded, kStageMs)) << s.Describe();
    ASSERT_EQ(s.RowCount(), kFiles);
    // Sorted by path: folder by folder, names in order; the last row is the last file.
    EXPECT_EQ(s.Cell(0, 1), Sorted(0) + ".dat");
    EXPECT_EQ(s.Cell(kFiles - 1, 0), Sorted(kPerFolder - 1));
    EXPECT_EQ(s.Cell(kFiles - 1, 3), gui::ToCp932(s.PathOf("files\\" + Folder(kFolders - 1))));

    s.PostCommand(IDC_EXPORT_CLIPBOARD);
    ASSERT_TRUE(s.WaitForStatus(count, texts::kStepExported, kStageMs)) << s.Describe();
    std::string exported;
    ASSERT_TRUE(gui::ClipboardText(&exported));
    const std::vector<std::string> lines = gui::SplitLines(exported);
    ASSERT_GE(lines.size(), static_cast<size_t>(kFiles));
    std::string edited;
    for (int i = 0; i < kFiles; ++i) {
        ASSERT_EQ(lines[i], Sorted(i % kPerFolder)) << "line " << i + 1;
        // Each file takes the name of the next one in its folder: every file is in another's way.
        edited += Sorted((i + 1) % kPerFolder) + "\r\n";
    }
    ASSERT_TRUE(gui::PutClipboardText(edited));
    s.PostCommand(IDC_IMPORT_CLIPBOARD);
    ASSERT_TRUE(s.WaitForStatus(count, texts::kStepRenamed, kStageMs)) << s.Describe();

    // The file first named j now carries the next name, and is still that file.
    auto contentsAt = [&](int f, int j) {
        return gui::FileContents(s.PathOf("files\\" + Folder(f) + "\\" + Sorted(j) + ".dat"));
    };
    for (int f = 0; f < kFolders; ++f) {
        ASSERT_EQ(gui::NamesIn(s.PathOf("files\\" + Folder(f))).size(),
                  static_cast<size_t>(kPerFolder))
            << Folder(f);
        for (int j = 0; j < kPerFolder; ++j) {
            ASSERT_EQ(contentsAt(f, (j + 1) % kPerFolder), Folder(f) + Sorted(j))
                << Folder(f) << " " << Sorted(j);
        }
    }

    s.PostCommand(IDC_RESTORE);
    ASSERT_TRUE(s.WaitForStatus(count, texts::kStepRenamable, kStageMs)) << s.Describe();
    for (int f = 0; f < kFolders; ++f) {
        for (int j = 0; j < kPerFolder; ++j) {
            ASSERT_EQ(contentsAt(f, j), Folder(f) + Sorted(j)) << Folder(f) << " " << Sorted(j);
        }
    }
    EXPECT_EQ(s.Cell(kFiles - 1, 1), Sorted(kPerFolder - 1) + ".dat");
    DWORD code = 1;
    EXPECT_TRUE(s.Close(&code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
