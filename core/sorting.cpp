// Sorting the list by one name or path of the entries, and moving the selected entries as a
// block. Row i shows entry i, so every row whose entry changes is rewritten.

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/mbcs.h"
#include "core/rename_list.h"
#include "core/window_port.h"

namespace {

// The character at i as one number: a double-byte character as lead * 256 + trail, so every
// single-byte character (half-width katakana included) comes before every double-byte one.
unsigned CharCode(const std::string& s, std::size_t i) {
    const unsigned lead = static_cast<unsigned char>(s[i]);
    if (mbcs::CharLength(s, i) == 1) {
        return lead;
    }
    return lead * 256 + static_cast<unsigned char>(s[i + 1]);
}

// Negative, zero or positive as a sorts before, with or after b; case-sensitive.
int CompareNames(const std::string& a, const std::string& b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned x = CharCode(a, i);
        const unsigned y = CharCode(b, j);
        if (x != y) {
            return x < y ? -1 : 1;
        }
        i += mbcs::CharLength(a, i);
        j += mbcs::CharLength(b, j);
    }
    if (i < a.size()) {
        return 1;
    }
    return j < b.size() ? -1 : 0;
}

// Folders come first going up and last going down; within a group the key decides.
bool Replaces(const RenameEntry& best, const RenameEntry& candidate, NameKind kind, PathPart part,
              bool descending) {
    if (best.IsFolder() != candidate.IsFolder()) {
        return descending ? best.IsFolder() : candidate.IsFolder();
    }
    const int order = CompareNames(best.Path(kind).Part(part), candidate.Path(kind).Part(part));
    return descending ? order < 0 : order > 0;
}

}  // namespace

void RenameList::Sort(NameKind kind, PathPart part, bool toggle) {
    if (passRunning || Count() < 2) {
        return;
    }
    const int key = static_cast<int>(kind) + static_cast<int>(part) * 8;
    const bool descending = toggle && key == lastSortKey;
    lastSortKey = descending ? -1 : key;

    const unsigned n = Count();
    for (unsigned i = 0; i + 1 < n; ++i) {
        unsigned best = i;
        for (unsigned j = i + 1; j < n; ++j) {
            if (Replaces(At(best), At(j), kind, part, descending)) {
                best = j;
            }
        }
        if (best != i) {
            std::swap(entries[i], entries[best]);
            ++generation;
        }
        window_port::WriteRow(context, i, RowExtent::All);
    }
    window_port::WriteRow(context, n - 1, RowExtent::All);
}

void RenameList::MoveSelected(int offset) {
    if (passRunning) {
        return;
    }
    const long long n = Count();
    const bool up = offset <= 0;
    long long shift = offset;
    // Scanning from the edge the block moves towards, the first selected row meets the clamp,
    // so the whole selection moves by the same distance and keeps its gaps.
    std::vector<unsigned> rows;
    for (long long k = 0; k < n; ++k) {
        const long long r = up ? k : n - 1 - k;
        if (!window_port::IsRowSelected(context, static_cast<unsigned>(r))) {
            continue;
        }
        if (r + shift < 0) {
            shift = -r;
        } else if (r + shift >= n) {
            shift = n - 1 - r;
        }
        if (shift == 0) {
            return;
        }
        rows.push_back(static_cast<unsigned>(r));
    }

    const long long step = up ? -1 : 1;
    for (unsigned r : rows) {
        std::unique_ptr<RenameEntry> kept = std::move(entries[r]);
        const long long target = r + shift;
        for (long long k = r; k != target; k += step) {
            entries[k] = std::move(entries[k + step]);
            window_port::WriteRow(context, static_cast<unsigned>(k), RowExtent::All);
        }
        entries[target] = std::move(kept);
        window_port::WriteRow(context, static_cast<unsigned>(target), RowExtent::All);
        window_port::SelectRow(context, r, false);
    }
    for (unsigned r : rows) {
        window_port::SelectRow(context, static_cast<unsigned>(r + shift), true);
    }
    if (!rows.empty()) {
        ++generation;
    }
    lastSortKey = -1;
}

void RenameList::RefreshAllRows() {
    for (unsigned i = 0; i < Count(); ++i) {
        window_port::WriteRow(context, i, RowExtent::All);
    }
}
