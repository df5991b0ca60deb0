#include "core/history.h"

#include <chrono>
#include <cstring>
#include <ctime>
#include <map>
#include <set>
#include <thread>

#include "core/journal_recovery.h"
#include "core/mbcs.h"
#include "core/move_retries.h"
#include "core/path_name.h"
#include "core/texts.h"
#include "platform/file_system.h"
#include "platform/journal_file.h"
#include "platform/text.h"
#include "platform/text_file.h"

namespace history {

namespace {

constexpr char kMagic[] = "VRNLHIS1";
constexpr std::size_t kMagicSize = 8;
constexpr std::size_t kHead = 10;  // kind, undone, time

std::string PathOf(const std::string& folderSlash) {
    return folderSlash + "/" + kFileName;
}

std::uint32_t Number32(const std::string& bytes, std::size_t at) {
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i) {
        n = (n << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return n;
}

// Put in place whole where the system lets it; where it does not (another program has the
// file open without letting it be replaced), written over in place, as always.
bool Write(const std::string& folderSlash, const std::string& bytes) {
    return platform::ReplaceWholeFile(PathOf(folderSlash), bytes) ||
           platform::WriteWholeFile(PathOf(folderSlash), bytes);
}

bool Save(const std::string& folderSlash, const std::vector<PassRecord>& records) {
    return Write(folderSlash, Encode(records));
}

// Held across a read, an add and a write of the history: two copies adding at once would each
// write back the file they read, and one pass would be lost. The file stays beside the history,
// so that every copy holds the same one. Where none can be had (a read-only folder), nothing
// could be written either.
class HistoryLock {
  public:
    explicit HistoryLock(const std::string& folderSlash) {
        const std::string path = folderSlash + "/" + kLockFileName;
        // Another copy writes a history of many megabytes in well under this.
        for (int tries = 0; tries < 250; ++tries) {
            platform::JournalOpen opened = platform::CreateJournal(path, &file);
            if (opened == platform::JournalOpen::Missing) {
                opened = platform::OpenJournal(path, &file);
            }
            if (opened == platform::JournalOpen::Opened ||
                opened == platform::JournalOpen::Failed) {
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ~HistoryLock() {
        if (file.IsOpen()) {
            platform::CloseJournal(&file);
        }
    }
    HistoryLock(const HistoryLock&) = delete;
    HistoryLock& operator=(const HistoryLock&) = delete;

  private:
    platform::JournalFile file;
};

bool IsKind(char byte) {
    return byte == static_cast<char>(PassKind::Rename) ||
           byte == static_cast<char>(PassKind::Restore) ||
           byte == static_cast<char>(PassKind::Kept);
}

std::size_t Find(const std::vector<PassRecord>& records, const PassRecord& chosen) {
    std::size_t index = records.size();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].kind == chosen.kind && records[i].ended == chosen.ended &&
            records[i].plan == chosen.plan) {
            index = i;
        }
    }
    return index;
}

}  // namespace

std::string Encode(const std::vector<PassRecord>& records) {
    std::string bytes(kMagic, kMagicSize);
    for (const PassRecord& record : records) {
        bytes += static_cast<char>(record.kind);
        bytes += static_cast<char>(record.undone ? 1 : record.partlyUndone ? 2 : 0);
        const auto ended = static_cast<std::uint64_t>(record.ended);
        for (int i = 0; i < 8; ++i) {
            bytes += static_cast<char>((ended >> (8 * i)) & 0xFF);
        }
        bytes += journal::EncodePlan(record.plan);
    }
    return bytes;
}

std::vector<PassRecord> Decode(const std::string& bytes) {
    std::vector<PassRecord> records;
    if (bytes.compare(0, kMagicSize, kMagic) != 0) {
        return records;
    }
    const std::string journalHeader = journal::EncodeHeader();
    for (std::size_t at = kMagicSize; bytes.size() - at >= kHead + 4;) {
        PassRecord record;
        record.kind = static_cast<PassKind>(bytes[at]);
        record.partlyUndone = bytes[at + 1] == 2;
        record.undone = bytes[at + 1] != 0 && !record.partlyUndone;
        std::uint64_t ended = 0;
        for (int i = 7; i >= 0; --i) {
            ended = (ended << 8) |
                    static_cast<unsigned char>(bytes[at + 2 + static_cast<std::size_t>(i)]);
        }
        record.ended = static_cast<std::int64_t>(ended);
        const std::size_t planAt = at + kHead;
        const std::uint64_t size = Number32(bytes, planAt);
        if (bytes.size() - planAt < size + 8) {
            break;
        }
        const std::string planRecord = bytes.substr(planAt, static_cast<std::size_t>(size) + 8);
        if (!IsKind(bytes[at]) || journal::WholePlanRecord(bytes, planAt) == 0) {
            break;
        }
        // Whole, but not a plan this program reads: passed over, as Add keeps it, so that the
        // passes after it are neither hidden nor lost when the file is written again.
        const journal::Contents contents = journal::Decode(journalHeader + planRecord);
        if (contents.hasPlan) {
            record.plan = contents.plan;
            records.push_back(std::move(record));
        }
        at = planAt + planRecord.size();
    }
    return records;
}

std::vector<PassRecord> Load(const std::string& folderSlash) {
    std::string bytes;
    if (!platform::ReadWholeFile(PathOf(folderSlash), &bytes)) {
        return {};
    }
    return Decode(bytes);
}

bool Add(const std::string& folderSlash, const PassRecord& record) {
    return Add(folderSlash, record.kind, record.undone, record.ended,
               journal::EncodePlan(record.plan));
}

bool Add(const std::string& folderSlash, PassKind kind, bool undone, std::int64_t ended,
         const std::string& planRecord) {
    // The passes kept are copied as the bytes they are: a pass over many thousands of files is
    // neither read into a plan nor made again.
    const HistoryLock lock(folderSlash);
    std::string bytes;
    const std::size_t added = kHead + planRecord.size();
    if (!platform::ReadWholeFile(PathOf(folderSlash), &bytes, added) ||
        bytes.compare(0, kMagicSize, kMagic) != 0) {
        bytes.assign(kMagic, kMagicSize);
        bytes.reserve(kMagicSize + added);
    }
    std::vector<std::size_t> starts;  // of each whole entry, oldest first
    std::size_t end = kMagicSize;
    while (bytes.size() - end >= kHead && IsKind(bytes[end])) {
        const std::size_t size = journal::WholePlanRecord(bytes, end + kHead);
        if (size == 0) {
            break;
        }
        starts.push_back(end);
        end += kHead + size;
    }
    bytes.resize(end);
    // Newest first, as many as fit; the newest always.
    std::size_t total = added;
    std::size_t keptFrom = end;
    std::size_t count = 1;
    for (std::size_t k = starts.size(); k-- > 0 && count < kKept; ++count) {
        const std::size_t size = (k + 1 < starts.size() ? starts[k + 1] : end) - starts[k];
        if (total + size > kMostBytes) {
            break;
        }
        total += size;
        keptFrom = starts[k];
    }
    bytes.erase(kMagicSize, keptFrom - kMagicSize);
    bytes += static_cast<char>(kind);
    bytes += static_cast<char>(undone ? 1 : 0);
    const auto when = static_cast<std::uint64_t>(ended);
    for (int i = 0; i < 8; ++i) {
        bytes += static_cast<char>((when >> (8 * i)) & 0xFF);
    }
    bytes += planRecord;
    return Write(folderSlash, bytes);
}

std::vector<ItemPaths> ItemsOf(const PassPlan& plan) {
    // An item that went aside first was at the aside move's `from` before the pass; one that
    // only went aside (a pass cut short before its second stage) is where that move put it.
    std::map<std::string, const std::string*> asideFrom;
    for (const PlannedMove& aside : plan.aside) {
        asideFrom.emplace(aside.to, &aside.from);
    }
    std::vector<ItemPaths> items;
    for (const PlannedMove& rename : plan.renames) {
        const auto found = asideFrom.find(rename.from);
        items.push_back({found == asideFrom.end() ? rename.from : *found->second, rename.to});
        if (found != asideFrom.end()) {
            asideFrom.erase(found);
        }
    }
    for (const PlannedMove& aside : plan.aside) {
        if (asideFrom.count(aside.to) != 0) {
            items.push_back({aside.from, aside.to});
        }
    }
    return items;
}

namespace {

// Marks the pass by what is back now: undone when every item is, partly when some are.
void Mark(const std::string& folderSlash, const PassRecord& chosen,
          const journal::PutBackDone& done) {
    const bool allBack = done.left.empty();
    if (!allBack && done.left.size() >= done.items) {
        return;
    }
    // Marked in the file as it is now: another copy may have added a pass meanwhile.
    const HistoryLock lock(folderSlash);
    std::vector<PassRecord> records = Load(folderSlash);
    const std::size_t index = Find(records, chosen);
    if (index < records.size()) {
        records[index].undone = allBack;
        records[index].partlyUndone = !allBack;
        Save(folderSlash, records);
    }
}

}  // namespace

UndoResult Undo(const std::string& folderSlash, const PassRecord& chosen, Undone* undone,
                const std::function<void(unsigned, unsigned)>& progress) {
    std::vector<PassRecord> records = Load(folderSlash);
    std::size_t index = Find(records, chosen);
    // Gone from the file means dropped as too old, which only follows passes made after it.
    if (index == records.size() || records[index].undone) {
        return UndoResult::AlreadyUndone;
    }
    const PassRecord& record = records[index];
    PassJournal journal;
    // Marked in the plan's own record: with a separate mark, a crash between the two would leave
    // a plan that the next start reads as not begun, with its items where it cannot put them.
    if (!journal.Begin(folderSlash,
                       journal::EncodePlan(record.plan, true) +
                           journal::EncodeUndoOf(static_cast<char>(record.kind), record.ended))) {
        return UndoResult::NoJournal;
    }
    journal::Contents contents;
    contents.hasPlan = true;
    contents.secondStage = true;
    contents.plan = record.plan;
    std::vector<std::string> leftAlone;
    journal::PutBackDone done;
    move_retries::Begin();
    journal::PutBack(contents, &leftAlone, progress, &done);
    // While an item is still at a temporary name the journal stays: the next start puts it back.
    if (!done.leftAside) {
        journal.End();
    }
    // Only what this undo moved is told, and followed by the list: an item back already (by a
    // restore since) is not, and the entry now at its old target is another file.
    const std::set<std::string> moved(done.movedBack.begin(), done.movedBack.end());
    for (const ItemPaths& item : ItemsOf(contents.plan)) {
        if (moved.count(item.before) != 0 && item.before != item.after) {
            undone->back.push_back(item);
        }
    }
    undone->leftAlone = done.left;
    // Not while a file is still at a temporary name: the journal stays for the next start, and
    // the pass is not what the history would say.
    if (!done.leftAside) {
        Mark(folderSlash, chosen, done);
    }
    return UndoResult::Done;
}

void MarkUndoFinished(const std::string& folderSlash, const journal::Contents& undo,
                      const journal::PutBackDone& done) {
    if (undo.undo && IsKind(undo.undoOfKind) && !done.leftAside) {
        Mark(folderSlash,
             PassRecord{static_cast<PassKind>(undo.undoOfKind), false, undo.undoOfEnded, undo.plan},
             done);
    }
}

PassPlan MovedPart(const journal::Contents& contents, const std::vector<journal::ItemState>& states,
                   const std::vector<std::string>& givenNewNames) {
    const std::set<std::string> given(givenNewNames.begin(), givenNewNames.end());
    std::set<std::string> moved;
    for (const journal::ItemState& state : states) {
        if (state.where == journal::ItemState::Where::Moved) {
            moved.insert(state.firstPath);
        }
    }
    PassPlan plan;
    std::set<std::string> asideTo;
    std::set<std::string> givenFrom;  // the aside places of the items given their new names
    for (const PlannedMove& move : contents.plan.aside) {
        if (moved.count(move.from) != 0) {
            plan.aside.push_back(move);
            asideTo.insert(move.to);
            if (given.count(move.from) != 0) {
                givenFrom.insert(move.to);
            }
        }
    }
    // Before the mark no move of the second stage was made, but for those given new names since.
    for (const PlannedMove& move : contents.plan.renames) {
        if ((contents.secondStage &&
             (moved.count(move.from) != 0 || asideTo.count(move.from) != 0)) ||
            givenFrom.count(move.from) != 0) {
            plan.renames.push_back(move);
        }
    }
    return plan;
}

PassSummary SummaryOf(const PassRecord& record) {
    PassSummary summary;
    const std::time_t ended = static_cast<std::time_t>(record.ended);
    char when[32] = {};
    if (const std::tm* local = std::localtime(&ended)) {
        std::strftime(when, sizeof(when), "%Y/%m/%d %H:%M:%S", local);
    }
    summary.when = when;
    summary.kind = record.kind == PassKind::Rename    ? texts::kHistoryRename
                   : record.kind == PassKind::Restore ? texts::kHistoryRestore
                                                      : texts::kHistoryKept;
    if (record.undone || record.partlyUndone) {
        summary.kind = texts::Fill(
            record.undone ? texts::kHistoryUndone : texts::kHistoryPartlyUndone, {summary.kind});
    }
    const std::vector<ItemPaths> items = ItemsOf(record.plan);
    summary.count = texts::Fill(texts::kHistoryCount, {std::to_string(items.size())});
    std::set<std::string> folders;
    for (const ItemPaths& item : items) {
        const std::string folder = SlashFolder(item.before);
        if (summary.folder.empty()) {
            summary.folder = mbcs::ReplaceAll(platform::ShownForm(folder), '/', '\\');
        }
        folders.insert(folder);
    }
    if (folders.size() > 1) {
        summary.folder = texts::Fill(texts::kHistoryMoreFolders,
                                     {summary.folder, std::to_string(folders.size() - 1)});
    }
    return summary;
}

std::string UndoReport(const Undone& undone) {
    const std::string back = std::to_string(undone.back.size());
    if (undone.leftAlone.empty()) {
        return texts::Fill(texts::kUndoDone, {back});
    }
    std::string text =
        texts::Fill(texts::kUndoLeftAlone, {back, std::to_string(undone.leftAlone.size())});
    return text +
           texts::FirstLines(undone.leftAlone.size(), texts::kNamedInReport, [&](std::size_t i) {
               return journal::ShownLeft(undone.leftAlone[i]) + "\n";
           });
}

}  // namespace history
