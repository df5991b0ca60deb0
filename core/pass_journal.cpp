#include "core/pass_journal.h"

#include <array>
#include <cstdint>
#include <map>
#include <set>

#include "core/mbcs.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace journal {
namespace {

constexpr const char kMagic[] = "VRNLJNL1";
constexpr std::size_t kMagicSize = sizeof kMagic - 1;
constexpr char kPlanRecord = 'P';
constexpr char kSecondStageRecord = 'B';

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

// --- Putting back ---

bool IsCaseChangeOnly(const PlannedMove& move) {
    return move.from != move.to && mbcs::FoldAsciiCase(move.from) == mbcs::FoldAsciiCase(move.to);
}

std::string NameOf(const std::string& slashPath) {
    const std::size_t slash = slashPath.rfind('/');
    return slash == std::string::npos ? slashPath : slashPath.substr(slash + 1);
}

// The name as the file system lists it: a few characters have two cp932 codes.
std::string StoredForm(const std::string& name) {
    platform::NativeString native;
    std::string stored;
    return platform::ToNative(name, &native) && platform::FromNative(native, &stored) ? stored
                                                                                      : name;
}

// The item is on disk under this very spelling of its name.
bool SpelledSo(const std::string& path) {
    const std::string onDisk = platform::NameOnDisk(path);
    return !onDisk.empty() && onDisk == StoredForm(NameOf(path));
}

enum class Seen { NotMade, Made, Unclear };

// Was the move made? Before it, its source existed and its target did not; after it, the other
// way round; the later moves have been undone by then. Both there means someone else made a file
// at one of them since, unless the source is a temporary name of the pass (those are unique, so
// the target is then not ours): which file is ours is then unclear, and nothing is moved.
Seen WasMade(const PlannedMove& move, bool fromIsTemporary) {
    bool to;
    bool from;
    if (IsCaseChangeOnly(move)) {
        // One item under either spelling on a file system that folds case.
        to = SpelledSo(move.to);
        from = SpelledSo(move.from);
    } else {
        to = platform::PathExists(move.to);
        from = platform::PathExists(move.from);
    }
    if (!to) {
        return Seen::NotMade;
    }
    if (!from) {
        return Seen::Made;
    }
    return fromIsTemporary ? Seen::NotMade : Seen::Unclear;
}

bool Move(const std::string& from, const std::string& to) {
    return platform::MovePath(from, to) == platform::MoveResult::Done;
}

// The item at the path is the one the move was planned for, as far as can be told.
bool IsTheMovedItem(const PlannedMove& move, const std::string& path) {
    if (move.identity.empty()) {
        return true;
    }
    const std::string now = platform::FileIdentity(path);
    return now.empty() || now == move.identity;
}

// Undoes one move when it was made, or was left halfway at its detour. False when it was made
// and could not be undone, or when it is unclear whether it was.
bool Undo(const PlannedMove& move, bool fromIsTemporary) {
    if (move.from.empty() || move.to.empty() || move.from == move.to) {
        return true;
    }
    const bool detour = !move.detour.empty() && move.detour != move.from &&
                        move.detour != move.to && IsCaseChangeOnly(move);
    if (detour && platform::PathExists(move.detour) && !platform::PathExists(move.from)) {
        return IsTheMovedItem(move, move.detour) && Move(move.detour, move.from);
    }
    switch (WasMade(move, fromIsTemporary)) {
        case Seen::NotMade:
            return true;
        case Seen::Unclear:
            return false;
        case Seen::Made:
            break;
    }
    // Another file in its place since: left alone.
    if (!IsTheMovedItem(move, move.to)) {
        return false;
    }
    if (detour) {
        // A change of letter case alone may be taken as done and change nothing.
        return Move(move.to, move.detour) && Move(move.detour, move.from);
    }
    return Move(move.to, move.from);
}

}  // namespace

std::string FileName(unsigned slot) {
    return slot == 0 ? "varnel.journal" : "varnel" + std::to_string(slot + 1) + ".journal";
}

