#include "core/path_name.h"
#include "core/mbcs.h"
#include "gtest/gtest.h"

namespace {

PathName FromPath(const std::string& path) {
    PathName p;
    p.SetFromFullPath(path);
    return p;
}

TEST(TextBytes, JapaneseLiteralsAreCp932) {
    EXPECT_EQ(std::string("表"), "\x95\x5C");
    EXPECT_EQ(std::string("改名Ｅｒｒ"), "\x89\xFC\x96\xBC\x82\x64\x82\x92\x82\x92");
    EXPECT_EQ(std::string("ｿ"), "\xBF");
}

TEST(Mbcs, TrailBytesAreNeverSeparators) {
    // ソ is 0x83 0x5C and ポ is 0x83 0x7C.
    const std::string s = "a\\ソ\\ポ|b";
    EXPECT_EQ(mbcs::FindLast(s, '\\'), 4u);
    EXPECT_EQ(mbcs::FindFirst(s, '|'), 7u);
    EXPECT_EQ(mbcs::FindFirst("ポ", '|'), std::string::npos);
    EXPECT_EQ(mbcs::ReplaceAll(s, '\\', '/'), "a/ソ/ポ|b");
    // A lead byte at the very end is taken alone rather than reading past the end.
    EXPECT_EQ(mbcs::FindLast(std::string("a.\x83"), '.'), 1u);
}

TEST(Mbcs, CaseFoldingTouchesAsciiLettersOnly) {
    const auto same = [](const char* a, const char* b) {
        return mbcs::FoldAsciiCase(a) == mbcs::FoldAsciiCase(b);
    };
    EXPECT_TRUE(same("Read Me.TXT", "read me.txt"));
    EXPECT_FALSE(same("a.txt", "a.txx"));
    // ア (0x83 0x41) and ヂ (0x83 0x61), セ (0x83 0x5A) and ホ (0x83 0x7A) differ only in a
    // trail byte that looks like an ASCII letter.
    EXPECT_FALSE(same("ア", "ヂ"));
    EXPECT_FALSE(same("xセ.txt", "xホ.txt"));
    EXPECT_FALSE(same("Ａ", "ａ"));
}

TEST(PathName, SplitsAtLastBackslashAndLastDot) {
    PathName p = FromPath("D:\\dir\\a.b.txt");
    EXPECT_EQ(p.Folder(), "D:\\dir");
    EXPECT_EQ(p.Base(), "a.b");
    EXPECT_EQ(p.Extension(), "txt");
    EXPECT_EQ(p.FileName(), "a.b.txt");
    EXPECT_EQ(p.FullPath(), "D:\\dir\\a.b.txt");

    p.SetBase("x.y");
    EXPECT_EQ(p.FileName(), "x.y.txt");
    EXPECT_EQ(p.Extension(), "txt");
    p.SetFileName("x.y");
    EXPECT_EQ(p.Base(), "x");
    EXPECT_EQ(p.Extension(), "y");
    EXPECT_EQ(p.FullPath(), "D:\\dir\\x.y");
}

TEST(PathName, DotlessLeadingDotAndTrailingDotNames) {
    PathName cfg = FromPath("D:\\dir\\.cfg");
    EXPECT_EQ(cfg.Base(), "");
    EXPECT_EQ(cfg.Extension(), "cfg");
    EXPECT_EQ(cfg.FileName(), ".cfg");

    PathName trailing = FromPath("D:\\dir\\a.");
    EXPECT_EQ(trailing.Base(), "a");
    EXPECT_EQ(trailing.Extension(), "");
    EXPECT_EQ(trailing.FileName(), "a.");
    EXPECT_EQ(trailing.FullPath(), "D:\\dir\\a.");

    PathName readme = FromPath("D:\\dir\\README");
    EXPECT_EQ(readme.Base(), "README");
    EXPECT_EQ(readme.Extension(), ".");
    EXPECT_EQ(readme.FileName(), "README");
    EXPECT_EQ(readme.FullPath(), "D:\\dir\\README");
    EXPECT_EQ(readme.FileName(), "README");

    PathName root = FromPath("D:\\x.txt");
    EXPECT_EQ(root.Folder(), "D:");
    EXPECT_EQ(root.SlashPath(), "D:/x.txt");
}

TEST(PathName, DoubleByteTrailBackslashStaysInsideNames) {
    PathName p = FromPath("D:\\表\\ソ表.txt");
    EXPECT_EQ(p.Folder(), "D:\\表");
    EXPECT_EQ(p.Base(), "ソ表");
    EXPECT_EQ(p.SlashPath(), "D:/表/ソ表.txt");

    PathName noExt = FromPath("D:\\a\\表");
    EXPECT_EQ(noExt.Folder(), "D:\\a");
    EXPECT_EQ(noExt.Base(), "表");
    EXPECT_EQ(noExt.Extension(), ".");
}

TEST(PathName, SameAsComparesTheThreePartsExactly) {
    EXPECT_TRUE(FromPath("D:\\x\\a.txt").SameAs(FromPath("D:\\x\\a.txt")));
    EXPECT_FALSE(FromPath("D:\\x\\a.txt").SameAs(FromPath("D:\\x\\A.txt")));
    EXPECT_FALSE(FromPath("D:\\x\\a").SameAs(FromPath("D:\\x\\a.")));
    EXPECT_FALSE(FromPath("D:\\x\\a.txt").SameAs(FromPath("D:\\X\\a.txt")));

    // Same full path, other split: not the same record.
    PathName a = FromPath("D:\\x\\read.me");
    PathName b;
    b.Assign("D:\\x", "read.me", ".");
    EXPECT_EQ(a.FullPath(), b.FullPath());
    EXPECT_FALSE(a.SameAs(b));
}

TEST(PathName, PartSelectsByInterfaceValue) {
    PathName p = FromPath("C:\\f\\n.e");
    EXPECT_EQ(p.Part(static_cast<PathPart>(0)), "C:\\f\\n.e");
    EXPECT_EQ(p.Part(static_cast<PathPart>(1)), "n.e");
    EXPECT_EQ(p.Part(static_cast<PathPart>(2)), "C:\\f");
    EXPECT_EQ(p.Part(static_cast<PathPart>(3)), "n");
    EXPECT_EQ(p.Part(static_cast<PathPart>(4)), "e");
}

}  // namespace
