// The main of every GUI test program: GoogleTest's flags, then --app=PATH for Varnel.exe and,
// for a driver that needs a helper program, --tool=PATH.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "tests/gui/gui_harness.h"

namespace {

// A picture at the first failed check of each test, while the program still shows the cause.
class SnapshotOnFailure : public ::testing::EmptyTestEventListener {
  public:
    void OnTestStart(const ::testing::TestInfo&) override { taken_ = false; }
    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (result.failed() && !taken_) {
            taken_ = true;
            gui::OfferSnapshot();
        }
    }

  private:
    bool taken_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new SnapshotOnFailure);
    constexpr char kAppFlag[] = "--app=";
    constexpr char kToolFlag[] = "--tool=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kAppFlag, sizeof(kAppFlag) - 1) == 0) {
            gui::SetAppPath(argv[i] + sizeof(kAppFlag) - 1);
        } else if (std::strncmp(argv[i], kToolFlag, sizeof(kToolFlag) - 1) == 0) {
            gui::SetToolPath(argv[i] + sizeof(kToolFlag) - 1);
        } else {
            std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
            return 2;
        }
    }
    return RUN_ALL_TESTS();
}
