#include "exchange/import_proof.h"

#include "core/mbcs.h"
#include "exchange/name_text.h"
#include "platform/text.h"

namespace {

bool HoldsReplacement(const std::string& held) {
    for (std::size_t i = 0; i < held.size(); i += mbcs::CharLength(held, i)) {
        char32_t c = 0;
        if (platform::ReadEscape(held, i, &c) && c == 0xFFFD) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<SuspectRow> SuspectRows(const std::string& exportedNames, bool exportedAsUnicode,
                                    bool readThroughCp932, const std::vector<std::string>& lines) {
    std::vector<SuspectRow> suspects;
    FileLineReader exported(exportedNames);
    for (unsigned i = 0; i < lines.size() && !exported.AtEnd(); ++i) {
        std::string out = exported.Read();
        const std::string& read = lines[i];
        if (read == out) {
            continue;
        }
        const bool lost = exportedAsUnicode && readThroughCp932 && platform::HoldsEscapes(out);
        if (lost || (HoldsReplacement(read) && !HoldsReplacement(out))) {
            suspects.push_back({i, std::move(out), read});
        }
    }
    return suspects;
}
