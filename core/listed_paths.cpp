#include "core/listed_paths.h"

namespace {

// Calls f with every start of the path that a backslash byte follows. The rules compare bytes,
// so a trail byte of 0x5C counts as well; the walk then still finds exactly what they find.
template <typename F>
bool AnyStart(const std::string& path, F f) {
    for (std::size_t k = path.find('\\'); k != std::string::npos; k = path.find('\\', k + 1)) {
        if (f(path.substr(0, k))) {
            return true;
        }
    }
    return false;
}

}  // namespace

void ListedPaths::Clear() {
    firstPaths.clear();
    currentPaths.clear();
    folderPaths.clear();
    above.clear();
}

void ListedPaths::Add(const RenameEntry& entry) {
    const std::string& now = entry.Path(NameKind::Now).FullPath();
    firstPaths.insert(entry.Path(NameKind::Old).FullPath());
    currentPaths.insert(now);
    if (entry.IsFolder()) {
        folderPaths.insert(now);
    }
    AnyStart(now, [this](const std::string& start) {
        ++above[start];
        return false;
    });
}

bool ListedPaths::Listed(const std::string& path) const {
    return firstPaths.count(path) != 0 || currentPaths.count(path) != 0;
}

bool ListedPaths::UnderFolder(const std::string& path) const {
    return AnyStart(path, [this](const std::string& start) { return folderPaths.count(start); });
}

bool ListedPaths::Meets(const std::string& path) const {
    return currentPaths.count(path) != 0 || above.count(path) != 0 ||
           AnyStart(path, [this](const std::string& start) { return currentPaths.count(start); });
}
