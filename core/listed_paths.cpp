#include "core/listed_paths.h"

#include <string_view>

#include "platform/key_hash.h"

namespace {

std::uint64_t HashOf(std::string_view text) {
    return platform::KeyHash(text);
}

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

void ListedPaths::Clear() {
    firstOrCurrent.clear();
    currentPaths.clear();
    folderPaths.clear();
    above.clear();
}

void ListedPaths::Add(const RenameEntry& entry) {
    const std::string now = entry.Path(NameKind::Now).FullPath();
    const std::uint64_t nowHash = HashOf(now);
    firstOrCurrent.insert(nowHash);
    if (!entry.Path(NameKind::Old).SameAs(entry.Path(NameKind::Now))) {
        firstOrCurrent.insert(HashOf(entry.Path(NameKind::Old).FullPath()));
    }
    currentPaths.insert(nowHash);
    if (entry.IsFolder()) {
        folderPaths.insert(nowHash);
    }
    AnyStart(now, [this](std::uint64_t start) {
        ++above[start];
        return false;
    });
}

bool ListedPaths::Listed(const std::string& path) const {
    return firstOrCurrent.count(HashOf(path)) != 0;
}

bool ListedPaths::UnderFolder(const std::string& path) const {
    return !folderPaths.empty() &&
           AnyStart(path, [this](std::uint64_t start) { return folderPaths.count(start) != 0; });
}

bool ListedPaths::Meets(const std::string& path) const {
    const std::uint64_t hash = HashOf(path);
    return currentPaths.count(hash) != 0 || above.count(hash) != 0 ||
           AnyStart(path, [this](std::uint64_t start) { return currentPaths.count(start) != 0; });
}