std::string EncodeHeader() {
    return std::string(kMagic, kMagicSize);
}

std::string EncodePlan(const PassPlan& plan) {
    std::string body(1, kPlanRecord);
    PutNumber(&body, static_cast<std::uint32_t>(plan.aside.size()));
    PutNumber(&body, static_cast<std::uint32_t>(plan.renames.size()));
    for (const auto* moves : {&plan.aside, &plan.renames}) {
        for (const PlannedMove& move : *moves) {
            PutText(&body, move.from);
            PutText(&body, move.to);
            PutText(&body, move.detour);
            PutText(&body, move.identity);
        }
    }
    return Record(body);
}

std::string EncodeSecondStage() {
    return Record(std::string(1, kSecondStageRecord));
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
            if (type != kPlanRecord || !DecodePlan(bytes, body, body + size, &contents.plan)) {
                contents.plan = PassPlan();
                break;
            }
            contents.hasPlan = true;
        } else if (type == kSecondStageRecord && size == 1) {
            contents.secondStage = true;
        } else {
            break;
        }
        at = body + size + 4;
        contents.wholeBytes = at;
    }
    return contents;
}

bool PutBack(const Contents& contents, std::vector<std::string>* leftAlone) {
    if (!contents.hasPlan) {
        return true;
    }
    const PassPlan& plan = contents.plan;
    // Each file's path before the pass: a second-stage move from a temporary name belongs to the
    // file moved aside to it.
    std::map<std::string, std::string> firstPathOf;
    for (const PlannedMove& move : plan.aside) {
        firstPathOf.emplace(move.to, move.from);
    }
    const auto firstPath = [&](const std::string& path) {
        const auto found = firstPathOf.find(path);
        return found == firstPathOf.end() ? path : found->second;
    };
    std::set<std::string> failed;
    // The second stage ran only after the mark; before it, its moves were none of ours.
    if (contents.secondStage) {
        for (auto move = plan.renames.rbegin(); move != plan.renames.rend(); ++move) {
            if (!Undo(*move, firstPathOf.count(move->from) != 0)) {
                failed.insert(firstPath(move->from));
            }
        }
    }
    for (auto move = plan.aside.rbegin(); move != plan.aside.rend(); ++move) {
        if (!Undo(*move, false)) {
            failed.insert(move->from);
        }
    }
    // Every file must be back: found under its first path, and not left elsewhere by a move
    // that could not be undone.
    std::set<std::string> firstPaths;
    for (const PlannedMove& move : plan.aside) {
        firstPaths.insert(move.from);
    }
    for (const PlannedMove& move : plan.renames) {
        firstPaths.insert(firstPath(move.from));
    }
    bool allBack = true;
    for (const std::string& path : firstPaths) {
        if (path.empty()) {
            continue;
        }
        if (failed.count(path) != 0 || !platform::PathExists(path)) {
            leftAlone->push_back(path);
            allBack = false;
        }
    }
    return allBack;
}

}  // namespace journal

PassJournal::~PassJournal() {
    // A pass that ends without End (it never does) keeps its journal, as a crash would.
    platform::CloseJournal(&file);
}

bool PassJournal::Begin(const std::string& folderSlash, const PassPlan& plan) {
    for (unsigned slot = 0; slot < journal::kSlots; ++slot) {
        const platform::JournalOpen opened =
            platform::CreateJournal(folderSlash + "/" + journal::FileName(slot), &file);
        if (opened == platform::JournalOpen::Opened) {
            break;
        }
        if (opened == platform::JournalOpen::Failed) {
            return false;
        }
    }
    if (!file.IsOpen()) {
        return false;
    }
    if (!platform::AppendToJournal(&file, journal::EncodeHeader() + journal::EncodePlan(plan)) ||
        !platform::ForceJournal(&file)) {
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
    return true;
}

bool LeftJournal::PutBack(std::vector<std::string>* leftAlone) {
    if (!journal::PutBack(contents, leftAlone)) {
        return false;
    }
    platform::RemoveJournal(&file);
    return true;
}
