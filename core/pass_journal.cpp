#include "core/pass_journal.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/journal_recovery.h"
#include "core/move_retries.h"

namespace journal {
namespace {

constexpr const char kMagic[] = "VRNLJNL1";
constexpr std::size_t kMagicSize = sizeof kMagic - 1;
constexpr char kPlanRecord = 'P';
constexpr char kSecondStageRecord = 'B';
// A plan whose second stage is begun from the first byte: an undo, whose moves all put back.
constexpr char kUndoPlanRecord = 'U';
// After an undo's plan: which pass of the history it undoes (its kind and when it ended), so
// that a start which finishes the undo marks that pass and no other with the same plan.
constexpr char kUndoOfRecord = 'H';
constexpr std::size_t kUndoOfSize = 1 + 1 + 8;

std::uint32_t Crc32(const std::string& bytes, std::size_t begin, std::size_t size) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit) {
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = begin; i < begin + size; ++i) {
        crc = table[(crc ^ static_cast<unsigned char>(bytes[i])) & 0xFFu] ^ (crc >> 8);
    }
    return ~crc;
}

void PutNumber(std::string* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void PutText(std::string* out, const std::string& text) {
    PutNumber(out, static_cast<std::uint32_t>(text.size()));
    out->append(text);
}

std::string Record(const std::string& body) {
    std::string out;
    PutNumber(&out, static_cast<std::uint32_t>(body.size()));
    out.append(body);
    PutNumber(&out, Crc32(body, 0, body.size()));
    return out;
}

// Reads from a record's body; any read past its end makes the reader fail for good.
class Reader {
  public:
    Reader(const std::string& bytes, std::size_t begin, std::size_t end)
        : bytes(bytes), at(begin), end(end) {}
    bool Number(std::uint32_t* value) {
        if (!ok || end - at < 4) {
            return ok = false;
        }
        *value = 0;
        for (int i = 0; i < 4; ++i) {
            *value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i]))
                      << (8 * i);
        }
        at += 4;
        return true;
    }
    bool Text(std::string* text) {
        std::uint32_t size = 0;
        if (!Number(&size) || end - at < size) {
            return ok = false;
        }
        text->assign(bytes, at, size);
        at += size;
        return true;
    }
    bool AtEnd() const { return ok && at == end; }

  private:
    const std::string& bytes;
    std::size_t at;
    std::size_t end;
    bool ok = true;
};

bool ReadMoves(Reader* reader, std::uint32_t count, std::vector<PlannedMove>* moves) {
    for (std::uint32_t i = 0; i < count; ++i) {
        PlannedMove move;
        if (!reader->Text(&move.from) || !reader->Text(&move.to) || !reader->Text(&move.detour) ||
            !reader->Text(&move.identity)) {
            return false;
        }
        moves->push_back(std::move(move));
    }
    return true;
}

bool DecodePlan(const std::string& bytes, std::size_t begin, std::size_t end, PassPlan* plan) {
    Reader reader(bytes, begin + 1, end);
    std::uint32_t aside = 0;
    std::uint32_t renames = 0;
    // Each move takes at least 16 bytes: a count beyond the body is garbage, not a reason to
    // reserve memory.
    if (!reader.Number(&aside) || !reader.Number(&renames) ||
        (static_cast<std::uint64_t>(aside) + renames) * 16 > end - begin) {
        return false;
    }
    return ReadMoves(&reader, aside, &plan->aside) && ReadMoves(&reader, renames, &plan->renames) &&
           reader.AtEnd();
}

}  // namespace

std::string FileName(unsigned slot) {
    return slot == 0 ? "varnel.journal" : "varnel" + std::to_string(slot + 1) + ".journal";
}

std::string EncodeHeader() {
    return std::string(kMagic, kMagicSize);
}

// The record's length, then the body: its type and the two counts, written when it is finished.
constexpr std::size_t kBodyAt = 4;
constexpr std::size_t kCountsAt = kBodyAt + 1;

PlanRecord::PlanRecord() : bytes(kCountsAt + 8, '\0') {}

void PlanRecord::Reserve(std::size_t moves, std::size_t pathBytes) {
    // Four lengths and an identity (at most 56 bytes on any platform) per move.
    constexpr std::size_t kPerMove = 4 * 4 + 56;
    bytes.reserve(bytes.size() + moves * kPerMove + pathBytes + 4);
}

