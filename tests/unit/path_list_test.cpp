#include "settings/path_list.h"

#include "gtest/gtest.h"

namespace {

using Paths = std::vector<std::string>;

TEST(PathList, QuotedPathWithBlankThenPlainPath) {
    EXPECT_EQ(SplitPathList("\"C:\\My Files\\a.txt\" C:\\b.txt"),
              (Paths{"C:\\My Files\\a.txt", "C:\\b.txt"}));
    EXPECT_EQ(SplitPathList("C:\\a.txt \"C:\\x y\\b.txt\""),
              (Paths{"C:\\a.txt", "C:\\x y\\b.txt"}));
}

TEST(PathList, UnquotedBlankSplitsAndQuotesOnlyGroupAtTheStart) {
    EXPECT_EQ(SplitPathList("C:\\My Files\\a.txt"), (Paths{"C:\\My", "Files\\a.txt"}));
    EXPECT_EQ(SplitPathList("C:\\a\"b.txt"), (Paths{"C:\\a\"b.txt"}));
    // After a closing quote the next character starts a new path.
    EXPECT_EQ(SplitPathList("\"C:\\a b\"c"), (Paths{"C:\\a b", "c"}));
}

TEST(PathList, UnclosedQuoteIsDropped) {
    EXPECT_EQ(SplitPathList("\"C:\\never closed.txt"), Paths{});
    EXPECT_EQ(SplitPathList("C:\\a.txt \"C:\\b"), (Paths{"C:\\a.txt"}));
}

TEST(PathList, BlanksMakeNoEmptyPaths) {
    EXPECT_EQ(SplitPathList("a  b"), (Paths{"a", "b"}));
    EXPECT_EQ(SplitPathList("a "), (Paths{"a"}));
    EXPECT_EQ(SplitPathList(" a"), (Paths{"a"}));
    EXPECT_EQ(SplitPathList("   "), Paths{});
    EXPECT_EQ(SplitPathList(""), Paths{});
    EXPECT_EQ(SplitPathList("\"\" a"), (Paths{"a"}));
}

TEST(PathList, LongPathsAndDoubleByteNamesStayWhole) {
    const std::string longPath = "C:\\" + std::string(400, 'x');
    EXPECT_EQ(SplitPathList(longPath + " y"), (Paths{longPath, "y"}));
    // ソ and 表 end in 0x5C; no cp932 trail byte is a blank or a quote.
    EXPECT_EQ(SplitPathList("\"C:\\ソフト 表\\a.txt\" 表"), (Paths{"C:\\ソフト 表\\a.txt", "表"}));
}

TEST(PathList, WideTextSplitsTheSameWay) {
    EXPECT_EQ(SplitPathList(std::wstring(L"\"C:\\x y\\caf\u00e9.txt\"  b")),
              (std::vector<std::wstring>{L"C:\\x y\\caf\u00e9.txt", L"b"}));
}

}  // namespace
