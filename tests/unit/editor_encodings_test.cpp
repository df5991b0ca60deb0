// An editor that saves the IO file in its own default encoding: the names go out, one of them
// ("plain") is changed by the user, the editor saves what it read in each form, and the names
// come back and are renamed. Each row either renames exactly what the user changed, or stops
// (refused, or asked and answered No) with nothing moved.
#include <algorithm>
#include <string>
#include <vector>

#include "core/texts.h"
#include "exchange/import.h"
#include "exchange/name_text.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "tests/support/euc_jp.h"
#include "tests/support/list_fixture.h"

namespace {

using Names = std::vector<std::string>;

enum class Saved {
    Utf8,
    Utf8Mark,
    Utf16LeMark,
    Cp932BestFit,
    EucJp,
    Utf8Replacement,  // read as UTF-8 though it was not
    Utf8JisTable,     // read with the JIS table's Shift_JIS (～ as 〜), saved as UTF-8
    Utf16Latin1,      // read as a Western code page, saved as UTF-16 LE with a mark
    Emptied,          // everything deleted and saved
};

std::string Held(const std::string& utf8) {
    std::string held;
    EXPECT_TRUE(platform::Utf8ToHeld(utf8, &held)) << utf8;
    return held;
}

// "ANSI" as Windows saves it: a character cp932 cannot hold becomes its best fit or "?".
std::string BestFit(const std::string& held) {
    std::string out;
    for (std::size_t i = 0; i < held.size(); i += mbcs::CharLength(held, i)) {
        char32_t c = 0;
        if (!platform::ReadEscape(held, i, &c)) {
            out.append(held, i, mbcs::CharLength(held, i));
        } else {
            out += c == 0xE9 ? 'e' : c == 0xEF ? 'i' : '?';
        }
    }
    return out;
}

class EditorEncodingsTest : public ListTest {
  protected:
    // The exported file as the editor saves it after the user changed "plain" to "plain2".
    std::string EditorSaves(const std::string& exported, Saved form) {
        if (form == Saved::Emptied) {
            return "";
        }
        if (form == Saved::Utf16Latin1) {
            // Each byte one character: the names and the footer become Western letters.
            std::string bytes = "\xFF\xFE";
            for (char c : Edited(exported)) {
                bytes += c;
                bytes += '\0';
            }
            return bytes;
        }
        if (form == Saved::Utf8Replacement) {
            // Read as UTF-8 though it was not: every byte beyond ASCII became U+FFFD.
            std::string out;
            for (char c : exported) {
                out += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : "\xEF\xBF\xBD";
            }
            return Edited(out);
        }
        std::string held = exported;
        if (exported.rfind("\xEF\xBB\xBF", 0) == 0) {
            held = Held(exported.substr(3));
        }
        held = Edited(held);
        std::string utf8;
        std::u16string utf16;
        if (form == Saved::Utf8JisTable) {
            std::string mapped;
            for (std::size_t i = 0; i < held.size(); i += mbcs::CharLength(held, i)) {
                if (held.compare(i, 2, "\x81\x60") == 0) {
                    platform::AppendEscape(&mapped, 0x301C);
                } else {
                    mapped.append(held, i, mbcs::CharLength(held, i));
                }
            }
            held = mapped;
            form = Saved::Utf8;
        }
        switch (form) {
            case Saved::Utf8:
            case Saved::Utf8Mark:
                EXPECT_TRUE(platform::HeldToUtf8(held, &utf8));
                return (form == Saved::Utf8Mark ? "\xEF\xBB\xBF" : "") + utf8;
            case Saved::Utf16LeMark: {
                EXPECT_TRUE(platform::HeldToUtf16(held, &utf16));
                std::string bytes = "\xFF\xFE";
                for (char16_t unit : utf16) {
                    bytes += static_cast<char>(unit & 0xFF);
                    bytes += static_cast<char>(unit >> 8);
                }
                return bytes;
            }
            case Saved::Cp932BestFit:
                return BestFit(held);
            case Saved::EucJp:
                return SjisToEucJp(BestFit(held));
            default:
                break;
        }
        return held;
    }

    static std::string Edited(std::string text) {
        const std::size_t at = text.find("\r\nplain\r\n");
        EXPECT_NE(at, std::string::npos);
        return text.replace(at, 9, "\r\nplain2\r\n");
    }

