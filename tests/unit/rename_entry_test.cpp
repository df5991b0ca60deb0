#include "settings/list_settings.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "tests/support/list_fixture.h"

namespace {

using EntryTest = ListTest;

TEST_F(EntryTest, NewEntryHasThreeEqualPathsAndNeedsNothing) {
    RenameEntry& e = AddFile("a.txt");
    EXPECT_FALSE(e.IsFolder());
    EXPECT_TRUE(e.Path(NameKind::Old).SameAs(e.Path(NameKind::Now)));
    EXPECT_TRUE(e.Path(NameKind::Edit).SameAs(e.Path(NameKind::Now)));
    EXPECT_FALSE(e.NeedsRename());
    EXPECT_FALSE(e.WasRenamed());
}

TEST_F(EntryTest, WithoutExtensionsTheFileNameIsEditedAsItsBase) {
    RenameEntry& e = AddFile("a.txt");
    EXPECT_EQ(e.DisplayName(NameKind::Edit), "a");
    e.SetEditName("new");
    EXPECT_EQ(e.Path(NameKind::Edit).FileName(), "new.txt");
    EXPECT_TRUE(e.NeedsRename());
    e.SetEditName("new.doc");
    EXPECT_EQ(e.Path(NameKind::Edit).FileName(), "new.doc.txt");
    EXPECT_EQ(e.DisplayName(NameKind::Edit), "new.doc");
    EXPECT_EQ(e.CandidatePath("b").FileName(), "b.txt");
    // The current and first paths are untouched by edits.
    EXPECT_EQ(e.Path(NameKind::Now).FileName(), "a.txt");
    EXPECT_FALSE(e.WasRenamed());
}

TEST_F(EntryTest, FoldersAlwaysShowAndTakeTheirWholeName) {
    dir.MakeFolder("my.docs");
    ASSERT_EQ(list->AddPath(dir.PathOf("my.docs")), 0);
    RenameEntry& e = list->At(0);
    EXPECT_TRUE(e.IsFolder());
    EXPECT_EQ(e.DisplayName(NameKind::Edit), "my.docs");
    e.SetEditName("your");
    EXPECT_EQ(e.Path(NameKind::Edit).FileName(), "your");
    EXPECT_EQ(e.Path(NameKind::Edit).Extension(), ".");
}

TEST_F(EntryTest, UseExtensionAsAtStartUpDecides) {
    // A store that starts with UseExtension on, as if read from the INI file.
    dir.MakeFile("b.txt");
    SettingsStore store(keys::kSection, mbcs::ToSlashForm(dir.PathOf("other.ini")));
    SetSettingsStore(&store);
    RegisterSetting(kIdUseExtension, keys::kUseExtension, "on");
    RenameEntry e(dir.PathOf("b.txt"), ListRulesFromSettings().wholeNamesShown);
    EXPECT_EQ(e.DisplayName(NameKind::Edit), "b.txt");
    e.SetEditName("new.doc");
    EXPECT_EQ(e.Path(NameKind::Edit).FileName(), "new.doc");
    e.SetEditName("new");
    EXPECT_EQ(e.Path(NameKind::Edit).FileName(), "new");
    EXPECT_EQ(e.Path(NameKind::Edit).Extension(), ".");

    // Switching it off during the run changes nothing until the next start, for entries added
    // later too.
    SetBool(kIdUseExtension, false);
    EXPECT_EQ(e.DisplayName(NameKind::Now), "b.txt");
    EXPECT_TRUE(ListRulesFromSettings().wholeNamesShown);
    SetSettingsStore(nullptr);
    ResetSettingKeys();
}

TEST_F(EntryTest, MissingPathIsNotAFolder) {
    RenameEntry e(dir.PathOf("missing"), false);
    EXPECT_FALSE(e.IsFolder());
}

}  // namespace
