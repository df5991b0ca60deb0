#include "core/pass_journal.h"

#include <array>
#include <cstdint>
#include <map>
#include <set>

#include "core/mbcs.h"
#include "core/temporary_names.h"
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
    return move.from != move.to &&
           platform::CaseFoldKey(move.from) == platform::CaseFoldKey(move.to);
}

std::string NameOf(const std::string& slashPath) {
    const std::size_t slash = slashPath.rfind('/');
    return slash == std::string::npos ? slashPath : slashPath.substr(slash + 1);
}

// The folder with its closing slash; empty for a path without one. A slash never stands inside
// a cp932 character.
std::string FolderOf(const std::string& slashPath) {
    const std::size_t slash = slashPath.rfind('/');
    return slash == std::string::npos ? std::string() : slashPath.substr(0, slash + 1);
}

// A pass never moves an item out of its folder, and only to a name it could give.
bool InOneFolder(const std::string& from, const std::string& to) {
    const std::string folder = FolderOf(from);
    const std::string name = NameOf(to);
    return folder.size() > 1 && folder == FolderOf(to) && !NameOf(from).empty() &&
           name.find_first_not_of('.') != std::string::npos &&
           mbcs::FindFirst(name, '\\') == std::string::npos &&
           mbcs::FindFirst(name, ':') == std::string::npos;
}

bool IsOwnTemporary(const std::string& slashPath) {
    return IsTemporaryName(NameOf(slashPath));
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

bool Move(const std::string& from, const std::string& to) {
    return platform::MovePath(from, to) == platform::MoveResult::Done;
}

// One item the plan moves: where it was before the pass, what it is, and every move it makes.
struct Item {
    std::string firstPath;
    std::string identity;
    std::vector<const PlannedMove*> moves;
    bool valid = true;
    bool caseChange = false;
};

// The items of the plan, each only as trusted as its least likely move. A move a real pass
// cannot make (another folder, an aside to a name that is not one of the pass's temporary
// names, no identity) makes its item one to leave alone.
std::vector<Item> ItemsOf(const PassPlan& plan) {
    std::vector<Item> items;
    std::map<std::string, std::size_t> byAsidePath;
    std::map<std::string, std::size_t> byFirstPath;
    const auto itemAt = [&](const std::string& firstPath) -> Item& {
        const auto found = byFirstPath.emplace(firstPath, items.size());
        if (found.second) {
            items.emplace_back();
            items.back().firstPath = firstPath;
        }
        return items[found.first->second];
    };
    for (const PlannedMove& move : plan.aside) {
        Item& item = itemAt(move.from);
        item.valid = item.valid && item.moves.empty() && InOneFolder(move.from, move.to) &&
                     IsOwnTemporary(move.to) && move.detour.empty();
        item.identity = move.identity;
        item.moves.push_back(&move);
        byAsidePath.emplace(move.to, byFirstPath[move.from]);
    }
    for (const PlannedMove& move : plan.renames) {
        const auto aside = byAsidePath.find(move.from);
        Item& item = aside != byAsidePath.end() ? items[aside->second] : itemAt(move.from);
        const bool again = aside == byAsidePath.end() ? !item.moves.empty() : item.moves.size() > 1;
        const bool detourFits =
            move.detour.empty() || (IsCaseChangeOnly(move) && InOneFolder(move.from, move.detour) &&
                                    IsOwnTemporary(move.detour));
        item.valid = item.valid && !again && InOneFolder(move.from, move.to) && detourFits &&
                     (item.moves.empty() || item.identity == move.identity);
        item.identity = move.identity;
        item.caseChange = item.caseChange || IsCaseChangeOnly(move);
        item.moves.push_back(&move);
    }
    for (Item& item : items) {
        item.valid = item.valid && !item.identity.empty();
    }
    return items;
}

// The item at the path is the moved one: recorded, readable now, and equal. Its number alone
// could be a newer file's.
bool Holds(const std::string& path, const std::string& identity) {
    return !path.empty() && !identity.empty() && platform::FileIdentity(path) == identity;
}

bool IsBack(const Item& item) {
    return Holds(item.firstPath, item.identity) && (!item.caseChange || SpelledSo(item.firstPath));
}

// Undoes one move where the disk shows its item at the move's target (or halfway at its
// detour); where the item is at the source already, or at neither, there is nothing to undo
// here. False when the item is there and could not be moved back.
bool Undo(const PlannedMove& move) {
    if (move.from == move.to) {
        return true;
    }
    if (!move.detour.empty() && Holds(move.detour, move.identity)) {
        return Move(move.detour, move.from);
    }
    if (IsCaseChangeOnly(move)) {
        // One item under either spelling on a file system that folds case; a change of letter
        // case alone may be taken as done and change nothing, so it goes through the detour.
        if (!Holds(move.to, move.identity) || !SpelledSo(move.to) || SpelledSo(move.from)) {
            return true;
        }
        return !move.detour.empty() && Move(move.to, move.detour) && Move(move.detour, move.from);
    }
    if (Holds(move.from, move.identity) || !Holds(move.to, move.identity)) {
        return true;
    }
    return Move(move.to, move.from);
}

}  // namespace

std::vector<ItemState> Review(const Contents& contents) {
    std::vector<ItemState> states;
    if (!contents.hasPlan) {
        return states;
    }
    for (const Item& item : ItemsOf(contents.plan)) {
        ItemState state;
        state.firstPath = item.firstPath;
        if (!item.valid) {
            state.where = ItemState::Where::Foreign;
        } else if (IsBack(item)) {
            state.where = ItemState::Where::Back;
        } else {
            state.where = ItemState::Where::Gone;
            for (const PlannedMove* move : item.moves) {
                for (const std::string* path : {&move->to, &move->detour}) {
                    if (state.where == ItemState::Where::Gone && Holds(*path, item.identity)) {
                        state.where = ItemState::Where::Moved;
                        state.now = *path;
                    }
                }
            }
        }
        states.push_back(std::move(state));
    }
    return states;
}

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

bool PutBack(const Contents& contents, std::vector<std::string>* leftAlone,
             const std::function<void(unsigned, unsigned)>& progress) {
    if (!contents.hasPlan) {
        return true;
    }
    const PassPlan& plan = contents.plan;
    const std::vector<Item> items = ItemsOf(plan);
    std::set<const PlannedMove*> trusted;
    for (const Item& item : items) {
        if (item.valid) {
            trusted.insert(item.moves.begin(), item.moves.end());
        }
    }
    // The second stage ran only after the mark; before it, its moves were none of ours.
    std::vector<const PlannedMove*> undo;
    if (contents.secondStage) {
        for (auto move = plan.renames.rbegin(); move != plan.renames.rend(); ++move) {
            undo.push_back(&*move);
        }
    }
    for (auto move = plan.aside.rbegin(); move != plan.aside.rend(); ++move) {
        undo.push_back(&*move);
    }
    const unsigned total = static_cast<unsigned>(undo.size());
    for (unsigned k = 0; k < total; ++k) {
        if (progress) {
            progress(k + 1, total);
        }
        // A move that fails leaves its item where it is; the check below names it.
        if (trusted.count(undo[k]) != 0) {
            Undo(*undo[k]);
        }
    }
    bool allBack = true;
    for (const Item& item : items) {
        if (!item.valid || !IsBack(item)) {
            leftAlone->push_back(item.firstPath);
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

bool LeftJournal::PutBack(std::vector<std::string>* leftAlone,
                          const std::function<void(unsigned, unsigned)>& progress) {
    if (!journal::PutBack(contents, leftAlone, progress)) {
        return false;
    }
    platform::RemoveJournal(&file);
    return true;
}
