#include "ui/hand_over.h"

std::string MakeHandOverText(const std::vector<platform::NativeString>& paths) {
    std::string text;
    for (const platform::NativeString& path : paths) {
        std::string held;
        if (!platform::FromNative(path, &held) || held.empty()) {
            continue;
        }
        if (!text.empty()) {
            text += ' ';
        }
        // A blank is never a trail byte nor part of an escape: a plain search finds real blanks.
        if (held.find(' ') != std::string::npos) {
            text += '"' + held + '"';
        } else {
            text += held;
        }
    }
    return text;
}
