#include "core/texts.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/unit/texts_pinned.h"

namespace {

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0x0F];
    }
    return hex;
}

}  // namespace

TEST(Texts, EveryTextHasExactlyItsPinnedBytes) {
    std::map<std::string, std::string> pinned;
    for (const PinnedText& text : kPinnedTexts) {
        EXPECT_TRUE(pinned.emplace(text.name, text.hex).second) << text.name << " pinned twice";
    }
    std::size_t count = 0;
    const texts::Named* all = texts::All(&count);
    EXPECT_EQ(count, pinned.size()) << "a text without its pinned bytes, or a pin without text";
    for (std::size_t i = 0; i < count; ++i) {
        const auto found = pinned.find(all[i].name);
        ASSERT_NE(found, pinned.end()) << all[i].name << " has no pinned bytes";
        EXPECT_EQ(Hex(all[i].text), found->second) << all[i].name;
    }
}

TEST(Texts, FillPutsEachPartWhereItsNumberStandsAndNothingElse) {
    const struct {
        const char* form;
        std::initializer_list<std::string_view> parts;
        std::string filled;
    } cases[] = {
        {"%1 / %2", {"a", "b"}, "a / b"},
        {"『%1』と『%1』", {"x"}, "『x』と『x』"},
        // A part is not read again: a name holding "%2" stays as it is.
        {"%1%2", {"%2", "b"}, "%2b"},
        // Numbers without a part, a lone "%" and "%0" are text.
        {"%3 %", {"a"}, "%3 %"},
        {"100%0", {"a"}, "100%0"},
        // 表 ends in 0x5C and ソ in 0x5C too; neither is taken for anything.
        {"表%1ソ", {"\\"}, "表\\ソ"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(texts::Fill(c.form, c.parts), c.filled) << c.form;
    }
}
