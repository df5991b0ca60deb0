// Sorting the list by one name or path of the entries, and moving the selected entries as a
// block. Row i shows entry i, so every row whose entry changes is rewritten.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/mbcs.h"
#include "core/rename_list.h"
#include "core/window_port.h"
#include "platform/text.h"

namespace {

// The character at i as one number: a double-byte character as lead * 256 + trail, so every
// single-byte character (half-width katakana included) comes before every double-byte one; a
// character cp932 cannot hold comes after all of them, by its Unicode code point.
unsigned CharCode(const std::string& s, std::size_t i) {
    const unsigned lead = static_cast<unsigned char>(s[i]);
    char32_t escaped = 0;
    if (platform::ReadEscape(s, i, &escaped)) {
        return 0x10000 + static_cast<unsigned>(escaped);
    }
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
        // Paths share long ASCII runs, which are single characters in every form.
        const auto c = static_cast<unsigned char>(a[i]);
        if (c < 0x80 && a[i] == b[j]) {
            ++i;
            ++j;
            continue;
        }
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

// True when x belongs before y: folders first going up and last going down, then the key.
bool Before(const RenameEntry& x, const RenameEntry& y, NameKind kind, PathPart part,
            bool descending) {
    if (x.IsFolder() != y.IsFolder()) {
        return descending ? y.IsFolder() : x.IsFolder();
    }
    // Made in the same two strings for every comparison of a sort: no text is made anew.
    static std::string a;
    static std::string b;
    a.clear();
    b.clear();
    x.Path(kind).AppendPart(part, &a);
    y.Path(kind).AppendPart(part, &b);
    const int order = CompareNames(a, b);
    return descending ? order > 0 : order < 0;
}

// The order a selection sort gives: position by position, the first of the smallest entries
// left is swapped into place, so ties end where those swaps leave them. A tree over the
// positions finds each smallest entry in log n steps instead of a scan of the rest.
class SelectionOrder {
  public:
    explicit SelectionOrder(const std::vector<unsigned>& ranks) : rank(ranks) {
        const std::size_t n = rank.size();
        while (leaves < n) {
            leaves *= 2;
        }
        at.resize(n);
        for (std::size_t p = 0; p < n; ++p) {
            at[p] = static_cast<unsigned>(p);
        }
        tree.assign(2 * leaves, kNone);
        for (std::size_t p = 0; p < n; ++p) {
            tree[leaves + p] = static_cast<unsigned>(p);
        }
        for (std::size_t v = leaves - 1; v > 0; --v) {
            tree[v] = Smaller(tree[2 * v], tree[2 * v + 1]);
        }
    }

    // The entry at each position once every position is decided.
    std::vector<unsigned> Run() {
        const std::size_t n = rank.size();
        for (std::size_t i = 0; i + 1 < n; ++i) {
            const unsigned best = tree[1];
            if (best != i) {
                std::swap(at[i], at[best]);
                Fix(best);
            }
            // Position i is decided and leaves the tree.
            tree[leaves + i] = kNone;
            Fix(i);
        }
        return at;
    }

  private:
    static constexpr unsigned kNone = ~0u;

    // Of two positions, the one whose entry sorts first; the earlier one on a tie.
    unsigned Smaller(unsigned p, unsigned q) const {
        if (p == kNone || q == kNone) {
            return p == kNone ? q : p;
        }
        const unsigned rp = rank[at[p]];
        const unsigned rq = rank[at[q]];
        return rp < rq || (rp == rq && p < q) ? p : q;
    }
    void Fix(std::size_t p) {
        for (std::size_t v = (leaves + p) / 2; v > 0; v /= 2) {
            tree[v] = Smaller(tree[2 * v], tree[2 * v + 1]);
        }
    }

    const std::vector<unsigned>& rank;
    std::vector<unsigned> at;    // the entry at each position
    std::vector<unsigned> tree;  // positions; a leaf per position, kNone once decided
    std::size_t leaves = 1;
};

}  // namespace

void RenameList::Sort(NameKind kind, PathPart part, bool toggle) {
    if (passRunning || Count() < 2) {
        return;
    }
    const int key = static_cast<int>(kind) + static_cast<int>(part) * 8;
    const bool descending = toggle && key == lastSortKey;
    lastSortKey = descending ? -1 : key;

    // Each entry's place among the distinct keys; equal keys share it.
    const unsigned n = Count();
    std::vector<unsigned> byKey(n);
    for (unsigned i = 0; i < n; ++i) {
        byKey[i] = i;
    }
    const auto before = [&](unsigned x, unsigned y) {
        return Before(At(x), At(y), kind, part, descending);
    };
    std::sort(byKey.begin(), byKey.end(), before);
    std::vector<unsigned> rank(n);
    for (unsigned k = 0; k < n; ++k) {
        rank[byKey[k]] = k > 0 && !before(byKey[k - 1], byKey[k]) ? rank[byKey[k - 1]] : k;
    }

    const std::vector<unsigned> order = SelectionOrder(rank).Run();
    std::vector<std::unique_ptr<RenameEntry>> sorted(n);
    bool moved = false;
    for (unsigned i = 0; i < n; ++i) {
        moved = moved || order[i] != i;
        sorted[i] = std::move(entries[order[i]]);
    }
    // A sort that moves nothing leaves an export valid.
    if (moved) {
        ++generation;
    }
    entries = std::move(sorted);
    for (unsigned i = 0; i < n; ++i) {
        window_port::WriteRow(i);
    }
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
        if (!window_port::IsRowSelected(static_cast<unsigned>(r))) {
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

    // The selected entries take their new places; the others fill the rest in their order.
    std::vector<std::unique_ptr<RenameEntry>> moved(static_cast<std::size_t>(n));
    std::vector<bool> selected(static_cast<std::size_t>(n), false);
    for (unsigned r : rows) {
        selected[r] = true;
    }
    std::vector<const RenameEntry*> was(static_cast<std::size_t>(n));
    for (long long k = 0; k < n; ++k) {
        was[k] = entries[k].get();
    }
    for (unsigned r : rows) {
        moved[r + shift] = std::move(entries[r]);
    }
    long long free = 0;
    for (long long k = 0; k < n; ++k) {
        if (selected[k]) {
            continue;
        }
        while (moved[free]) {
            ++free;
        }
        moved[free] = std::move(entries[k]);
    }
    entries = std::move(moved);
    for (long long k = 0; k < n; ++k) {
        if (entries[k].get() != was[k]) {
            window_port::WriteRow(static_cast<unsigned>(k));
        }
    }
    for (unsigned r : rows) {
        window_port::SelectRow(r, false);
    }
    for (unsigned r : rows) {
        window_port::SelectRow(static_cast<unsigned>(r + shift), true);
    }
    if (!rows.empty()) {
        ++generation;
    }
    lastSortKey = -1;
}

void RenameList::RefreshAllRows() {
    for (unsigned i = 0; i < Count(); ++i) {
        window_port::WriteRow(i);
    }
}
