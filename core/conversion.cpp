// Characters that Windows refuses in a name, turned into their full-width cp932 forms, and names
// made only of dots and blanks made usable. Only the edit path changes; nothing on disk does.

#include <cstddef>
#include <string>

#include "core/mbcs.h"
#include "core/rename_list.h"
#include "core/window_port.h"

namespace {

struct Replacement {
    char from;
    const char* to;
};

// Applied in this order to every name.
constexpr Replacement kIllegal[] = {
    {'\\', "￥"}, {'/', "／"}, {':', "："}, {'*', "＊"}, {'?', "？"},
    {'"', "”"},   {'<', "＜"}, {'>', "＞"}, {'|', "｜"},
};

// Only for a name made of nothing but blanks and dots.
constexpr Replacement kBlankOrDot[] = {{' ', "　"}, {'.', "．"}};

// Every single-byte `from` replaced; trail bytes of double-byte characters are stepped over.
bool ReplaceEvery(std::string* name, const Replacement& r) {
    bool replaced = false;
    const std::string to = r.to;
    std::size_t at = mbcs::FindFirst(*name, r.from);
    while (at != std::string::npos) {
        name->replace(at, 1, to);
        replaced = true;
        at = mbcs::FindFirst(*name, r.from, at + to.size());
    }
    return replaced;
}

bool OnlyBlanksAndDots(const std::string& name) {
    for (char c : name) {
        if (c != '.' && c != ' ') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool RenameEntry::ConvertEditName() {
    // The whole name, extension included: an illegal character is illegal wherever it stands,
    // even in a part the edit column does not show.
    std::string name = editPath.FileName();
    bool changed = false;
    for (const Replacement& r : kIllegal) {
        changed = ReplaceEvery(&name, r) || changed;
    }
    if (OnlyBlanksAndDots(name)) {
        for (const Replacement& r : kBlankOrDot) {
            changed = ReplaceEvery(&name, r) || changed;
        }
        if (name.empty()) {
            name = "　";
            changed = true;
        }
    }
    // Always re-split, so base and extension follow the converted name's last dot.
    editPath.SetFileName(name);
    return changed;
}

unsigned RenameList::ConvertIllegalNames() {
    if (passRunning) {
        return 0;
    }
    unsigned changed = 0;
    for (unsigned i = 0; i < Count(); ++i) {
        RenameEntry& entry = At(i);
        const std::string shown = entry.DisplayName(NameKind::Edit);
        const bool converted = entry.ConvertEditName();
        // A name split anew at its last dot can show differently without any character changed.
        if (converted || entry.DisplayName(NameKind::Edit) != shown) {
            window_port::WriteRow(i);
        }
        if (converted) {
            ++changed;
        }
    }
    return changed;
}
