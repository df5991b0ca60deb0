#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/texts.h"
#include "exchange/add_text.h"
#include "res/resource_ids.h"
#include "settings/setting_keys.h"
#include "settings/settings_store.h"
#include "tests/support/list_fixture.h"

namespace {

using Names = std::vector<std::string>;

const std::string kKatakanaA = "\x83\x41";  // ア: its trail byte is "A"

struct AddCase {
    const char* label;
    Names editNames;  // of files e0.txt, e1.txt, ...
    std::set<unsigned> selected;
    AddMode mode;
    AddPosition position;
    const char* text;
    const char* target;
    std::string startText;
    const char* incrementText;
    bool hexadecimal;
    bool checkNames;  // DlgFNisWrong
    Names expected;
    std::string box = "";  // the one message, if any
};

const std::string kLong(250, 'x');
const std::string kWide = [] {
    std::string s;
    for (int i = 0; i < 250; ++i) {
        s += kKatakanaA;
    }
    return s;
}();

const AddCase kCases[] = {
    {"numbers in list order, unselected rows skipped",
     {"a", "b", "c", "d"},
     {0, 1, 3},
     AddMode::Number,
     AddPosition::Front,
     "",
     "",
     "001",
     "1",
     false,
     false,
     {"001a", "002b", "c", "003d"}},
    {"hexadecimal from a decimal start",
     {"a", "b"},
     {0, 1},
     AddMode::Number,
     AddPosition::Back,
     "",
     "",
     "010",
     "1",
     true,
     false,
     {"a00a", "b00b"}},
    {"counting down past zero wraps",
     {"a", "b"},
     {0, 1},
     AddMode::Number,
     AddPosition::Front,
     "",
     "",
     "0",
     "-1",
     false,
     false,
     {"0a", "4294967295b"}},
    {"a width wider than any number is printed whole",
     {"a"},
     {0},
     AddMode::Number,
     AddPosition::Front,
     "",
     "",
     std::string(39, '0') + "7",
     "1",
     false,
     false,
     {std::string(39, '0') + "7a"}},
    {"inserted text is not searched again",
     {"banana"},
     {0},
     AddMode::Text,
     AddPosition::Inside,
     "aa",
     "a",
     "001",
     "1",
     false,
     false,
     {"baanaanaa"}},
    {"a trail byte is not a character",
     {kKatakanaA + "A"},
     {0},
     AddMode::Text,
     AddPosition::Inside,
     "B",
     "A",
     "001",
     "1",
     false,
     false,
     {kKatakanaA + "B"}},
    // "ç" cp932 cannot hold is held as FF 80 81 E7, whose last bytes are those of "∫" (81 E7).
    {"an escaped character is one character",
     {"\xFF\x80\x81\xE7\x81\xE7"},
     {0},
     AddMode::Text,
     AddPosition::Inside,
     "x",
     "\x81\xE7",
     "001",
     "1",
     false,
     false,
     {"\xFF\x80\x81\xE7x"}},
    {"numbers in place of a text",
     {"x-y-z"},
     {0},
     AddMode::Number,
     AddPosition::Inside,
     "",
     "-",
     "7",
     "1",
     false,
     false,
     {"x7y7z"}},
    {"an empty target leaves the name",
     {"abc"},
     {0},
     AddMode::Text,
     AddPosition::Inside,
     "z",
     "",
     "001",
     "1",
     false,
     false,
     {"abc"}},
    {"back goes before the hidden extension",
     {"photo"},
     {0},
     AddMode::Text,
     AddPosition::Back,
     "_x",
     "",
     "001",
     "1",
     false,
     false,
     {"photo_x"}},
    {"a refused name keeps its entry and uses up its number",
     {"a", "b?", "c"},
     {0, 1, 2},
     AddMode::Number,
     AddPosition::Front,
     "",
     "",
     "1",
     "1",
     false,
     true,
     {"1a", "b?", "3c"}},
    {"without the check an illegal name is taken",
     {"b?"},
     {0},
     AddMode::Text,
     AddPosition::Front,
     "<",
     "",
     "001",
     "1",
     false,
     false,
     {"<b?"}},
    {"255 characters with the extension fit, 256 do not",
     {kLong, kLong, kWide, kWide},
     {0, 1, 2, 3},
     AddMode::Text,
     AddPosition::Back,
     "1",
     "",
     "001",
     "1",
     false,
     false,
     {kLong + "1", kLong + "1", kWide + "1", kWide + "1"}},
    {"longer than a name can be, whatever the check says",
     {kLong, kWide},
     {0, 1},
     AddMode::Text,
     AddPosition::Front,
     "12",
     "",
     "001",
     "1",
     false,
     false,
     {kLong, kWide},
     texts::Fill(texts::kNamesTooLong, {"255", "2"}) +
         texts::Fill(texts::kNamesTooLongFirstRow, {"1"}) +
         texts::Fill(texts::kNamesTooLongNextRow, {"2"})},
};

class AddTextTest : public ListTest {
  protected:
    SettingsStore store{keys::kSection, mbcs::ToSlashForm(dir.PathOf("varnel.ini"))};
};

TEST_F(AddTextTest, EditNamesOfTheSelectedRows) {
    for (const AddCase& c : kCases) {
        SCOPED_TRACE(c.label);
        list->Clear();
        for (std::size_t i = 0; i < c.editNames.size(); ++i) {
            AddFile("e" + std::to_string(i) + ".txt").SetEditName(c.editNames[i]);
        }
        ResetFakeWindow();
        TheFakeWindow().selected = c.selected;

        EditAddOptions options;
        options.list = list.get();
        options.window = mainWindow;
        options.mode = c.mode;
        options.position = c.position;
        options.text = c.text;
        options.target = c.target;
        options.startText = c.startText;
        options.incrementText = c.incrementText;
        options.hexadecimal = c.hexadecimal;
        options.names.checked = c.checkNames;
        TakeNumbers(&options);
        AddToEditNames(options);

        Names shown;
        for (unsigned i = 0; i < list->Count(); ++i) {
            shown.push_back(list->At(i).DisplayName(NameKind::Edit));
            EXPECT_EQ(list->At(i).Path(NameKind::Edit).Extension(), "txt");
            const bool rewritten = shown.back() != c.editNames[i];
            const auto& writes = TheFakeWindow().writes;
            EXPECT_EQ(std::count(writes.begin(), writes.end(), i), rewritten ? 1 : 0) << i;
        }
        EXPECT_EQ(shown, c.expected);
        EXPECT_EQ(TheFakeWindow().grayed.count(IDC_RENAME), 1u) << "command states not updated";
        if (c.box.empty()) {
            EXPECT_TRUE(boxes::Recorded().empty());
        } else {
            ASSERT_EQ(boxes::Recorded().size(), 1u);
            EXPECT_EQ(boxes::Recorded()[0].text, c.box);
        }
    }
}

TEST_F(AddTextTest, FieldsRewriteThemselves) {
    const struct {
        std::string (*field)(const std::string&);
        std::string typed;
        std::string shown;
    } kFields[] = {
        {StartFieldText, "012", "012"},
        {StartFieldText, "1a" + kKatakanaA + " 2", "100002"},
        {StartFieldText, std::string(300, '5'), std::string(255, '5')},
        {IncrementFieldText, "0", "1"},
        {IncrementFieldText, "-", "1"},
        {IncrementFieldText, "-3", "-3"},
        {IncrementFieldText, " +07x", "7"},
        {[](const std::string& s) { return StepStartDigits(s, 0); }, "123456789", "123456789"},
        {[](const std::string& s) { return StepStartDigits(s, 0); }, "12345678", "012345678"},
        {[](const std::string& s) { return StepStartDigits(s, 1); }, "7", "7"},
        {[](const std::string& s) { return StepStartDigits(s, 1); }, "007", "07"},
    };
    for (const auto& f : kFields) {
        EXPECT_EQ(f.field(f.typed), f.shown) << f.typed;
    }
}

TEST_F(AddTextTest, NumberSettingsOnlyChangeWhenStored) {
    EditAddOptions options;
    LoadEditAddSettings(&store, &options);
    EXPECT_EQ(options.startText, "001");
    EXPECT_EQ(options.incrementText, "1");
    EXPECT_FALSE(options.hexadecimal);

    options.startText = "0100";
    options.incrementText = "-2";
    options.hexadecimal = true;
    StoreEditAddSettings(&store, options);
    EditAddOptions again;
    LoadEditAddSettings(&store, &again);
    EXPECT_EQ(again.startText, "0100");
    EXPECT_EQ(again.incrementText, "-2");
    EXPECT_TRUE(again.hexadecimal);
    EXPECT_EQ(store.GetString(keys::kEditAddHexa, ""), "on");
}

}  // namespace
