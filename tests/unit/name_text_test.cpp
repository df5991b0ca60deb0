#include <string>
#include <vector>

#include "core/texts.h"
#include "exchange/name_text.h"
#include "platform/clipboard.h"
#include "tests/support/list_fixture.h"
#include "tests/support/test_clipboard.h"

namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

// The footer typed out here on its own, so that a slip in either copy shows.
const char kFileFooter[] =
    "//////////////////////////////////////////////////////////////////\r\n"
    "// 説明と注意\r\n"
    "// ・各行のテキストが各ファイル名に対応しています。必要な部分を書き換え、\r\n"
    "// 　保存したのち、Varnelへ入力してください。（設定によっては自動的に入力されます）\r\n"
    "// ・行数が足りないとVarnelへの入力に失敗します。（この説明文より上の）\r\n"
    "// 　行数が変わらないように注意してください。\r\n"
    "// ・余分な行は無視されるため、この説明文はそのまま保存してもかまいません。\r\n";
const char kClipboardFooter[] =
    "//////////////////////////////////////////////////////////////////\r\n"
    "// 説明と注意\r\n"
    "// ・各行のテキストが各ファイル名に対応しています。必要な部分を書き換え、\r\n"
    "// 　Varnelへ入力してください。\r\n"
    "// ・行数が足りないとVarnelへの入力に失敗します。（この説明文より上の）\r\n"
    "// 　行数が変わらないように注意してください。\r\n"
    "// ・余分な行は無視されるため、この説明文ごと入力してもかまいません。";

Lines SplitAtCrLf(const std::string& text) {
    Lines lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

template <typename Reader>
Lines ReadUntilEnd(Reader reader) {
    Lines lines;
    while (!reader.AtEnd() && lines.size() < 100) {
        lines.push_back(reader.Read());
    }
    return lines;
}

class NameTextTest : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        mainWindow = test_clipboard::Acquire();
    }
    void TearDown() override {
        test_clipboard::Release();
        ListTest::TearDown();
    }

    // A file, a folder with a dot and a name whose second byte is 0x5C, in this order.
    void AddThree() {
        AddFile("photo.jpg");
        dir.MakeFolder("backup.old");
        ASSERT_EQ(list->AddPath(dir.PathOf("backup.old")), 0);
        AddFile("表計算.xls");
    }

    std::string Clipboard() {
        std::string text;
        EXPECT_TRUE(platform::GetClipboardText(mainWindow, &text));
        return text;
    }

    void PutNonText() { test_clipboard::PutNonText(); }
};

TEST_F(NameTextTest, FooterBytesAreExact) {
    const std::string footer = FileFooterText();
    EXPECT_EQ(footer, kFileFooter);
    const Lines lines = SplitAtCrLf(footer);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], std::string(66, '/'));
    EXPECT_EQ(lines[1], "// \x90\xE0\x96\xBE\x82\xC6\x92\x8D\x88\xD3");  // 説明と注意
    EXPECT_EQ(lines[3].substr(0, 5), "// \x81\x40");
    EXPECT_EQ(lines[5].substr(0, 5), "// \x81\x40");
    EXPECT_EQ(lines[7], "");
    // Every line break is CR LF: no CR or LF is left inside a line.
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    }

    const std::string clip = ClipboardFooterText();
    EXPECT_EQ(clip, kClipboardFooter);
    const Lines clipLines = SplitAtCrLf(clip);
    ASSERT_EQ(clipLines.size(), 7u);
    EXPECT_EQ(clipLines[3],
              "// \x81\x40Varnel\x82\xD6\x93\xFC\x97\xCD\x82\xB5\x82\xC4\x82\xAD"
              "\x82\xBE\x82\xB3\x82\xA2\x81\x42");
    EXPECT_NE(clip.back(), '\n');
}

