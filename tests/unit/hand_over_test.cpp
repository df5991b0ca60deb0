// The text a second start sends: what the running copy's command-line reading splits back into
// exactly the paths that were given, those cp932 cannot hold too.
#include "ui/hand_over.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/path_list.h"

namespace {

using Native = platform::NativeString;

Native N(const std::string& cp932) {
    Native native;
    EXPECT_TRUE(platform::ToNative(cp932, &native)) << cp932;
    return native;
}

#ifdef _WIN32
const Native kNoCp932 = L"C:\\caf\u00E9 \u301C\\\U0001F600.txt";
#else
const Native kNoCp932 = u8"C:\\caf\u00E9 \u301C\\\U0001F600.txt";
#endif

TEST(HandOverText, TheReceiverSplitsItBackIntoTheSamePaths) {
    // A blank inside a path, a trail byte 0x5C (表, ソ) before a separator, a half-width kana.
    const std::vector<std::string> cases[] = {
        {"D:\\a b\\x.txt", "D:\\y.txt"},
        {"C:\\表\\ソ.txt", "C:\\ｶﾅ dir\\表 計.txt", "C:\\z"},
        {"C:\\one"},
    };
    for (const auto& paths : cases) {
        std::vector<Native> native;
        for (const std::string& p : paths) {
            native.push_back(N(p));
        }
        const std::string text = MakeHandOverText(native);
        EXPECT_EQ(SplitPathList(text), paths) << text;
    }
    EXPECT_EQ(MakeHandOverText({N("D:\\a b\\x.txt"), N("D:\\y.txt")}),
              "\"D:\\a b\\x.txt\" D:\\y.txt")
        << "the wire form: blank-separated, a path with a blank quoted";
}

// "é", "〜" and an emoji, a blank among them: the path arrives as it was, never a look-alike.
TEST(HandOverText, APathCp932CannotHoldIsSentExactly) {
    const std::vector<std::string> split =
        SplitPathList(MakeHandOverText({N("C:\\a.txt"), kNoCp932, N("C:\\b.txt")}));
    ASSERT_EQ(split.size(), 3u);
    EXPECT_EQ(split[0], "C:\\a.txt");
    EXPECT_EQ(split[2], "C:\\b.txt");
    Native back;
    ASSERT_TRUE(platform::ToNative(split[1], &back));
    EXPECT_EQ(back, kNoCp932);
}

}  // namespace
