#include "core/temporary_names.h"

#include <cstdio>

#include "core/mbcs.h"
#include "core/texts.h"
#include "core/window_port.h"
#include "platform/message_box.h"

namespace {

constexpr const char kTempPrefix[] = "~%_";
constexpr const char kTempExtension[] = "tmp";

// Enough tries to pass over any number of leftovers a folder can sensibly hold, and still end
// where the file system says "exists" for every name (a path it cannot ask about).
constexpr unsigned long long kMaxTries = 1ull << 22;

}  // namespace

void TemporaryNames::Keep(const PathName& path) {
    // Only a name of the temporary form can ever be a candidate.
    if (IsTemporaryName(mbcs::FoldAsciiCase(path.FileName()))) {
        kept.insert(mbcs::FoldAsciiCase(path.FullPath()));
    }
}

PathName TemporaryNames::NextCandidate(const std::string& folder) {
    PathName candidate;
    for (;;) {
        char digits[24];
        std::snprintf(digits, sizeof digits, "%llx", next++);
        candidate.Assign(folder, kTempPrefix + std::string(digits), kTempExtension);
        if (kept.count(mbcs::FoldAsciiCase(candidate.FullPath())) == 0) {
            return candidate;
        }
    }
}

bool TemporaryNames::Choose(const std::string& folder, PathName* chosen, PlaceIndex* places) {
    for (unsigned long long tries = 0; tries < kMaxTries; ++tries) {
        *chosen = NextCandidate(folder);
        const std::string path = chosen->SlashPath();
        if (!(places ? places->HoldsTemporaryName(path) : platform::PathExists(path))) {
            return true;
        }
    }
    return false;
}

void ShowNoTemporaryName() {
    ShowMessageBox(window_port::Owner(), texts::kNoTemporaryName, texts::kTitleTemporaryName,
                   kMbIconError);
}

bool IsTemporaryName(const std::string& fileName) {
    const std::size_t prefix = sizeof kTempPrefix - 1;
    const std::string extension = std::string(".") + kTempExtension;
    if (fileName.size() <= prefix + extension.size() ||
        fileName.compare(0, prefix, kTempPrefix) != 0 ||
        fileName.compare(fileName.size() - extension.size(), extension.size(), extension) != 0) {
        return false;
    }
    const std::string digits = fileName.substr(prefix, fileName.size() - prefix - extension.size());
    return digits.size() <= 16 && digits[0] != '0' &&
           digits.find_first_not_of("0123456789abcdef") == std::string::npos;
}
