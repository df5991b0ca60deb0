// The rules as the settings give them: each key of varnel.ini reaches its own rule and no other,
// and the rules a test or a benchmark builds without settings are those of a first start.
#include "settings/list_settings.h"

#include <string>
#include <vector>

#include "core/mbcs.h"
#include "gtest/gtest.h"
#include "settings/app_paths.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "tests/support/test_files.h"

namespace {

struct Rules {
    ListRules list;
    ImportRules import;
};

// Every rule as one flag, to see which ones a key changed.
std::vector<bool> Flags(const Rules& r) {
    return {r.list.wholeNamesShown,  r.list.sayListedAgain,      r.list.refuseNested,
            r.list.checkPastedNames, r.import.refuseTooFewLines, r.import.refuseTooManyLines,
            r.import.sayNotText,     r.import.names.checked,     r.import.names.wholeNamesShown};
}

// The rules of a start with these lines in varnel.ini.
std::vector<bool> FlagsAtStart(const std::string& lines) {
    TestDir dir;
    dir.MakeFile("varnel.ini", "[Basic]\r\n" + lines);
    Rules rules;
    {
        SettingsStore store(keys::kSection, mbcs::ToSlashForm(dir.PathOf("varnel.ini")));
        AppPaths paths(dir.PathOf("Varnel.exe"));
        RegisterDefaultSettings(&store, &paths);
        rules = {ListRulesFromSettings(), ImportRulesFromSettings()};
        SetSettingsStore(nullptr);
        ResetSettingKeys();
    }
    return Flags(rules);
}

TEST(ListSettings, EachKeyReachesItsRulesAndNoOther) {
    const std::vector<bool> first = FlagsAtStart("");
    EXPECT_EQ(first, Flags(Rules{}));
    const struct {
        const char* line;
        std::vector<std::size_t> changed;
    } cases[] = {
        {"UseExtension=on", {0, 8}}, {"DlgItsNotNewPath=off", {1}}, {"DlgAddErrPath=off", {2}},
        {"DlgFNisWrong=on", {3, 7}}, {"DlgCBisShort=off", {4}},     {"DlgCBisLong=off", {5}},
        {"DlgCBisntTxt=off", {6}},
    };
    for (const auto& c : cases) {
        std::vector<bool> expected = first;
        for (std::size_t i : c.changed) {
            expected[i] = !expected[i];
        }
        EXPECT_EQ(FlagsAtStart(std::string(c.line) + "\r\n"), expected) << c.line;
    }
}

}  // namespace
