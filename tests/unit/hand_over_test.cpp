// The text a second start sends: what the running copy's command-line reading splits back into
// exactly the paths that were given, less those cp932 cannot hold.
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
const Native kNoCp932 = L"C:\\caf\u00E9\\x.txt";
#else
const Native kNoCp932 = u8"C:\\caf\u00E9\\x.txt";
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
        const HandOverText out = MakeHandOverText(native);
        EXPECT_EQ(SplitPathList(out.text), paths) << out.text;
        EXPECT_TRUE(out.refused.empty());
    }
    EXPECT_EQ(MakeHandOverText({N("D:\\a b\\x.txt"), N("D:\\y.txt")}).text,
              "\"D:\\a b\\x.txt\" D:\\y.txt")
        << "the wire form: blank-separated, a path with a blank quoted";
}

TEST(HandOverText, APathWithoutACp932FormIsRefusedAndTheOthersAreSent) {
    const HandOverText out = MakeHandOverText({N("C:\\a.txt"), kNoCp932, N("C:\\b.txt")});
    EXPECT_EQ(out.text, "C:\\a.txt C:\\b.txt") << "no look-alike of the refused path is sent";
    EXPECT_EQ(out.refused, std::vector<Native>{kNoCp932});

    const HandOverText none = MakeHandOverText({kNoCp932});
    EXPECT_EQ(none.text, "") << "nothing left to send";
    EXPECT_EQ(none.refused.size(), 1u);
}

}  // namespace
