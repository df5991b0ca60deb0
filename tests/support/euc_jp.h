// Shift_JIS to EUC-JP as an editor saves it: JIS X 0208 by arithmetic, half-width katakana after
// 8E, ASCII as it is. Enough for the names and the footer the tests send through an editor.
#pragma once

#include <string>

inline std::string SjisToEucJp(const std::string& sjis) {
    std::string out;
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const auto s1 = static_cast<unsigned char>(sjis[i]);
        if (s1 < 0x80) {
            out += static_cast<char>(s1);
        } else if (s1 >= 0xA1 && s1 <= 0xDF) {
            out += '\x8E';
            out += static_cast<char>(s1);
        } else if (i + 1 < sjis.size()) {
            const auto s2 = static_cast<unsigned char>(sjis[++i]);
            unsigned j1 = ((s1 < 0xA0 ? s1 - 0x81u : s1 - 0xC1u) << 1) + 0x21;
            unsigned j2 = 0;
            if (s2 < 0x9F) {
                j2 = s2 - (s2 < 0x7F ? 0x1Fu : 0x20u);
            } else {
                ++j1;
                j2 = s2 - 0x7Eu;
            }
            out += static_cast<char>(j1 | 0x80);
            out += static_cast<char>(j2 | 0x80);
        }
    }
    return out;
}
