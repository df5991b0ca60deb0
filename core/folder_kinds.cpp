#include "core/folder_kinds.h"

#include <algorithm>

#include "core/mbcs.h"
#include "core/path_name.h"
#include "platform/file_system.h"
#include "platform/key_hash.h"

namespace {

// Below this many paths in one folder, a look at each costs less than reading the folder. (A drop
// brings the items of one folder; a folder of many thousands read for a handful costs a fraction
// of a second once.)
constexpr unsigned kPathsWorthAFolderRead = 8;

bool Holds(const std::vector<std::uint64_t>& sorted, std::uint64_t hash) {
    return std::binary_search(sorted.begin(), sorted.end(), hash);
}

}  // namespace

bool FolderKinds::IsFolder(const std::string& fullPath) {
    const std::size_t slash = mbcs::FindLast(fullPath, '\\');
    std::uint64_t hash = 0;
    if (slash == std::string::npos || !platform::ExactNameHash(fullPath.substr(slash + 1), &hash)) {
        return IsFolderPath(fullPath);
    }
    if (last == nullptr || lastFolder.size() != slash ||
        fullPath.compare(0, slash, lastFolder) != 0) {
        lastFolder.assign(fullPath, 0, slash);
        last = &listings[lastFolder];
    }
    Listing& listing = *last;
    if (!listing.read && ++listing.asked == kPathsWorthAFolderRead) {
        listing.read = platform::FolderItemKinds(mbcs::ToSlashForm(fullPath.substr(0, slash + 1)),
                                                 &listing.files, &listing.folders);
    }
    // Only "a file" is taken from the read, of a name spelt exactly as listed: a folder's hash
    // that a file shares, a name in another letter case or form, or one the read did not give, is
    // asked, so the answer is always the file system's own.
    if (listing.read && Holds(listing.files, hash) && !Holds(listing.folders, hash)) {
        return false;
    }
    return IsFolderPath(fullPath);
}