TEST_F(NameTextTest, FileHoldsTheDisplayNamesThenTheFooter) {
    AddThree();
    list->At(0).SetEditName("new");
    const std::string path = dir.PathOf("tmp.txt");

    ASSERT_EQ(ExportToFile(*list, path, NameKind::Edit, true), 0);
    EXPECT_EQ(dir.Read("tmp.txt"),
              std::string("new\r\nbackup.old\r\n\x95\x5C\x8C\x76\x8E\x5A\r\n") + kFileFooter);

    ASSERT_EQ(ExportToFile(*list, path, NameKind::Old, true), 0);
    EXPECT_EQ(dir.Read("tmp.txt"), std::string("photo\r\nbackup.old\r\n表計算\r\n") + kFileFooter);
    // Writing changes nothing in the list.
    EXPECT_TRUE(TheFakeWindow().writes.empty());
    EXPECT_EQ(list->At(0).Path(NameKind::Edit).FileName(), "new.jpg");
}

TEST_F(NameTextTest, FileOfSelectedRowsOrOfAnEmptyListStillHasTheFooter) {
    dir.MakeFile("tmp.txt", std::string(5000, 'x'));
    const std::string path = dir.PathOf("tmp.txt");
    ASSERT_EQ(ExportToFile(*list, path, NameKind::Edit, true), 0);
    EXPECT_EQ(dir.Read("tmp.txt"), kFileFooter);

    AddThree();
    window_port::SelectRow(2, true);
    window_port::SelectRow(0, true);
    ASSERT_EQ(ExportToFile(*list, path, NameKind::Now, false), 0);
    EXPECT_EQ(dir.Read("tmp.txt"), std::string("photo\r\n表計算\r\n") + kFileFooter);
}

// The user learns which file and why, and the export is not one that an import answers.
TEST_F(NameTextTest, FileThatCannotBeWrittenIsReportedWithItsReason) {
    AddThree();
    struct Case {
        std::string path;
        const char* reason;
    };
    std::vector<Case> cases = {
        {dir.PathOf("missing") + "\\tmp.txt", texts::kWriteFolderMissing},
        {dir.PathOf("backup.old"), texts::kWriteAccessDenied},
    };
#ifndef _WIN32
    cases.push_back({"/dev/full", texts::kWriteDiskFull});
#endif
    for (const Case& c : cases) {
        boxes::Reset();
        EXPECT_EQ(ExportToFile(*list, c.path, NameKind::Edit, true), 1) << c.path;
        ASSERT_EQ(boxes::Recorded().size(), 1u) << c.path;
        const RecordedBox& box = boxes::Recorded()[0];
        EXPECT_EQ(box.text, texts::Fill(texts::kExportFailed, {c.path, c.reason}));
        EXPECT_EQ(box.title, texts::kTitleExport);
        EXPECT_EQ(box.Icon(), kMbIconError);
        EXPECT_EQ(box.owner, mainWindow);
    }
    EXPECT_FALSE(dir.Has("missing"));
}

TEST_F(NameTextTest, FileNamedInJapaneseIsWrittenAtExactlyThatPath) {
    AddFile("a.txt");
    ASSERT_EQ(ExportToFile(*list, dir.PathOf("表ソ.txt"), NameKind::Edit, true), 0);
    EXPECT_EQ(dir.Read("表ソ.txt"), std::string("a\r\n") + kFileFooter);
}

TEST_F(NameTextTest, ClipboardOfAllRowsEndsWithTheLastFooterLine) {
    AddThree();
    ASSERT_EQ(ExportToClipboard(*list, NameKind::Edit, true), 0);
    EXPECT_EQ(Clipboard(), std::string("photo\r\nbackup.old\r\n表計算\r\n") + kClipboardFooter);
}

