// The held form is closed: every conversion from outside gives canonical text or refuses, and
// text that no conversion makes is refused at every border before it can hide a separator or
// stand for another file.
#include <string>
#include <vector>

#include "core/history.h"
#include "core/mbcs.h"
#include "core/texts.h"
#include "exchange/name_text.h"
#include "platform/clipboard.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "platform/utf8.h"
#include "settings/path_list.h"
#include "settings/setting_keys.h"
#include "settings/settings_sheet.h"
#include "settings/settings_store.h"
#include "tests/support/list_fixture.h"
#include "tests/support/separators.h"

namespace {

std::string Escape(char32_t c) {
    std::string held;
    platform::AppendEscape(&held, c);
    return held;
}

// The native text of code points; false for what the platform's text cannot hold (a surrogate
// in UTF-8).
bool NativeOf(std::initializer_list<char32_t> points, platform::NativeString* native) {
    native->clear();
    for (char32_t c : points) {
#ifdef _WIN32
        if (c >= 0x10000) {
            native->push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
            native->push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            native->push_back(static_cast<wchar_t>(c));
        }
#else
        if (c >= 0xD800 && c <= 0xDFFF) {
            return false;
        }
        std::string utf8;
        platform::AppendUtf8(&utf8, c);
        *native += utf8;
#endif
    }
    return true;
}

// Each code point alone, and in the two shapes that once read as an escape: after it three
// characters whose cp932 bytes (80 80 DC) would be the rest of an escape of "\", and あ ｱ (82 A0
// B1, the rest of an escape of 週). Each is exact both ways, and keeps its separators.
TEST(HeldText, EveryCodePointIsExactBothWaysAndKeepsItsSeparators) {
    unsigned checked = 0;
    unsigned escaped = 0;
    platform::NativeString native;
    platform::NativeString back;
    std::string held;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        // cp932 holds nothing beyond the BMP: the shapes matter only within it.
        const std::initializer_list<char32_t> shapes[] = {
            {c}, {c, 0x80, 0x80, 0xFF9C}, {c, 0x3042, 0xFF71}};
        for (std::size_t shape = 0; shape < (c < 0x10000 ? 3 : 1); ++shape) {
            if (!NativeOf(shapes[shape], &native)) {
                continue;
            }
            ASSERT_TRUE(platform::FromNative(native, &held)) << std::hex << c;
            ASSERT_TRUE(platform::ToNative(held, &back)) << std::hex << c;
            ASSERT_TRUE(back == native) << std::hex << c;
            ASSERT_EQ(HeldSeparators(held), NativeSeparators(native)) << std::hex << c;
            ++checked;
            escaped += shape == 0 && platform::HoldsEscapes(held) ? 1 : 0;
        }
    }
    // Every code point but the surrogates natively, all of them on Windows; and of those, the
    // ones beyond cp932 escaped (U+F8F0-U+F8F3 among them).
    EXPECT_GE(checked, 0x110000u - 0x800 + 2 * (0x10000 - 0x800));
    EXPECT_GT(escaped, 0x100000u);
    for (char32_t c = 0xF8F0; c <= 0xF8F3; ++c) {
        ASSERT_TRUE(NativeOf({c}, &native));
        ASSERT_TRUE(platform::FromNative(native, &held));
        EXPECT_EQ(held, Escape(c));
        EXPECT_FALSE(platform::FromNativeCp932(native, &held));
    }
}

