#include "core/folder_kinds.h"

#include <algorithm>

#include "core/mbcs.h"
#include "core/path_name.h"
#include "platform/file_system.h"
#include "platform/key_hash.h"

namespace {

// Below this many paths in one folder, a look at each costs less than reading the folder.
constexpr unsigned kPathsWorthAFolderRead = 32;

bool Holds(const std::vector<std::uint64_t>& sorted, std::uint64_t hash) {
    return std::binary_search(sorted.begin(), sorted.end(), hash);
}

}  // namespace

bool FolderKinds::IsFolder(const std::string& fullPath) {
    const std::size_t slash = mbcs::FindLast(fullPath, '\\');
    const std::string key =
        slash == std::string::npos ? std::string() : platform::NameKey(fullPath.substr(slash + 1));
    if (key.empty()) {
        return IsFolderPath(fullPath);
    }
    Listing& listing = listings[fullPath.substr(0, slash)];
    if (!listing.read && ++listing.asked == kPathsWorthAFolderRead) {
        listing.read = platform::FolderItemKinds(mbcs::ToSlashForm(fullPath.substr(0, slash + 1)),
                                                 &listing.files, &listing.folders);
    }
    // Only "a file" is taken from the read: a folder's hash that a file shares, or a name the
    // read did not give, is asked, so the answer is always the file system's own.
    if (listing.read) {
        const std::uint64_t hash = platform::KeyHash(key);
        if (Holds(listing.files, hash) && !Holds(listing.folders, hash)) {
            return false;
        }
    }
    return IsFolderPath(fullPath);
}
