#include <functional>
#include <string>
#include <vector>

#include "core/texts.h"
#include "exchange/import.h"
#include "exchange/name_text.h"
#include "platform/clipboard.h"
#include "platform/text.h"
#include "tests/support/expected_texts.h"
#include "tests/support/list_fixture.h"
#include "tests/support/test_clipboard.h"

namespace {

using Names = std::vector<std::string>;
using Writes = std::vector<unsigned>;

// The file variant of the footer, spelled once for every encoding an editor may save it in: with
// the u8 or u prefix a concatenation becomes UTF-8 or UTF-16.
// clang-format off
#define VARNEL_TEST_FOOTER \
    "//////////////////////////////////////////////////////////////////\r\n" \
    "// 説明と注意\r\n" \
    "// ・各行のテキストが各ファイル名に対応しています。必要な部分を書き換え、\r\n" \
    "// 　保存したのち、Varnelへ入力してください。（設定によっては自動的に入力されます）\r\n" \
    "// ・行数が足りないとVarnelへの入力に失敗します。（この説明文より上の）\r\n" \
    "// 　行数が変わらないように注意してください。\r\n" \
    "// ・余分な行は無視されるため、この説明文はそのまま保存してもかまいません。\r\n"
// clang-format on

using texts::Fill;
constexpr const char* kFileTitle = texts::kTitleFileContents;
constexpr const char* kClipboardTitle = texts::kTitleClipboardContents;
const std::string kFileTooFew = Fill(texts::kImportTooFewLines, {texts::kCommandImportFile});
const std::string kClipboardTooFew =
    Fill(texts::kImportTooFewLines, {texts::kCommandImportClipboard});

std::string TooMany(const std::string& line, const char* command) {
    return Fill(texts::kImportTooManyLines, {line, command});
}

std::string Utf16Le(const std::u16string& text, bool mark = true) {
    std::string bytes = mark ? "\xFF\xFE" : "";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

class ImportTest : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        mainWindow = test_clipboard::Acquire();
    }
    void TearDown() override {
        test_clipboard::Release();
        ListTest::TearDown();
    }

    void AddFiles(const Names& names) {
        for (const std::string& name : names) {
            AddFile(name, "content of " + name);
        }
        ResetFakeWindow();
    }

    std::string IoPath() const { return dir.PathOf("tmp.txt"); }
    int ImportText(const std::string& bytes) {
        dir.MakeFile("tmp.txt", bytes);
        return ImportFromFile(*list, IoPath(), rules);
    }
    int ImportClipboard(const std::string& text) {
        EXPECT_TRUE(platform::PutClipboardText(mainWindow, text));
        return ImportFromClipboard(*list, rules);
    }

    Names EditNames() const {
        Names names;
        for (unsigned i = 0; i < list->Count(); ++i) {
            names.push_back(list->At(i).Path(NameKind::Edit).FileName());
        }
        return names;
    }

    void ExpectOneBox(const std::string& text, const std::string& title) {
        ASSERT_EQ(boxes::Recorded().size(), 1u);
        const RecordedBox& box = boxes::Recorded()[0];
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.title, title);
        EXPECT_EQ(box.Icon(), kMbIconError);
        EXPECT_EQ(box.owner, mainWindow);
    }

    // A stopped import leaves every edit name and row as it was.
    void ExpectUntouched(const Names& editNames) {
        EXPECT_EQ(EditNames(), editNames);
        EXPECT_TRUE(TheFakeWindow().writes.empty());
    }

    void PutNonText() { test_clipboard::PutNonText(); }

    ImportRules rules;

    // All rows out for editing and back again, unchanged, by one of the two roads.
    int Export(bool clipboard) {
        return clipboard ? ExportToClipboard(*list, NameKind::Edit, true)
                         : ExportToFile(*list, IoPath(), NameKind::Edit, true);
    }
    int Import(bool clipboard) {
        return clipboard ? ImportFromClipboard(*list, rules)
                         : ImportFromFile(*list, IoPath(), rules);
    }
};

struct Source {
    const char* title;
    const char* command;
};

