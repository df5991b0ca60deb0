#include "core/place_index.h"

#include "platform/file_system.h"

bool PlaceIndex::Exists(const std::string& slashPath) {
    // A slash never stands inside a cp932 character, so the last one ends the folder.
    const std::string::size_type slash = slashPath.rfind('/');
    if (slash == std::string::npos) {
        return platform::PathExists(slashPath);
    }
    const std::string key = platform::NameKey(slashPath.substr(slash + 1));
    if (key.empty()) {
        return platform::PathExists(slashPath);
    }
    const std::unordered_set<std::string>* keys = Keys(slashPath.substr(0, slash + 1));
    return keys ? keys->count(key) != 0 : platform::PathExists(slashPath);
}

bool PlaceIndex::HoldsTemporaryName(const std::string& slashPath) {
    const std::string::size_type slash = slashPath.rfind('/');
    const std::unordered_set<std::string>* keys =
        slash == std::string::npos ? nullptr : Keys(slashPath.substr(0, slash + 1));
    return keys ? keys->count(platform::ListedNameKey(slashPath.substr(slash + 1))) != 0
                : platform::PathExists(slashPath);
}

const std::unordered_set<std::string>* PlaceIndex::Keys(const std::string& folderPath) {
    auto found = folders.find(folderPath);
    if (found == folders.end()) {
        found = folders.emplace(folderPath, Folder()).first;
        found->second.read = platform::FolderNameKeys(
            folderPath, &found->second.keys, withIdentities ? &found->second.identities : nullptr);
    }
    return found->second.read ? &found->second.keys : nullptr;
}

std::string PlaceIndex::Identity(const std::string& slashPath) {
    const std::string::size_type slash = slashPath.rfind('/');
    if (slash == std::string::npos) {
        return platform::FileIdentity(slashPath);
    }
    const std::string folderPath = slashPath.substr(0, slash + 1);
    if (!Keys(folderPath)) {
        return platform::FileIdentity(slashPath);
    }
    Folder& folder = folders[folderPath];
    const auto listed =
        folder.identities.find(platform::ListedNameKey(slashPath.substr(slash + 1)));
    if (folder.trusted == 0 || listed == folder.identities.end() || listed->second.empty()) {
        return platform::FileIdentity(slashPath);
    }
    if (folder.trusted < 0) {
        std::string own = platform::FileIdentity(slashPath);
        folder.trusted = own == listed->second ? 1 : 0;
        return own;
    }
    return listed->second;
}