TEST_F(NameTextTest, ClipboardOfSelectedRowsHasNoFooter) {
    AddThree();
    list->At(1).SetEditName("b.new");
    window_port::SelectRow(1, true);
    ASSERT_EQ(ExportToClipboard(*list, NameKind::Edit, false), 0);
    EXPECT_EQ(Clipboard(), "b.new\r\n");
    ASSERT_EQ(ExportToClipboard(*list, NameKind::Old, false), 0);
    EXPECT_EQ(Clipboard(), "backup.old\r\n");

    // No row selected: the clipboard is emptied of the old text, and holds text still.
    window_port::SelectRow(1, false);
    ASSERT_EQ(ExportToClipboard(*list, NameKind::Edit, false), 0);
    EXPECT_EQ(Clipboard(), "");
}

TEST_F(NameTextTest, ClipboardFirstLine) {
    ASSERT_TRUE(platform::PutClipboardText(mainWindow, "first\r\nsecond"));
    EXPECT_EQ(ClipboardFirstLine(mainWindow), "first");
    ASSERT_TRUE(platform::PutClipboardText(mainWindow, "only"));
    EXPECT_EQ(ClipboardFirstLine(mainWindow), "only");
    ASSERT_TRUE(platform::PutClipboardText(mainWindow, "\ra"));
    EXPECT_EQ(ClipboardFirstLine(mainWindow), "");
    ASSERT_TRUE(platform::PutClipboardText(mainWindow, "表ソ\nx"));
    EXPECT_EQ(ClipboardFirstLine(mainWindow), "表ソ");
    PutNonText();
    EXPECT_EQ(ClipboardFirstLine(mainWindow), "");
}

TEST(FileLineReaderTest, ALineBreakAtTheEndOffersOneMoreEmptyLine) {
    EXPECT_EQ(ReadUntilEnd(FileLineReader("a\r\nb\r\n")), (Lines{"a", "b", ""}));
    EXPECT_EQ(ReadUntilEnd(FileLineReader("a\r\nb")), (Lines{"a", "b"}));
    EXPECT_EQ(ReadUntilEnd(FileLineReader("")), (Lines{""}));
    EXPECT_EQ(ReadUntilEnd(FileLineReader("\r\n")), (Lines{"", ""}));
}

TEST(FileLineReaderTest, LoneLfEndsALineAndLoneCrBelongsToIt) {
    EXPECT_EQ(ReadUntilEnd(FileLineReader("a\nb\rc\r\r\nd\r")), (Lines{"a", "b\rc\r", "d\r"}));
}

TEST(FileLineReaderTest, ReadsAfterTheEndAreEmpty) {
    FileLineReader reader("a");
    EXPECT_FALSE(reader.AtEnd());
    EXPECT_EQ(reader.Read(), "a");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.Read(), "");
    EXPECT_EQ(reader.Read(), "");
    EXPECT_TRUE(reader.AtEnd());
}

TEST(FileLineReaderTest, LongLinesAreReadWhole) {
    const std::string line(300, 'x');
    EXPECT_EQ(ReadUntilEnd(FileLineReader(line + "\r\n" + "y")), (Lines{line, "y"}));
}

TEST(ClipboardLineReaderTest, NoExtraLineAfterAFinalLineBreak) {
    EXPECT_EQ(ReadUntilEnd(ClipboardLineReader("a\r\nb\r\n")), (Lines{"a", "b"}));
    EXPECT_EQ(ReadUntilEnd(ClipboardLineReader("")), (Lines{}));
    ClipboardLineReader reader("a");
    EXPECT_EQ(reader.Read(), "a");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.Read(), "");
}

TEST(ClipboardLineReaderTest, CrLfAndEachLoneCrOrLfEndALine) {
    EXPECT_EQ(ReadUntilEnd(ClipboardLineReader("a\rb\nc\r\nd\n\re\r\rf")),
              (Lines{"a", "b", "c", "d", "", "e", "", "f"}));
}

