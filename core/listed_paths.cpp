#include "core/listed_paths.h"

#include <algorithm>

#include "platform/key_hash.h"

namespace {

// Calls f with the hash of every start of the path that a backslash byte follows. The rules
// compare bytes, so a trail byte of 0x5C counts as well; the walk then still finds exactly what
// they find.
template <typename F>
bool AnyStart(const std::string& path, F f) {
    std::uint64_t hash = platform::kKeyHashStart;
    for (const char c : path) {
        if (c == '\\' && f(hash)) {
            return true;
        }
        hash = platform::KeyHashStep(hash, c);
    }
    return false;
}

}  // namespace

void ListedPaths::Hashes::Clear() {
    std::vector<std::uint64_t>().swap(slots);
    used = 0;
}

void ListedPaths::Hashes::Insert(std::uint64_t hash) {
    hash = hash == 0 ? 1 : hash;
    // At most half full, so that a search ends soon at a free slot.
    if (2 * (used + 1) > slots.size()) {
        std::vector<std::uint64_t> old(std::max<std::size_t>(16, 2 * slots.size()), 0);
        old.swap(slots);
        used = 0;
        for (const std::uint64_t kept : old) {
            if (kept != 0) {
                Insert(kept);
            }
        }
    }
    const std::size_t mask = slots.size() - 1;
    for (std::size_t at = static_cast<std::size_t>(hash) & mask;; at = (at + 1) & mask) {
        if (slots[at] == hash) {
            return;
        }
        if (slots[at] == 0) {
            slots[at] = hash;
            ++used;
            return;
        }
    }
}

bool ListedPaths::Hashes::Holds(std::uint64_t hash) const {
    if (used == 0) {
        return false;
    }
    hash = hash == 0 ? 1 : hash;
    const std::size_t mask = slots.size() - 1;
    for (std::size_t at = static_cast<std::size_t>(hash) & mask; slots[at] != 0;
         at = (at + 1) & mask) {
        if (slots[at] == hash) {
            return true;
        }
    }
    return false;
}

void ListedPaths::Clear() {
    firstOrCurrent.Clear();
    currentPaths.Clear();
    folderPaths.Clear();
    above.Clear();
}

void ListedPaths::Add(const RenameEntry& entry) {
    const std::string now = entry.Path(NameKind::Now).FullPath();
    const std::uint64_t nowHash = platform::KeyHash(now);
    firstOrCurrent.Insert(nowHash);
    if (!entry.Path(NameKind::Old).SameAs(entry.Path(NameKind::Now))) {
        firstOrCurrent.Insert(platform::KeyHash(entry.Path(NameKind::Old).FullPath()));
    }
    currentPaths.Insert(nowHash);
    if (entry.IsFolder()) {
        folderPaths.Insert(nowHash);
    }
    AnyStart(now, [this](std::uint64_t start) {
        above.Insert(start);
        return false;
    });
}

bool ListedPaths::Listed(const std::string& path) const {
    return firstOrCurrent.Holds(platform::KeyHash(path));
}

bool ListedPaths::UnderFolder(const std::string& path) const {
    return !folderPaths.Empty() &&
           AnyStart(path, [this](std::uint64_t start) { return folderPaths.Holds(start); });
}

bool ListedPaths::Meets(const std::string& path) const {
    const std::uint64_t hash = platform::KeyHash(path);
    return currentPaths.Holds(hash) || above.Holds(hash) ||
           AnyStart(path, [this](std::uint64_t start) { return currentPaths.Holds(start); });
}
