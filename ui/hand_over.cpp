#include "ui/hand_over.h"

HandOverText MakeHandOverText(const std::vector<platform::NativeString>& paths) {
    HandOverText out;
    for (const platform::NativeString& path : paths) {
        std::string cp932;
        if (!platform::FromNative(path, &cp932)) {
            out.refused.push_back(path);
            continue;
        }
        if (cp932.empty()) {
            continue;
        }
        if (!out.text.empty()) {
            out.text += ' ';
        }
        // A blank is never a trail byte, so a plain search finds only real blanks.
        if (cp932.find(' ') != std::string::npos) {
            out.text += '"' + cp932 + '"';
        } else {
            out.text += cp932;
        }
    }
    return out;
}
