// Feeds arbitrary bytes to the readers of the edited names: the encoding guess, the decoding to
// cp932 under every encoding rule, and both line readers. Besides crashes, it checks that the
// file reader's lines and breaks make up the text again and that the clipboard reader invents
// no bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "exchange/name_text.h"
#include "platform/text.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void ReadFileLines(const std::string& text) {
    FileLineReader reader(text);
    std::string joined;
    for (int guard = 0; !reader.AtEnd(); ++guard) {
        Check(guard <= static_cast<int>(text.size()) + 1);
        joined += reader.Read();
        if (!reader.AtEnd()) {
            // The break that ended the line: CR LF or LF.
            joined += text.compare(joined.size(), 2, "\r\n") == 0 ? "\r\n" : "\n";
        }
    }
    Check(joined == text);
    Check(reader.Read().empty());
}

void ReadClipboardLines(const std::string& text) {
    ClipboardLineReader reader(text);
    std::size_t total = 0;
    while (!reader.AtEnd()) {
        total += reader.Read().size() + 1;
    }
    Check(total <= text.size() + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    bool unsure = false;
    const NameFileEncoding guessed = DetectNameFileEncoding(bytes, &unsure);
    for (NameFileEncoding encoding : {guessed, NameFileEncoding::Cp932, NameFileEncoding::Utf8,
                                      NameFileEncoding::Utf16Le, NameFileEncoding::Utf16Be}) {
        std::string text;
        unsigned badLine = 0;
        if (DecodeNameFile(bytes, encoding, &text, &badLine)) {
            // Whatever the encoding, what comes out is canonical held text; cp932 is read as
            // its characters, line for line, and needs no escape.
            Check(platform::IsCanonical(text));
            if (encoding == NameFileEncoding::Cp932) {
                Check(!platform::HoldsEscapes(text) &&
                      std::count(text.begin(), text.end(), '\n') ==
                          std::count(bytes.begin(), bytes.end(), '\n'));
            }
            ReadFileLines(text);
        } else {
            Check(badLine >= 1);
        }
    }
    ReadFileLines(bytes);
    ReadClipboardLines(bytes);
    return 0;
}
