// cp932 <-> UTF-16 must be byte-exact both ways: a name that changes on the way names another
// file. Bytes and code points are written as escapes so that the expectations do not depend on
// the compiler's own cp932 table.

#include <string>

#include "gtest/gtest.h"
#include "platform/text.h"

namespace {

std::wstring Wide(const std::string& cp932) {
    std::wstring wide;
    EXPECT_TRUE(platform::ToNative(cp932, &wide));
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    std::string cp932;
    EXPECT_TRUE(platform::FromNative(wide, &cp932));
    return cp932;
}

bool Refused(const std::string& cp932) {
    std::wstring wide;
    return !platform::ToNative(cp932, &wide);
}

TEST(Cp932Text, DoubleByteCharactersWithBackslashTrailByte) {
    EXPECT_EQ(Wide("\x95\x5C"), L"\u8868");  // 表
    EXPECT_EQ(Wide("\x83\x5C"), L"\u30BD");  // ソ
    EXPECT_EQ(Narrow(L"\u8868"), "\x95\x5C");
    EXPECT_EQ(Narrow(L"\u30BD\u30D5\u30C8.txt"), "\x83\x5C\x83\x74\x83\x67.txt");  // ソフト.txt
}

TEST(Cp932Text, HalfWidthKatakanaAreSingleBytes) {
    EXPECT_EQ(Wide("\xB1\xDE"), L"\uFF71\uFF9E");    // ｱﾞ
    EXPECT_EQ(Narrow(L"\uFF76\uFF85"), "\xB6\xC5");  // ｶﾅ
}

// A table that follows JIS X 0201 would turn the separator into a yen sign.
TEST(Cp932Text, AsciiStaysAscii) {
    EXPECT_EQ(Wide("C:\\a~b?.txt"), L"C:\\a~b?.txt");
    EXPECT_EQ(Narrow(L"C:\\a~b?.txt"), "C:\\a~b?.txt");
}

TEST(Cp932Text, MixedNameRoundTrips) {
    const std::string name = "\x83\x74\x83\x40\x83\x43\x83\x8B_\xB6\xC5-\x95\x5C\x8E\xA6.txt";
    EXPECT_EQ(Narrow(Wide(name)), name);
}

TEST(Cp932Text, EmptyConvertsToEmptyAndClearsTheResult) {
    std::wstring wide = L"old";
    EXPECT_TRUE(platform::ToNative("", &wide));
    EXPECT_EQ(wide, L"");
    std::string narrow = "old";
    EXPECT_TRUE(platform::FromNative(L"", &narrow));
    EXPECT_EQ(narrow, "");
}

TEST(Cp932Text, InvalidCp932IsRefused) {
    EXPECT_TRUE(Refused(std::string("a\x95")));      // lead byte at the end
    EXPECT_TRUE(Refused(std::string("\x95.txt")));   // lead byte before a non-trail byte
    EXPECT_TRUE(Refused(std::string("\x81\x20z")));  // trail byte out of range
}

// The default character would make "?" of them, and best fit "e", a backslash or "~": all of
// them real, different names. Each is held as its escape instead, and comes back exactly; the
// form that must stay cp932 refuses them.
TEST(Cp932Text, CharactersWithoutCp932FormAreEscapedAndComeBackExactly) {
    const struct {
        std::wstring wide;
        std::string held;
    } cases[] = {
        {L"caf\u00E9.txt", "caf\xFF\x80\x81\xE9.txt"},           // é
        {L"\u00A5", "\xFF\x80\x81\xA5"},                         // ¥
        {L"\u203E\u8868", "\xFF\x80\xC0\xBE\x95\x5C"},           // overline, then 表
        {L"\U0001F600", "\xFF\x87\xEC\x80"},                     // outside the BMP
        {std::wstring(1, wchar_t(0xD800)), "\xFF\x83\xB0\x80"},  // lone surrogate
        {L"\u301C\uFF5E", "\xFF\x80\xE0\x9C\x81\x60"},           // 〜 has no cp932 form, ～ has
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Narrow(c.wide), c.held);
        EXPECT_EQ(Wide(c.held), c.wide);
        std::string cp932;
        EXPECT_FALSE(platform::FromNativeCp932(c.wide, &cp932));
    }
    // What is no escape: cut short, or a byte below 0x80 inside.
    EXPECT_TRUE(Refused(std::string("a\xFF\x80\x81")));
    EXPECT_TRUE(Refused(std::string("\xFF\x80\x5C\x81")));
}

}  // namespace
