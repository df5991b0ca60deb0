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
    const std::string folderPath = slashPath.substr(0, slash + 1);
    auto found = folders.find(folderPath);
    if (found == folders.end()) {
        found = folders.emplace(folderPath, Folder()).first;
        found->second.read = platform::FolderNameKeys(folderPath, &found->second.keys);
    }
    if (!found->second.read) {
        return platform::PathExists(slashPath);
    }
    return found->second.keys.count(key) != 0;
}