void PlanRecord::Aside(const std::string& from, const std::string& to,
                       const std::string& identity) {
    PutText(&bytes, from);
    PutText(&bytes, to);
    PutText(&bytes, std::string());
    PutText(&bytes, identity);
    ++asides;
}

void PlanRecord::Rename(const std::string& from, const std::string& to, const std::string& detour,
                        const std::string& identity) {
    PutText(&bytes, from);
    PutText(&bytes, to);
    PutText(&bytes, detour);
    PutText(&bytes, identity);
    ++renames;
}

std::string PlanRecord::Finish(bool secondStageBegun) {
    std::string head;
    PutNumber(&head, static_cast<std::uint32_t>(bytes.size() - kBodyAt));
    head += secondStageBegun ? kUndoPlanRecord : kPlanRecord;
    PutNumber(&head, asides);
    PutNumber(&head, renames);
    bytes.replace(0, head.size(), head);
    PutNumber(&bytes, Crc32(bytes, kBodyAt, bytes.size() - kBodyAt));
    return std::move(bytes);
}

std::string EncodePlan(const PassPlan& plan, bool secondStageBegun) {
    PlanRecord record;
    for (const PlannedMove& move : plan.aside) {
        record.Aside(move.from, move.to, move.identity);
    }
    for (const PlannedMove& move : plan.renames) {
        record.Rename(move.from, move.to, move.detour, move.identity);
    }
    return record.Finish(secondStageBegun);
}

std::size_t WholePlanRecord(const std::string& bytes, std::size_t at) {
    Reader header(bytes, at, bytes.size());
    std::uint32_t size = 0;
    std::uint32_t sum = 0;
    if (!header.Number(&size) || size == 0 || bytes.size() - at - 4 < size + 4ull) {
        return 0;
    }
    const std::size_t body = at + 4;
    Reader trailer(bytes, body + size, bytes.size());
    const char type = bytes[body];
    if (!trailer.Number(&sum) || sum != Crc32(bytes, body, size) ||
        (type != kPlanRecord && type != kUndoPlanRecord)) {
        return 0;
    }
    return size + 8;
}

std::string EncodeSecondStage() {
    return Record(std::string(1, kSecondStageRecord));
}

std::string EncodeUndoOf(char kind, std::int64_t ended) {
    std::string body(1, kUndoOfRecord);
    body += kind;
    for (int i = 0; i < 8; ++i) {
        body += static_cast<char>((static_cast<std::uint64_t>(ended) >> (8 * i)) & 0xFF);
    }
    return Record(body);
}

Contents Decode(const std::string& bytes) {
    Contents contents;
    if (bytes.compare(0, kMagicSize, kMagic) != 0) {
        return contents;
    }
    std::size_t at = kMagicSize;
    contents.wholeBytes = at;
    for (;;) {
        Reader header(bytes, at, bytes.size());
        std::uint32_t size = 0;
        std::uint32_t sum = 0;
        if (!header.Number(&size) || size == 0 || bytes.size() - at - 4 < size + 4ull) {
            break;
        }
        const std::size_t body = at + 4;
        Reader trailer(bytes, body + size, bytes.size());
        if (!trailer.Number(&sum) || sum != Crc32(bytes, body, size)) {
            break;
        }
        const char type = bytes[body];
        if (!contents.hasPlan) {
            // Only a plan may come first.
            if ((type != kPlanRecord && type != kUndoPlanRecord) ||
                !DecodePlan(bytes, body, body + size, &contents.plan)) {
                contents.plan = PassPlan();
                break;
            }
            contents.hasPlan = true;
            contents.secondStage = type == kUndoPlanRecord;
            contents.undo = type == kUndoPlanRecord;
        } else if (type == kSecondStageRecord && size == 1) {
            contents.secondStage = true;
        } else if (type == kUndoOfRecord && size == kUndoOfSize && contents.undo &&
                   contents.undoOfKind == 0) {
            contents.undoOfKind = bytes[body + 1];
            std::uint64_t ended = 0;
            for (std::size_t i = 8; i-- > 0;) {
                ended = (ended << 8) | static_cast<unsigned char>(bytes[body + 2 + i]);
            }
            contents.undoOfEnded = static_cast<std::int64_t>(ended);
        } else {
            break;
        }
        at = body + size + 4;
        contents.wholeBytes = at;
    }
    return contents;
}

}  // namespace journal