// Bytes from outside that no conversion makes: ToNative takes only what is well formed, and
// IsCanonical only the one spelling the conversions make of each text.
TEST(HeldText, OnlyTheOneSpellingTheConversionsMakeIsCanonical) {
    const struct {
        std::string held;
        bool wellFormed;  // ToNative takes it (alike on both platforms)
        bool canonical;
    } cases[] = {
        {"a\\b/c:d.txt", true, true},
        {"\x95\x5C\x83\x5C", true, true},  // 表ソ: trail bytes of "\"
        {"\xFA\x5C", true, true},
        {"\xED\x40", true, false},  // the same character as FA 5C, in a code the system never keeps
        {Escape(0xF8F3) + "x", true, true},
        {Escape(0x1F600), true, true},
        {Escape('\\'), false, false},
        {Escape('/'), false, false},
        {Escape(':'), false, false},
        {Escape(0), false, false},
        {Escape(0x1F), false, false},
        {Escape(0x3042), false, false},  // あ has its cp932 form
        {Escape(0xFF5E), false, false},
        {"\xFF\x80", false, false},  // an escape cut short
        {"\xFF\x80\x80\xDC", false, false},
        {"\xFF", false, false},
        {"\x80", false, false},
        {"\xA0", false, false},
        {"\xFD", false, false},
        {"\xFE", false, false},
        {"\x82", false, false},      // a lead byte without its trail
        {"\x82\x20", false, false},  // a trail byte out of range
        {"\x85\x40", false, false},  // an unassigned pair
        // The escaped halves of a surrogate pair would be a second name for U+1F600.
        {Escape(0xD83D) + Escape(0xDE00), false, false},
    };
    for (const auto& c : cases) {
        platform::NativeString native;
        EXPECT_EQ(platform::ToNative(c.held, &native), c.wellFormed) << mbcs::ToSlashForm(c.held);
        EXPECT_EQ(platform::IsCanonical(c.held), c.canonical) << mbcs::ToSlashForm(c.held);
        // Shown safely whatever it is, and as it is when it is canonical.
        const std::string shown = platform::ShownForm(c.held);
        EXPECT_TRUE(platform::ToNative(shown, &native)) << mbcs::ToSlashForm(c.held);
        EXPECT_EQ(shown == c.held, c.wellFormed) << mbcs::ToSlashForm(c.held);
    }

    // Bytes that claim to be cp932 are read as characters: the one code of each, or refused.
    std::string held;
    EXPECT_TRUE(platform::Cp932ToHeld("\xED\x40\x95\x5C", &held));
    EXPECT_EQ(held, "\xFA\x5C\x95\x5C");
    for (const char* bad : {"\xFF", "\xA0", "\xFD", "\xFE", "\x80", "a\x82", "\x85\x40"}) {
        EXPECT_FALSE(platform::Cp932ToHeld(bad, &held)) << bad;
        EXPECT_FALSE(platform::IsCanonicalCp932(bad)) << bad;
    }
}

class HeldTextBorderTest : public ListTest {};

