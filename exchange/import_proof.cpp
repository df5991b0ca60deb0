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

// A decoder with the JIS table (not Windows') reads the cp932 codes of ～ － ∥ ￠ ￡ ￬ as
// 〜 − ‖ ¢ £ ¬, which cp932 cannot hold: one of those where the line that went out had its
// look-alike is the editor's.
bool HoldsJisLookAlike(const std::string& read, const std::string& out) {
    static const struct {
        char32_t jis;
        const char* cp932;
    } kPairs[] = {{0x301C, "\x81\x60"}, {0x2212, "\x81\x7C"}, {0x2016, "\x81\x61"},
                  {0xA2, "\x81\x91"},   {0xA3, "\x81\x92"},   {0xAC, "\x81\xCA"}};
    for (std::size_t i = 0; i < read.size(); i += mbcs::CharLength(read, i)) {
        char32_t c = 0;
        if (!platform::ReadEscape(read, i, &c)) {
            continue;
        }
        for (const auto& pair : kPairs) {
            if (pair.jis != c) {
                continue;
            }
            for (std::size_t k = 0; k + 1 < out.size(); k += mbcs::CharLength(out, k)) {
                if (out.compare(k, 2, pair.cp932) == 0) {
                    return true;
                }
            }
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
        // Only a cp932 export read back through Unicode can meet the JIS table: what went out
        // as Unicode may hold 〜 as the user's own.
        const bool jis = !exportedAsUnicode && !readThroughCp932 && HoldsJisLookAlike(read, out);
        if (lost || jis || (HoldsReplacement(read) && !HoldsReplacement(out))) {
            suspects.push_back({i, std::move(out), read});
        }
    }
    return suspects;
}
