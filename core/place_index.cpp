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
    const Folder* folder = Read(slashPath.substr(0, slash + 1));
    // Only a hash found needs the file system's own answer, and then the pass stops anyway.
    return folder == nullptr || folder->keys.count(platform::KeyHash(key)) != 0
               ? platform::PathExists(slashPath)
               : false;
}

bool PlaceIndex::HoldsTemporaryName(const std::string& slashPath) {
    const std::string::size_type slash = slashPath.rfind('/');
    const Folder* folder =
        slash == std::string::npos ? nullptr : Read(slashPath.substr(0, slash + 1));
    // A hash another name shares only passes over one more candidate.
    return folder ? folder->keys.count(platform::KeyHash(
                        platform::ListedNameKey(slashPath.substr(slash + 1)))) != 0
                  : platform::PathExists(slashPath);
}

PlaceIndex::Folder* PlaceIndex::Read(const std::string& folderPath) {
    auto found = folders.find(folderPath);
    if (found == folders.end()) {
        found = folders.emplace(folderPath, Folder()).first;
        found->second.read = platform::FolderNameKeys(
            folderPath, &found->second.keys, withIdentities ? &found->second.identities : nullptr);
    }
    return found->second.read ? &found->second : nullptr;
}

std::string PlaceIndex::Identity(const std::string& slashPath) {
    const std::string::size_type slash = slashPath.rfind('/');
    Folder* folder = slash == std::string::npos ? nullptr : Read(slashPath.substr(0, slash + 1));
    if (folder == nullptr || folder->trusted == 0) {
        return platform::FileIdentity(slashPath);
    }
    const auto listed = folder->identities.find(
        platform::KeyHash(platform::ListedNameKey(slashPath.substr(slash + 1))));
    if (listed == folder->identities.end() || listed->second.empty()) {
        return platform::FileIdentity(slashPath);
    }
    if (folder->trusted < 0) {
        std::string own = platform::FileIdentity(slashPath);
        folder->trusted = own == listed->second ? 1 : 0;
        return own;
    }
    return listed->second;
}