// A lead byte takes the next byte with it, even one that would be a line break.
TEST(ClipboardLineReaderTest, LineBreaksAreFoundByCharacters) {
    EXPECT_EQ(ReadUntilEnd(ClipboardLineReader("x\x81\ry\nz")), (Lines{"x\x81\ry", "z"}));
    EXPECT_EQ(ReadUntilEnd(ClipboardLineReader("表\r\nソ")), (Lines{"表", "ソ"}));
}

TEST(ClipboardLineReaderTest, NoLengthLimit) {
    const std::string line(5000, 'x');
    EXPECT_EQ(ReadUntilEnd(ClipboardLineReader(line + "\r\nb")), (Lines{line, "b"}));
}

struct Decoded {
    bool ok;
    std::string text;
    NameFileEncoding encoding;
    unsigned badLine;
};

Decoded Decode(const std::string& bytes) {
    Decoded d{false, "", NameFileEncoding::Cp932, 99};
    bool unsure = false;
    d.encoding = DetectNameFileEncoding(bytes, &unsure);
    d.ok = DecodeNameFile(bytes, d.encoding, &d.text, &d.badLine);
    return d;
}

// UTF-8 and UTF-16 LE are imported in the import tests; these are the forms they do not reach.
TEST(DecodeNameFileTest, BigEndianUtf16) {
    const Decoded d = Decode("\xFE\xFF\x88\x68\0\n\x30\xBD"s);
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.encoding, NameFileEncoding::Utf16Be);
    EXPECT_EQ(d.text, "表\nソ");
}

TEST(DecodeNameFileTest, MalformedTextNamesItsLine) {
    const std::string utf8Mark = "\xEF\xBB\xBF";
    const std::string utf16Mark = "\xFF\xFE";
    const std::string twoLines = "a\0\n\0"s;
    const Decoded cutSequence = Decode(utf8Mark + "a\n\xE8\xAA\n");
    const Decoded loneSurrogate = Decode(utf16Mark + twoLines + "\x00\xD8"s);
    const Decoded halfUnit = Decode(utf16Mark + twoLines + "b");
    for (const Decoded& d : {cutSequence, loneSurrogate, halfUnit}) {
        EXPECT_FALSE(d.ok);
        EXPECT_EQ(d.badLine, 2u);
        EXPECT_EQ(d.text, "");
    }
}

// Without a mark or a footer only text that is well-formed UTF-8 with a multi-byte character
// leaves the question open; a footer of either kind settles it.
TEST(DecodeNameFileTest, UnmarkedTextIsCp932UnlessItAlsoReadsAsUtf8) {
    const std::string cp932Footer = FileFooterText();
    const std::string utf8Footer = u8"// 説明と注意\r\n";
    struct Case {
        std::string bytes;
        NameFileEncoding encoding;
        bool unsure;
    };
    const Case cases[] = {
        {"abc\r\ndef\r\n", NameFileEncoding::Cp932, false},
        {"表\r\nソ\r\n", NameFileEncoding::Cp932, false},
        {u8"写真\r\nソ\r\n", NameFileEncoding::Cp932, true},
        {u8"\U0001F600\r\n", NameFileEncoding::Cp932, true},
        {"\xC3\xA9\r\n" + cp932Footer, NameFileEncoding::Cp932, false},
        {u8"写真\r\n" + utf8Footer, NameFileEncoding::Utf8, false},
        // An overlong "/", a surrogate, a cut sequence, a stray continuation byte.
        {"\xC0\xAF\r\n", NameFileEncoding::Cp932, false},
        {"\xED\xA0\x80\r\n", NameFileEncoding::Cp932, false},
        {"a\xE5\x86", NameFileEncoding::Cp932, false},
        {"\x86\x99", NameFileEncoding::Cp932, false},
    };
    for (const Case& c : cases) {
        bool unsure = !c.unsure;
        EXPECT_EQ(DetectNameFileEncoding(c.bytes, &unsure), c.encoding) << c.bytes;
        EXPECT_EQ(unsure, c.unsure) << c.bytes;
    }
}

}  // namespace