// Export, edit the file as an editor would, import, rename on disk and put everything back.
TEST_F(ImportTest, RoundTripThroughTheFileRenamesOnDisk) {
    AddFiles({"a.txt", "b.txt", "表.txt"});
    ASSERT_EQ(ExportToFile(*list, IoPath(), NameKind::Edit, true), 0);
    std::string text = dir.Read("tmp.txt");
    const std::string names = "a\r\nb\r\n表\r\n";
    ASSERT_EQ(text.compare(0, names.size(), names), 0);
    text.replace(0, names.size(), "b\r\na\r\nソフト\r\n");
    dir.MakeFile("tmp.txt", text);

    ASSERT_EQ(ImportFromFile(*list, IoPath(), rules), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_EQ(EditNames(), (Names{"b.txt", "a.txt", "ソフト.txt"}));
    EXPECT_EQ(TheFakeWindow().writes, (Writes{0, 1, 2}));
    // Importing renames nothing by itself.
    EXPECT_EQ(NamesBesidesIni(), (Names{"a.txt", "b.txt", "tmp.txt", "表.txt"}));

    ASSERT_EQ(list->RenameAll(), 0);
    EXPECT_EQ(dir.Read("b.txt"), "content of a.txt");
    EXPECT_EQ(dir.Read("a.txt"), "content of b.txt");
    EXPECT_EQ(dir.Read("ソフト.txt"), "content of 表.txt");
    ASSERT_EQ(list->RestoreAll(), 0);
    EXPECT_EQ(NamesBesidesIni(), (Names{"a.txt", "b.txt", "tmp.txt", "表.txt"}));
    EXPECT_EQ(dir.Read("表.txt"), "content of 表.txt");
    EXPECT_TRUE(boxes::Recorded().empty());
}

TEST_F(ImportTest, OnlyChangedRowsAreRewritten) {
    AddFiles({"a.txt", "b.txt", "c.txt"});
    ASSERT_EQ(ExportToFile(*list, IoPath(), NameKind::Edit, true), 0);
    ASSERT_EQ(ImportFromFile(*list, IoPath(), rules), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
    ExpectUntouched({"a.txt", "b.txt", "c.txt"});

    ASSERT_EQ(ImportText("a\r\nB\r\nc\r\n" VARNEL_TEST_FOOTER), 0);
    EXPECT_EQ(EditNames(), (Names{"a.txt", "B.txt", "c.txt"}));
    EXPECT_EQ(TheFakeWindow().writes, (Writes{1}));
}

// One import on a list of its own: taken with the edit names it leaves, or refused with its one
// message and every entry left as it was.
struct ImportCase {
    const char* what;
    Names listed;
    ImportRules rules;
    std::string text;
    std::string box;  // "" when taken
    std::string title;
    Names after;
    bool clipboard = false;
    const char* outside = "";  // a file beside the entries, not listed
};

ImportCase Taken(const char* what, const Names& listed, const ImportRules& rules,
                 const std::string& text, const Names& after) {
    return {what, listed, rules, text, "", "", after};
}
ImportCase Refused(const char* what, const Names& listed, const ImportRules& rules,
                   const std::string& text, const std::string& box, const std::string& title) {
    return {what, listed, rules, text, box, title, {}};
}
ImportCase FromClipboard(ImportCase c) {
    c.clipboard = true;
    return c;
}

TEST_F(ImportTest, EachLineIsTakenOrStopsTheImportAsTheRulesSay) {
    ImportRules checked;
    checked.names.checked = true;
    ImportRules allowTooFew;
    allowTooFew.refuseTooFewLines = false;
    ImportRules allowTooMany;
    allowTooMany.refuseTooManyLines = false;
    const Names abc = {"a.txt", "b.txt", "c.txt"};
    const Names ab = {"a.txt", "b.txt"};
    const std::string badName = texts::kTitleBadName;
    const std::string more = "\r\nmore names\r\nmore";
    ImportCase collision = Refused("a collision on disk", ab, {}, "a\r\nc\r\n" VARNEL_TEST_FOOTER,
                                   texts::kNamesCollide, badName);
    collision.outside = "c.txt";
    const ImportCase cases[] = {
        Taken("the line break at the end gives the last entry an empty line", abc, {}, "x\r\ny\r\n",
              {"x.txt", "y.txt", ".txt"}),
        Refused("checked one by one, the empty line is refused", abc, checked, "p\r\nq\r\n",
                Fill(texts::kNameDotsOnly, {""}), badName),
        Refused("too few lines", abc, {}, "x\r\ny", kFileTooFew, kFileTitle),
        Refused("too few lines, the last one ended", abc, {}, "x\r\n", kFileTooFew, kFileTitle),
        // The empty lines go on to the other checks, where they collide with each other.
        Refused("without the too-few rule missing lines are empty", abc, allowTooFew, "x",
                DuplicateText(2, ".txt", 3, ".txt"), badName),
        Taken("without the too-few rule one empty line is taken", abc, allowTooFew, "x\r\ny",
              {"x.txt", "y.txt", ".txt"}),
        // For a name without extension the empty line would name the folder itself.
        Refused("an empty line for a name without extension", {"a.txt", "b.txt", "c.txt", "d"},
                allowTooFew, "x\r\ny\r\nz", texts::kNamesCollide, badName),
        Taken("the footer ends the range silently", ab, {},
              "x\r\ny\r\n" + std::string(66, '/') + more, {"x.txt", "y.txt"}),
        Taken("an empty line ends the range silently", ab, {}, "x\r\ny\r\n" + more,
              {"x.txt", "y.txt"}),
        Taken("dots and blanks end the range silently", ab, {}, "x\r\ny\r\n . " + more,
              {"x.txt", "y.txt"}),
        Refused("a valid name after the range means too many lines", ab, {},
                "x\r\ny\r\nz\r\n" VARNEL_TEST_FOOTER, TooMany("z", texts::kCommandImportFile),
                kFileTitle),
        Taken("without the too-many rule the extra names are ignored", ab, allowTooMany,
              "x\r\ny\r\nz\r\n", {"x.txt", "y.txt"}),
        Refused("an empty list looks at the first line", {}, {}, "name\r\n" VARNEL_TEST_FOOTER,
                TooMany("name", texts::kCommandImportFile), kFileTitle),
        Taken("an empty list takes the footer first", {}, {}, VARNEL_TEST_FOOTER "name\r\n", {}),
        Taken("an empty list takes an empty file", {}, {}, "", {}),
        Taken("unchecked lines may hold any character", ab, {}, "x\r\nfo/o\r\n",
              {"x.txt", "fo/o.txt"}),
        Refused("checked lines are refused one by one", ab, checked, "p\r\nq:r\r\n",
                Fill(texts::kNameIllegalCharacters, {"q:r"}), badName),
        collision,
        // UTF-16 without byte-order mark reads as cp932 with a NUL in every other byte.
        Refused("a line with a NUL", ab, {}, "x\r\n" + Utf16Le(u"y\r\n", false),
                Fill(texts::kImportNul, {"2", texts::kCommandImportFile}), kFileTitle),
        // The import refuses what the pass would.
        Refused("names alike but for letter case", {"a.txt", "b"}, {}, "X\r\nx.txt\r\n",
                DuplicateText(1, "X.txt", 2, "x.txt"), badName),
        Refused("a name Windows strips", {"a.txt", "b"}, {}, "c\r\nd \r\n",
                CannotBeMadeText(2, "d ", texts::kWhyTrailingDotOrBlank), badName),
        // The clipboard has no extra line, and its lines no byte limit.
        FromClipboard(Refused("too few lines on the clipboard", abc, {}, "x\r\ny\r\n",
                              kClipboardTooFew, kClipboardTitle)),
        FromClipboard(Refused("too many lines on the clipboard", abc, {}, "x\ny\rz\r\nw",
                              TooMany("w", texts::kCommandImportClipboard), kClipboardTitle)),
        FromClipboard(Taken("a long line on the clipboard", abc, {},
                            "x\r\n" + std::string(251, 'l') + "\r\nz",
                            {"x.txt", std::string(251, 'l') + ".txt", "z.txt"})),
    };
    int round = 0;
    for (const ImportCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string folder = "case" + std::to_string(round++) + "\\";
        dir.MakeFolder(folder);
        list = MakeList();
        for (const std::string& name : c.listed) {
            AddFile(folder + name);
        }
        if (*c.outside != '\0') {
            dir.MakeFile(folder + c.outside);
        }
        ResetFakeWindow();
        boxes::Reset();
        rules = c.rules;
        const int result = c.clipboard ? ImportClipboard(c.text) : ImportText(c.text);
        if (c.box.empty()) {
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(boxes::Recorded().empty());
            EXPECT_EQ(EditNames(), c.after);
        } else {
            EXPECT_EQ(result, 1);
            ExpectOneBox(c.box, c.title);
            ExpectUntouched(c.listed);
        }
    }
}

// 130 kanji are 260 bytes, but far from the longest name: a name may have 255 characters (UTF-16
// units), the extension that is not shown included.
TEST_F(ImportTest, ANameIsLimitedByItsCharactersNotItsBytes) {
    AddFiles({"a.txt", "b.txt"});
    std::string kanji130;
    for (int i = 0; i < 130; ++i) {
        kanji130 += "表";
    }
    list->At(1).SetEditName(kanji130);
    ASSERT_EQ(ExportToFile(*list, IoPath(), NameKind::Edit, true), 0);
    ASSERT_EQ(ImportFromFile(*list, IoPath(), rules), 0);
    EXPECT_TRUE(boxes::Recorded().empty());
    EXPECT_EQ(EditNames(), (Names{"a.txt", kanji130 + ".txt"}));

    std::string longest;  // 251 characters and ".txt"
    for (int i = 0; i < 250; ++i) {
        longest += "ソ";
    }
    longest += "x";
    const std::string tooLong = "y" + longest;
    ASSERT_EQ(ImportText("x\r\n" + longest + "\r\n" VARNEL_TEST_FOOTER), 0);
    ASSERT_EQ(ImportClipboard("x\r\n" + longest + "\r\n"), 0);
    EXPECT_EQ(EditNames(), (Names{"x.txt", longest + ".txt"}));
    EXPECT_TRUE(boxes::Recorded().empty());

    ResetFakeWindow();
    const std::string head = "y" + longest.substr(0, 38) + texts::kCutMark;
    EXPECT_EQ(ImportText("z\r\n" + tooLong + "\r\nb\r\n"), 1);
    ExpectOneBox(Fill(texts::kImportLineTooLong, {"2", texts::kCommandImportFile, head}),
                 kFileTitle);
    boxes::Reset();
    EXPECT_EQ(ImportClipboard("z\r\n" + tooLong + "\r\nb"), 1);
    ExpectOneBox(Fill(texts::kImportLineTooLong, {"2", texts::kCommandImportClipboard, head}),
                 kClipboardTitle);
    ExpectUntouched({"x.txt", longest + ".txt"});
}

TEST_F(ImportTest, AFileThatCannotBeReadStopsWithItsOwnMessage) {
    AddFiles({"a.txt"});
    EXPECT_EQ(ImportFromFile(*list, dir.PathOf("gone.txt"), rules), 1);
    ExpectOneBox(Fill(texts::kImportCannotOpen, {dir.PathOf("gone.txt")}), kFileTitle);
    ExpectUntouched({"a.txt"});
}

TEST_F(ImportTest, FilesSavedInUnicodeImportTheIntendedNames) {
    AddFiles({"a.txt", "b.txt"});
    ASSERT_EQ(ImportText(u8"\uFEFF写真\r\n表計算\r\n" VARNEL_TEST_FOOTER), 0);
    EXPECT_EQ(EditNames(), (Names{"写真.txt", "表計算.txt"}));
    ASSERT_EQ(ImportText(u8"ｶﾅ\r\nソ\r\n" VARNEL_TEST_FOOTER), 0);
    EXPECT_EQ(EditNames(), (Names{"ｶﾅ.txt", "ソ.txt"}));
    ASSERT_EQ(ImportText(Utf16Le(u"日本\r\n語\r\n" VARNEL_TEST_FOOTER)), 0);
    EXPECT_EQ(EditNames(), (Names{"日本.txt", "語.txt"}));
    EXPECT_TRUE(boxes::Recorded().empty());

    // ﾃｩ in cp932 are the very bytes of "é" in UTF-8. A cp932 file with its footer is never
    // taken for UTF-8.
    ASSERT_EQ(ImportText("x\r\n\xC3\xA9\r\n" VARNEL_TEST_FOOTER), 0);
    EXPECT_EQ(list->At(1).Path(NameKind::Edit).Base(), "\xC3\xA9");
    EXPECT_TRUE(boxes::Recorded().empty());
}

// Without the footer such a text may be either; the user says which, or stops.
TEST_F(ImportTest, AFooterlessFileThatReadsAsUtf8AsksWhichItIs) {
    AddFiles({"a.txt", "b.txt"});
    const std::string utf8 = u8"写真\r\nsoft\r\n";
    const std::string question =
        Fill(texts::kImportAskEncoding,
             {IoPath(), Fill(texts::kImportBothReadings, {"写真", "\xE5\x86\x99\xE7\x9C\x9F"})});
    struct Case {
        int answer;
        int result;
        Names names;
    };
    const Case cases[] = {
        {kIdCancel, 1, {"a.txt", "b.txt"}},
        {kIdYes, 0, {"写真.txt", "soft.txt"}},
        {kIdNo, 0, {"\xE5\x86\x99\xE7\x9C\x9F.txt", "soft.txt"}},
    };
    for (const Case& c : cases) {
        boxes::Reset();
        boxes::SetAnswerer([&](const RecordedBox&) { return c.answer; });
        EXPECT_EQ(ImportText(utf8), c.result) << c.answer;
        ASSERT_EQ(boxes::Recorded().size(), 1u) << c.answer;
        const RecordedBox& box = boxes::Recorded()[0];
        EXPECT_EQ(box.text, question);
        EXPECT_EQ(box.title, texts::kTitleFileEncoding);
        EXPECT_EQ(box.style, static_cast<unsigned>(kMbIconQuestion | kMbYesNoCancel));
        EXPECT_EQ(box.owner, mainWindow);
        EXPECT_EQ(EditNames(), c.names) << c.answer;
    }

    // Text that is not UTF-8, or plain ASCII, is read as before without a question.
    boxes::Reset();
    ASSERT_EQ(ImportText("表\r\nsoft\r\n"), 0);
    EXPECT_EQ(EditNames(), (Names{"表.txt", "soft.txt"}));
    ASSERT_EQ(ImportText("x\r\ny\r\n"), 0);
    EXPECT_EQ(EditNames(), (Names{"x.txt", "y.txt"}));
    EXPECT_TRUE(boxes::Recorded().empty());
}

// Names cp932 cannot hold come back exactly from a Unicode file; what is no text in its encoding
// (half a UTF-8 sequence, a byte cp932 never has) stops the import at its line.
TEST_F(ImportTest, NamesCp932CannotHoldAreTakenExactlyAndMalformedLinesRefused) {
    const auto held = [](const std::string& utf8) {
        std::string out;
        EXPECT_TRUE(platform::Utf8ToHeld(utf8, &out)) << utf8;
        return out;
    };
    AddFiles({"a.txt", "b.txt"});
    ASSERT_EQ(ImportText(u8"x\r\ncaf\u00E9 \u301C\r\n" VARNEL_TEST_FOOTER), 0);
    EXPECT_EQ(EditNames(), (Names{"x.txt", held(u8"caf\u00E9 \u301C.txt")}));
    ASSERT_EQ(ImportText(Utf16Le(u"\U0001F600\r\n\u8868\r\n")), 0);
    EXPECT_EQ(EditNames(), (Names{held(u8"\U0001F600.txt"), "表.txt"}));
    EXPECT_TRUE(boxes::Recorded().empty());

    const struct {
        std::string bytes;
        std::string message;
    } refused[] = {
        {"\xEF\xBB\xBFx\r\n\xC3\r\n", Fill(texts::kImportNotReadable, {"2", "UTF-8"})},
        {"x\r\ny\xFF\x81\x82\x83\r\n", Fill(texts::kImportNotReadable, {"2", "Shift_JIS"})},
    };
    for (const auto& c : refused) {
        boxes::Reset();
        ResetFakeWindow();
        const Names before = EditNames();
        EXPECT_EQ(ImportText(c.bytes), 1);
        ExpectOneBox(c.message, kFileTitle);
        ExpectUntouched(before);
    }
}

TEST_F(ImportTest, RoundTripThroughTheClipboard) {
    AddFiles({"x", "y.txt"});
    ASSERT_EQ(ExportToClipboard(*list, NameKind::Edit, true), 0);
    std::string text;
    ASSERT_TRUE(platform::GetClipboardText(mainWindow, &text));
    ASSERT_EQ(text.compare(0, 6, "x\r\ny\r\n"), 0);
    ASSERT_EQ(ImportClipboard("y\r\n表ソ\r\n" + text.substr(6)), 0);
    EXPECT_EQ(EditNames(), (Names{"y", "表ソ.txt"}));
    ASSERT_EQ(list->RenameAll(), 0);
    EXPECT_EQ(dir.Read("y"), "content of x");
    EXPECT_EQ(dir.Read("表ソ.txt"), "content of y.txt");
    EXPECT_TRUE(boxes::Recorded().empty());
}

TEST_F(ImportTest, ClipboardWithoutTextFailsWithOrWithoutMessage) {
    AddFiles({"a.txt"});
    PutNonText();
    EXPECT_EQ(ImportFromClipboard(*list, rules), 1);
    ExpectOneBox(texts::kImportNotText, kClipboardTitle);
    rules.sayNotText = false;
    boxes::Reset();
    EXPECT_EQ(ImportFromClipboard(*list, rules), 1);
    EXPECT_TRUE(boxes::Recorded().empty());
    ExpectUntouched({"a.txt"});
}

TEST_F(ImportTest, NothingIsImportedWhileARenamePassRuns) {
    AddFiles({"a.txt", "b.txt"});
    list->At(0).SetEditName(std::string(300, 'n'));
    dir.MakeFile("tmp.txt", "p\r\nq\r\n" VARNEL_TEST_FOOTER);
    ASSERT_TRUE(platform::PutClipboardText(mainWindow, "p\r\nq"));
    std::vector<int> results;
    boxes::SetAnswerer([&](const RecordedBox&) {
        results.push_back(ImportFromFile(*list, IoPath(), rules));
        results.push_back(ImportFromClipboard(*list, rules));
        return kIdOk;
    });
    EXPECT_EQ(list->RenameAll(), 1);
    EXPECT_EQ(results, (std::vector<int>{1, 1}));
    EXPECT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(list->At(1).Path(NameKind::Edit).FileName(), "b.txt");
}

// Lines are taken by position: once entries were added, removed or re-ordered after the names
// went out, they would land on the wrong entries.
TEST_F(ImportTest, AnImportIsRefusedWhenTheListChangedSinceTheExport) {
    struct Change {
        const char* what;
        std::function<void()> make;
    };
    const Change changes[] = {
        {"add", [&] { AddFile("d.txt"); }},
        {"sort", [&] { list->Sort(NameKind::Now, PathPart::FileName, false); }},
        {"move",
         [&] {
             window_port::SelectRow(0, true);
             list->MoveSelected(1);
         }},
        {"new and add",
         [&] {
             list->Clear();
             AddFiles({"c.txt", "b.txt", "a.txt"});
         }},
    };
    for (bool clipboard : {false, true}) {
        const Source source = clipboard ? Source{kClipboardTitle, texts::kCommandImportClipboard}
                                        : Source{kFileTitle, texts::kCommandImportFile};
        for (const Change& change : changes) {
            list->Clear();
            AddFiles({"c.txt", "b.txt", "a.txt"});
            ASSERT_EQ(Export(clipboard), 0);
            change.make();
            const Names before = EditNames();
            ResetFakeWindow();
            boxes::Reset();
            // After New nothing exported is on record, and the import goes on as always.
            if (std::string(change.what) == "new and add") {
                EXPECT_EQ(Import(clipboard), 0);
                EXPECT_TRUE(boxes::Recorded().empty());
                continue;
            }
            EXPECT_EQ(Import(clipboard), 1) << change.what;
            ExpectOneBox(Fill(texts::kImportListChanged, {source.command}),
                         texts::kTitleListChanged);
            ExpectUntouched(before);
        }
    }
}

TEST_F(ImportTest, EditNamesAndASortThatMovesNothingKeepTheExportValid) {
    AddFiles({"a.txt", "b.txt", "c.txt"});
    for (bool clipboard : {false, true}) {
        ASSERT_EQ(Export(clipboard), 0);
        list->At(0).SetEditName("p");
        list->Sort(NameKind::Now, PathPart::FileName, false);
        window_port::SelectRow(2, true);
        list->MoveSelected(1);
        window_port::SelectRow(2, false);
        ASSERT_EQ(Import(clipboard), 0) << clipboard;
        EXPECT_TRUE(boxes::Recorded().empty());
        EXPECT_EQ(EditNames(), (Names{"a.txt", "b.txt", "c.txt"}));
    }
}

}  // namespace