// Each border that takes text from outside refuses what is not canonical, with its own message.
TEST_F(HeldTextBorderTest, EveryBorderRefusesTextThatNoConversionMakes) {
    dir.MakeFolder("sub");
    dir.MakeFile("sub\\a.txt", "a");
    dir.MakeFile("escaped.txt", "victim");
    // ..\escaped.txt with its separator escaped: one name in sub to every rule that reads held
    // bytes, the parent's file to the file system.
    const std::string hidden =
        "..\xFF\x80\x80\xDC"
        "escaped.txt";

    // A hand-over, as the receiver splits it and adds its paths.
    std::string kept;
    for (const std::string& path : SplitPathList(dir.PathOf("sub\\" + hidden))) {
        kept += path + '\0';
    }
    list->AddPaths(kept);
    EXPECT_EQ(list->Count(), 0u);
    ASSERT_EQ(boxes::Recorded().size(), 1u);
    EXPECT_EQ(boxes::Recorded()[0].text,
              texts::Fill(texts::kAddNotText, {platform::ShownForm(dir.PathOf("sub\\" + hidden))}));

    // The IO file as cp932, with the separator smuggled into a line: refused by its line.
    std::string text;
    unsigned badLine = 0;
    EXPECT_FALSE(
        DecodeNameFile("a\r\n" + hidden + "\r\n", NameFileEncoding::Cp932, &text, &badLine));
    EXPECT_EQ(badLine, 2u);
    for (const char* stray : {"\xA0", "\x80", "\xFD", "x\x82"}) {
        EXPECT_FALSE(
            DecodeNameFile(std::string("ok\n") + stray, NameFileEncoding::Cp932, &text, &badLine));
        EXPECT_EQ(badLine, 2u) << stray;
    }
    EXPECT_TRUE(DecodeNameFile("\xED\x40\n", NameFileEncoding::Cp932, &text, &badLine));
    EXPECT_EQ(text, "\xFA\x5C\n");

#ifndef _WIN32
    // The clipboard: what another program left there is no text of ours. (The real clipboard's
    // CF_TEXT is tried in the Windows tests.)
    ASSERT_TRUE(platform::PutClipboardText(mainWindow, hidden));
    EXPECT_FALSE(platform::GetClipboardText(mainWindow, &text));
#endif

    // varnel.ini: a stored path is read as its characters; one that is no cp932 text is not
    // taken (the file keeps it for the user to mend), not even when the settings sheet keeps it,
    // and none is stored.
    const struct {
        std::string stored;
        std::string inUse;
    } paths[] = {{"C:\\\xFA\x5C.txt", "C:\\\xFA\x5C.txt"},
                 {"C:\\\xED\x40.txt", "C:\\\xFA\x5C.txt"},
                 {"C:\\" + hidden, dir.PathOf("tmp.txt")},
                 {"C:\\a\xFF.txt", dir.PathOf("tmp.txt")}};
    for (const auto& path : paths) {
        ASSERT_TRUE(platform::WriteWholeFile(mbcs::ToSlashForm(dir.PathOf("other.ini")),
                                             "[Basic]\r\nIOFilePath=" + path.stored + "\r\n"));
        SettingsStore other(keys::kSection, mbcs::ToSlashForm(dir.PathOf("other.ini")));
        AppPaths otherPaths(dir.PathOf("Varnel.exe"));
        RegisterDefaultSettings(&other, &otherPaths);
        EXPECT_EQ(otherPaths.IOFilePath().FullPath(), path.inUse) << path.stored;
        SheetHost host;
        host.settings = &other;
        host.paths = &otherPaths;
        BasicPageValues kept = LoadBasicPage(host);
        ASSERT_EQ(StoreBasicPage(host, kept, nullptr), 0);
        EXPECT_EQ(otherPaths.IOFilePath().FullPath(), path.inUse) << path.stored;
        other.SetString(keys::kToolPath, "C:\\" + Escape(0xF8F3));
        EXPECT_EQ(other.GetString(keys::kToolPath, "notepad"), "notepad");
        SetSettingsStore(nullptr);
        ResetSettingKeys();
    }

    EXPECT_EQ(dir.Read("escaped.txt"), "victim");
    EXPECT_EQ(dir.Read("sub\\a.txt"), "a");
}

// A forged history whose undo would move the parent's file in through an escaped "/", and
// a path no conversion makes in another pass: both are left alone and named, safely shown.
TEST_F(HeldTextBorderTest, TheHistorysUndoMovesNothingThroughAHiddenSeparator) {
    dir.MakeFolder("V");
    dir.MakeFile("secret.doc", "secret");
    dir.MakeFile("V\\b.txt", "b");
    const std::string f = paths->IniFolder() + "/";
    PassRecord forged;
    forged.kind = PassKind::Rename;
    forged.ended = 1;
    forged.plan.renames = {
        {f + "V/stolen.doc",
         f + "V/..\xFF\x80\x80\xAF"
             "secret.doc",
         "", platform::FileIdentity(f + "secret.doc")},
        {f + "V/a\xFF.txt", f + "V/b.txt", "", platform::FileIdentity(f + "V/b.txt")}};
    ASSERT_TRUE(history::Add(paths->IniFolder(), forged));
    history::Undone undone;
    ASSERT_EQ(history::Undo(paths->IniFolder(), history::Load(paths->IniFolder()).back(), &undone),
              history::UndoResult::Done);
    EXPECT_TRUE(undone.back.empty());
    EXPECT_EQ(undone.leftAlone.size(), 2u);
    const std::string report = history::UndoReport(undone);
    platform::NativeString native;
    EXPECT_TRUE(platform::ToNative(report, &native));
    EXPECT_EQ(dir.Read("secret.doc"), "secret");
    EXPECT_EQ(dir.Read("V\\b.txt"), "b");
    EXPECT_EQ(NamesBesidesIni(), (std::vector<std::string>{"V", "secret.doc"}));
}

}  // namespace
