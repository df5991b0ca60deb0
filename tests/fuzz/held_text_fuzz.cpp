// Arbitrary bytes as held text, as native text and as a varnel.history. Besides crashes, it
// checks what the held form promises: canonical text goes to its native form and back exactly
// with the same separators, every conversion from outside gives canonical text, whatever is shown
// can be shown; and a history reads back as it encodes, and a pass added to any file is kept
// after the whole passes before it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/history.h"
#include "core/mbcs.h"
#include "platform/text.h"
#include "platform/text_file.h"
#include "tests/support/separators.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckHeld(const std::string& bytes) {
    platform::NativeString native;
    std::string back;
    if (platform::IsCanonical(bytes)) {
        Check(platform::ToNative(bytes, &native) && platform::FromNative(native, &back) &&
              back == bytes);
        Check(HeldSeparators(bytes) == NativeSeparators(native));
        Check(platform::ShownForm(bytes) == bytes);
    } else {
        Check(platform::ToNative(platform::ShownForm(bytes), &native));
    }
    std::string held;
    if (platform::Cp932ToHeld(bytes, &held)) {
        Check(platform::IsCanonicalCp932(held));
        Check(HeldSeparators(held) == HeldSeparators(bytes));
    }
    // The bytes as a name the file system gave (UTF-8 here).
    if (platform::FromNative(bytes, &held)) {
        Check(platform::IsCanonical(held));
        Check(platform::ToNative(held, &native) && native == bytes);
        Check(HeldSeparators(held) == NativeSeparators(bytes));
    }
}

std::string Folder() {
    static const std::string folder = [] {
        char name[] = "/tmp/varnel-fuzz-XXXXXX";
        Check(mkdtemp(name) != nullptr);
        return std::string(name);
    }();
    return folder;
}

void CheckHistory(const std::string& bytes) {
    const std::vector<PassRecord> records = history::Decode(bytes);
    const std::vector<PassRecord> again = history::Decode(history::Encode(records));
    Check(again.size() == records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        Check(again[i].kind == records[i].kind && again[i].undone == records[i].undone &&
              again[i].ended == records[i].ended && again[i].plan == records[i].plan);
    }
    Check(platform::WriteWholeFile(Folder() + "/" + history::kFileName, bytes));
    PassRecord added;
    added.ended = 42;
    added.plan.renames = {{"/a/x", "/a/y", "", "id"}};
    Check(history::Add(Folder(), added));
    const std::vector<PassRecord> kept = history::Load(Folder());
    Check(!kept.empty() && kept.size() <= history::kKept);
    Check(kept.back().ended == 42 && kept.back().plan == added.plan);
    // The passes before it are the newest whole ones the file had.
    const std::size_t before = kept.size() - 1;
    Check(before <= records.size());
    for (std::size_t i = 0; i < before; ++i) {
        const PassRecord& old = records[records.size() - before + i];
        Check(kept[i].ended == old.ended && kept[i].plan == old.plan);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckHeld(bytes);
    CheckHistory(bytes);
    // A history's header before the bytes, so that the fuzzer reaches its entries.
    CheckHistory("VRNLHIS1" + bytes);
    return 0;
}