    // The whole road; the names on disk after it.
    Names Road(const std::string& folder, const Names& files, Saved form, int* asked,
               int* refused) {
        list = MakeList();
        dir.MakeFolder(folder);
        for (const std::string& name : files) {
            AddFile(folder + "\\" + name, name);
        }
        const std::string io = dir.PathOf("io.txt");
        EXPECT_EQ(ExportToFile(*list, io, NameKind::Edit, true), 0);
        std::string exported;
        EXPECT_TRUE(platform::ReadWholeFile(mbcs::ToSlashForm(io), &exported));
        EXPECT_TRUE(platform::WriteWholeFile(mbcs::ToSlashForm(io), EditorSaves(exported, form)));
        boxes::Reset();
        *asked = *refused = 0;
        boxes::SetAnswerer([&](const RecordedBox& box) {
            const bool question = (box.style & kMbYesNo) == kMbYesNo;
            ++(question ? *asked : *refused);
            // The question's default is No, and No is the answer here.
            EXPECT_TRUE(!question || (box.style & kMbDefButton2) != 0);
            return question ? kIdNo : kIdOk;
        });
        if (ImportFromFile(*list, io, ImportRules()) == 0) {
            EXPECT_EQ(list->RenameAll(), 0);
        }
        Names names = test_files::ListNames(dir.PathOf(folder));
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            EXPECT_EQ(dir.Read(folder + "\\" + name), name == "plain2.txt" ? "plain.txt" : name);
        }
        return names;
    }
};

TEST_F(EditorEncodingsTest, EachSavedFormRenamesWhatTheUserChangedOrStopsWithNothingMoved) {
    const Names cp932 = {Held(u8"写真.txt"), Held(u8"第1話～第3話.txt"), "plain.txt"};
    const Names unicode = {Held(u8"café.txt"), Held(u8"naïve.txt"), Held(u8"한국.txt"),
                           "plain.txt"};
    const auto renamed = [](Names names) {
        names.back() = "plain2.txt";
        return names;
    };
    const struct {
        const char* row;
        const Names& files;
        Saved form;
        bool renames;  // else stops, asked or refused
        bool asks;
    } rows[] = {
        {"cp932 out, UTF-8 back", cp932, Saved::Utf8, true, false},
        {"cp932 out, UTF-8 with mark back", cp932, Saved::Utf8Mark, true, false},
        {"cp932 out, UTF-16 LE back", cp932, Saved::Utf16LeMark, true, false},
        {"cp932 out, ANSI back", cp932, Saved::Cp932BestFit, true, false},
        {"cp932 out, EUC-JP back", cp932, Saved::EucJp, false, false},
        {"cp932 out, read as UTF-8 and saved", cp932, Saved::Utf8Replacement, false, false},
        {"UTF-8 out, UTF-8 back", unicode, Saved::Utf8, true, false},
        {"UTF-8 out, UTF-8 with mark back", unicode, Saved::Utf8Mark, true, false},
        {"UTF-8 out, UTF-16 LE back", unicode, Saved::Utf16LeMark, true, false},
        {"UTF-8 out, ANSI back", unicode, Saved::Cp932BestFit, false, true},
        {"UTF-8 out, EUC-JP back", unicode, Saved::EucJp, false, false},
        {"cp932 out, JIS table, UTF-8 back", cp932, Saved::Utf8JisTable, false, true},
        {"cp932 out, read as Western, UTF-16 LE back", cp932, Saved::Utf16Latin1, false, false},
        {"UTF-8 out, emptied", unicode, Saved::Emptied, false, false},
    };
    int n = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.row);
        int asked = 0;
        int refused = 0;
        const Names after = Road("f" + std::to_string(n++), row.files, row.form, &asked, &refused);
        Names expected = row.renames ? renamed(row.files) : row.files;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(after, expected);
        EXPECT_EQ(asked, row.asks ? 1 : 0);
        EXPECT_EQ(refused, row.renames || row.asks ? 0 : 1);
    }
}

// U+FFFD where the name that went out had none, through the clipboard too; and the question names
// each row with what went out and what came back.
TEST_F(EditorEncodingsTest, AReplacementCharacterIsAskedAboutNamingItsRow) {
    AddFile(Held(u8"ソ表.txt"));
    AddFile("plain.txt");
    ASSERT_EQ(ExportToFile(*list, dir.PathOf("io.txt"), NameKind::Edit, true), 0);
    ASSERT_TRUE(platform::WriteWholeFile(mbcs::ToSlashForm(dir.PathOf("io.txt")),
                                         "\xEF\xBB\xBF\xEF\xBF\xBD\\\xEF\xBF\xBD\\\r\nplain\r\n"));
    boxes::SetAnswerer([](const RecordedBox&) { return kIdNo; });
    EXPECT_EQ(ImportFromFile(*list, dir.PathOf("io.txt"), ImportRules()), 1);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    const std::string replacement = Held(u8"\uFFFD");
    EXPECT_EQ(
        boxes::Recorded()[0].text,
        texts::Fill(texts::kImportMayBeChanged,
                    {texts::Fill(texts::kImportChangedRow,
                                 {"1", Held(u8"ソ表"), replacement + "\\" + replacement + "\\"})}));
    EXPECT_EQ(list->At(0).Path(NameKind::Edit).FileName(), Held(u8"ソ表.txt"));
}

}  // namespace
