// Adding a path to the list, with the rules that keep out what would make a rename pass go wrong.

#include <algorithm>
#include <memory>

#include "core/folder_kinds.h"
#include "core/mbcs.h"
#include "core/name_rules.h"
#include "core/rename_list.h"
#include "core/texts.h"
#include "core/window_port.h"
#include "platform/message_box.h"
#include "platform/text.h"

namespace {

// The longest path the wide functions take, in UTF-16 units.
constexpr std::size_t kMostPathCharacters = 32767 - 8;

bool IsTooLong(const std::string& path) {
    if (Utf16Length(path) > kMostPathCharacters) {
        return true;
    }
    for (std::size_t at = 0;;) {
        const std::size_t end = mbcs::FindFirst(path, '\\', at);
        if (Utf16Length(path, at, end) > kMaxNameCharacters) {
            return true;
        }
        if (end == std::string::npos) {
            return false;
        }
        at = end + 1;
    }
}

// A path as a message shows it: a path beyond all reason is cut (never inside a character), and
// bytes that are no text show as "?".
std::string Shown(const std::string& rawPath) {
    constexpr std::size_t kMostShown = 300;
    const std::string path = platform::ShownForm(rawPath);
    const std::string head = mbcs::CutToBytes(path, kMostShown);
    return head.size() < path.size() ? head + texts::kCutMark : path;
}

}  // namespace

int RenameList::AddPath(const std::string& path) {
    return AddOne(path, nullptr);
}

void RenameList::AddPaths(const std::string& paths) {
    FolderKinds kinds;
    const unsigned total = static_cast<unsigned>(std::count(paths.begin(), paths.end(), '\0'));
    std::string path;
    unsigned i = 0;
    for (std::size_t at = 0, end; (end = paths.find('\0', at)) != std::string::npos; at = end + 1) {
        path.assign(paths, at, end - at);
        AddOne(path, &kinds);
        window_port::ShowProgress(Work::Adding, ++i, total);
    }
}

int RenameList::AddOne(const std::string& path, FolderKinds* kinds) {
    if (passRunning) {
        return 1;
    }
    WindowHandle owner = window_port::Owner();
    const ListRules asNow = rules();
    // A hand-over is another process's bytes: text that no conversion makes could hide a
    // separator or stand for another file.
    if (!platform::IsCanonical(path)) {
        refusals.Refuse(owner, Shown(path), texts::kReasonNotText,
                        texts::Fill(texts::kAddNotText, {Shown(path)}));
        return 1;
    }
    if (IsTooLong(path)) {
        refusals.Refuse(owner, Shown(path), texts::kReasonPathTooLong,
                        texts::Fill(texts::kAddPathTooLong, {Shown(path)}));
        return 1;
    }
    std::string fullPath;
    switch (ClassifyPath(path, &fullPath)) {
        case PathForm::Full:
            break;
        case PathForm::Root:
            refusals.Refuse(owner, Shown(path), texts::kReasonRoot,
                            texts::Fill(texts::kAddRoot, {Shown(path)}));
            return 1;
        case PathForm::Relative:
            refusals.Refuse(owner, Shown(path), texts::kReasonRelative,
                            texts::Fill(texts::kAddRelative, {Shown(path)}));
            return 1;
    }
    if (listedStale) {
        Reindex();
    }
    // Only a path that is listed somewhere needs the walk that finds its entry.
    const bool listedAlready = listed.Listed(fullPath);
    for (std::size_t i = 0; listedAlready && i < entries.size(); ++i) {
        const RenameEntry* entry = entries[i].get();
        if (fullPath == entry->Path(NameKind::Old).FullPath()) {
            return 1;
        }
        if (fullPath == entry->Path(NameKind::Now).FullPath()) {
            if (asNow.sayListedAgain) {
                refusals.Refuse(
                    owner, fullPath, texts::kReasonListedAgain,
                    texts::Fill(texts::kAddListedAgain, {entry->Path(NameKind::Now).FullPath(),
                                                         entry->Path(NameKind::Old).FullPath()}));
            }
            return 1;
        }
    }
    // The one look at the item on disk that adding makes.
    const bool folder = kinds ? kinds->IsFolder(fullPath) : IsFolderPath(fullPath);
    if (asNow.refuseNested && Interferes(fullPath, folder)) {
        return 1;
    }
    entries.push_back(std::make_unique<RenameEntry>(fullPath, folder, asNow.wholeNamesShown));
    ++generation;
    RenameEntry* added = entries.back().get();
    if (added->IsFolder()) {
        folders.push_back(added);
    }
    listed.Add(*added);
    window_port::AddRow(Count() - 1);
    return 0;
}

bool RenameList::Interferes(const std::string& fullPath, bool folder) {
    if (listedStale) {
        Reindex();
    }
    WindowHandle owner = window_port::Owner();
    if (folder ? !listed.Meets(fullPath) : !listed.UnderFolder(fullPath)) {
        return false;
    }
    if (folder) {
        for (const auto& entry : entries) {
            const std::string& registered = entry->Path(NameKind::Now).FullPath();
            if (registered == fullPath || mbcs::StartsWith(fullPath, registered + "\\") ||
                mbcs::StartsWith(registered, fullPath + "\\")) {
                refusals.Refuse(owner, fullPath, texts::kReasonAroundListed,
                                texts::Fill(texts::kAddAroundListed, {registered, fullPath}));
                return true;
            }
        }
        return false;
    }
    for (const RenameEntry* folder : folders) {
        const std::string registered = folder->Path(NameKind::Now).FullPath() + "\\";
        if (mbcs::StartsWith(fullPath, registered)) {
            refusals.Refuse(owner, fullPath, texts::kReasonUnderListed,
                            texts::Fill(texts::kAddUnderListed, {registered, fullPath}));
            return true;
        }
    }
    return false;
}

void RenameList::Reindex() {
    listed.Clear();
    for (const auto& entry : entries) {
        listed.Add(*entry);
    }
    listedStale = false;
}