PassJournal::~PassJournal() {
    // A pass that ends without End (it never does) keeps its journal, as a crash would.
    platform::CloseJournal(&file);
}

bool PassJournal::Begin(const std::string& folderSlash, const PassPlan& plan,
                        bool secondStageBegun) {
    return Begin(folderSlash, journal::EncodePlan(plan, secondStageBegun));
}

bool PassJournal::Begin(const std::string& folderSlash, const std::string& planRecord) {
    // After the highest slot in use, so that of journals made in one tick of the clock the later
    // has the higher slot, even where a lower one was freed meanwhile.
    unsigned after = 0;
    for (unsigned slot = 0; slot < journal::kSlots; ++slot) {
        if (platform::PathExists(folderSlash + "/" + journal::FileName(slot))) {
            after = slot + 1;
        }
    }
    for (unsigned n = 0; n < journal::kSlots; ++n) {
        const unsigned slot = (after + n) % journal::kSlots;
        const platform::JournalOpen opened =
            platform::CreateJournal(folderSlash + "/" + journal::FileName(slot), &file);
        // Any other answer tries the next slot: on Windows a name whose removal is still under way
        // is refused as denied, as a folder without rights is (where every slot is refused).
        if (opened == platform::JournalOpen::Opened) {
            break;
        }
    }
    if (!file.IsOpen()) {
        return false;
    }
    if (!platform::AppendToJournal(&file, journal::EncodeHeader()) ||
        !platform::AppendToJournal(&file, planRecord) || !platform::ForceJournal(&file)) {
        // Nothing has moved: a journal that does not hold the plan is of no use.
        platform::RemoveJournal(&file);
        return false;
    }
    return true;
}

bool PassJournal::SecondStage() {
    return platform::AppendToJournal(&file, journal::EncodeSecondStage()) &&
           platform::ForceJournal(&file);
}

void PassJournal::End() {
    if (file.IsOpen()) {
        platform::RemoveJournal(&file);
    }
}

LeftJournal::~LeftJournal() {
    platform::CloseJournal(&file);
}

bool LeftJournal::Open(const std::string& folderSlash, unsigned slot) {
    if (platform::OpenJournal(folderSlash + "/" + journal::FileName(slot), &file) !=
        platform::JournalOpen::Opened) {
        return false;
    }
    std::string bytes;
    if (!platform::ReadJournal(&file, &bytes)) {
        platform::CloseJournal(&file);
        return false;
    }
    contents = journal::Decode(bytes);
    if (!contents.hasPlan) {
        platform::RemoveJournal(&file);
        return false;
    }
    slotNumber = slot;
    begun = platform::JournalBegun(&file);
    return true;
}

std::vector<std::unique_ptr<LeftJournal>> OpenLeftJournals(const std::string& folderSlash) {
    std::vector<std::unique_ptr<LeftJournal>> left;
    for (unsigned slot = 0; slot < journal::kSlots; ++slot) {
        auto one = std::make_unique<LeftJournal>();
        if (one->Open(folderSlash, slot)) {
            left.push_back(std::move(one));
        }
    }
    // The one begun later first, then the higher slot: a journal left behind keeps its slot, so a
    // pass begun after it takes a later one. (A pass's plan says nothing of its order: passes
    // back and forth over the same names take items from where each other left them.)
    std::stable_sort(left.begin(), left.end(), [](const auto& a, const auto& b) {
        return a->Begun() != b->Begun() ? a->Begun() > b->Begun() : a->Slot() > b->Slot();
    });
    return left;
}

bool LeftJournal::Forget() {
    return platform::RemoveJournal(&file);
}

bool LeftJournal::PutBack(std::vector<std::string>* leftAlone,
                          const std::function<void(unsigned, unsigned)>& progress,
                          journal::PutBackDone* done) {
    move_retries::Begin();
    if (!journal::PutBack(contents, leftAlone, progress, done)) {
        return false;
    }
    platform::RemoveJournal(&file);
    return true;
}
