#include "core/texts.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text.h"
#include "tests/unit/texts_utf8.h"

// Each text is the exact cp932 of its source: the build's conversion is compared with the
// program's own exact one, which refuses a character cp932 does not hold as it is (a compiler
// may map U+301C or U+2212 to a look-alike).
TEST(Texts, EveryTextIsTheExactCp932OfItsSource) {
    std::size_t count = 0;
    const texts::Named* built = texts::All(&count);
    std::size_t sourceCount = 0;
    const TextAsUtf8* source = TextsAsUtf8(&sourceCount);
    ASSERT_EQ(count, sourceCount);
    for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(built[i].name);
        ASSERT_STREQ(built[i].name, source[i].name);
        std::string exact;
        ASSERT_TRUE(platform::Utf8ToHeld(source[i].utf8, &exact));
        EXPECT_FALSE(platform::HoldsEscapes(exact)) << "a character cp932 does not hold";
        EXPECT_EQ(std::string(built[i].text), exact);
        // And the exe's texts are never UTF-8 by mistake (an ASCII text is both).
        EXPECT_TRUE(platform::IsCanonicalCp932(built[i].text));
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
