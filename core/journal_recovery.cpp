// Putting back the items of a journal left behind: only the moves a real pass makes are trusted,
// and an item is known by its identity alone.
#include "core/journal_recovery.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

#include "core/mbcs.h"
#include "core/move_chains.h"
#include "core/move_retries.h"
#include "core/path_name.h"
#include "core/place_index.h"
#include "core/temporary_names.h"
#include "core/texts.h"
#include "platform/file_system.h"
#include "platform/text.h"

namespace journal {
namespace {

bool IsCaseChangeOnly(const PlannedMove& move) {
    return move.from != move.to &&
           platform::CaseFoldKey(move.from) == platform::CaseFoldKey(move.to);
}

// The folder and the name of a path as the file system will see it: the rules below are judged
// there, so that no spelling of the held bytes can hide a separator from them. False for text
// that is not canonical, which no pass writes.
bool NativeParts(const std::string& slashPath, platform::NativeString* folder,
                 platform::NativeString* name) {
    platform::NativeString native;
    if (!platform::IsCanonical(slashPath) || !platform::ToNative(slashPath, &native)) {
        return false;
    }
    using Unit = platform::NativeString::value_type;
    const std::size_t cut = native.find_last_of({Unit('/'), Unit('\\')});
    *folder =
        cut == platform::NativeString::npos ? platform::NativeString() : native.substr(0, cut + 1);
    *name = cut == platform::NativeString::npos ? native : native.substr(cut + 1);
    return true;
}

// A pass never moves an item out of its folder, and only to a name it could give.
bool InOneFolder(const std::string& from, const std::string& to) {
    using Native = platform::NativeString;
    using Unit = Native::value_type;
    Native fromFolder, fromName, toFolder, toName;
    if (!NativeParts(from, &fromFolder, &fromName) || !NativeParts(to, &toFolder, &toName)) {
        return false;
    }
    return fromFolder.size() > 1 && fromFolder == toFolder && !fromName.empty() &&
           toName.find_first_not_of(Unit('.')) != Native::npos &&
           toName.find(Unit(':')) == Native::npos && fromName.find(Unit(':')) == Native::npos;
}

bool IsOwnTemporary(const std::string& slashPath) {
    return IsTemporaryName(SlashName(slashPath));
}

using platform::MoveResult;

MoveResult Move(const std::string& from, const std::string& to) {
    return move_retries::Move(from, to);
}

// One item the plan moves: where it was before the pass, what it is, and every move it makes.
struct Item {
    std::string firstPath;
    std::string identity;
    std::vector<const PlannedMove*> moves;
    // Its own temporary names: where its move aside put it, and the detour of a change of letter
    // case alone. A name of that form that is its name before or after the pass is neither.
    std::string aside;
    std::string detour;
    // Where the pass gave it its new name, once its second stage began; empty before.
    std::string target;
    bool valid = true;
    bool caseChange = false;

    bool AtOwnTemporary(const std::string& path) const {
        return !path.empty() && (path == aside || path == detour);
    }
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
        item.aside = move.to;
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
        item.detour = move.detour;
        item.target = move.to;
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
    return !path.empty() && !identity.empty() && platform::HoldsItem(path, identity);
}

// The same from the folders' listings, read once each (a look item by item costs a read of the
// whole folder for a name that is not there, on Wine): only before anything moves.
bool Holds(const std::string& path, const std::string& identity, PlaceIndex* listed) {
    std::string there;
    return !path.empty() && !identity.empty() && listed->IdentityIfListed(path, &there) &&
           platform::SameItem(there, identity, path);
}

// `now` is where WhereNow found it, before this put-back moved it.
bool IsBack(const Item& item, const std::string& now, PlaceIndex* listed) {
    return now == item.firstPath && (!item.caseChange || listed->SpelledSo(item.firstPath));
}

bool IsBack(const Item& item, PlaceIndex* listed) {
    return Holds(item.firstPath, item.identity, listed) &&
           (!item.caseChange || listed->SpelledSo(item.firstPath));
}

// Undoes one move where its item is at the move's target (or halfway at its detour), `at` being
// where the item is, kept up to date: read once for the whole put-back. Where the item is at the
// source already, or at neither, there is nothing to undo here (Done). The refusal when the item
// is there and could not be moved back. `moved` is set once the item has moved.
MoveResult Undo(const PlannedMove& move, std::string* at, PlaceIndex* listed, bool* moved) {
    if (move.from == move.to) {
        return MoveResult::Done;
    }
    MoveResult result = MoveResult::Done;
    if (IsCaseChangeOnly(move)) {
        // One item under either spelling on a file system that folds case, so the spelling is
        // asked (this is the item's only move, so the listing's is still its own): a change of
        // letter case alone may be taken as done and change nothing, so it goes through the
        // detour.
        const bool atDetour = !move.detour.empty() && *at == move.detour;
        if (!atDetour) {
            if ((*at != move.to && *at != move.from) || !listed->SpelledSo(move.to) ||
                listed->SpelledSo(move.from)) {
                return MoveResult::Done;
            }
            if (move.detour.empty()) {
                return MoveResult::Other;
            }
            result = Move(move.to, move.detour);
            *moved = *moved || result == MoveResult::Done;
        }
        if (result == MoveResult::Done) {
            // Halfway: where it is, should the second move be refused.
            *at = move.detour;
            result = Move(move.detour, move.from);
        }
    } else if (*at == move.to) {
        result = Move(move.to, move.from);
    } else {
        return MoveResult::Done;
    }
    if (result == MoveResult::Done) {
        *at = move.from;
        *moved = true;
    }
    return result;
}

// Where the item is now among the places its moves give it, the first-named first; empty when
// at none of them.
std::string WhereNow(const Item& item, PlaceIndex* listed) {
    if (Holds(item.firstPath, item.identity, listed)) {
        return item.firstPath;
    }
    for (const PlannedMove* move : item.moves) {
        for (const std::string* path : {&move->to, &move->detour}) {
            if (Holds(*path, item.identity, listed)) {
                return *path;
            }
        }
    }
    return std::string();
}

// The item from one of its temporary names to its name before the pass if that is free, else to
// the one the pass gave it: a name a later put-back still knows, so only once the pass's second
// stage began. Where it is then.
std::string OffTemporaryName(const Item& item, const std::string& now, bool secondStage) {
    for (const std::string* to : {&item.firstPath, &item.target}) {
        if (!to->empty() && (secondStage || to == &item.firstPath) && !platform::PathExists(*to) &&
            Move(now, *to) == MoveResult::Done) {
            return *to;
        }
    }
    return now;
}

// Where each item of an undo cut short was before that undo, for putting a stuck rotation back
// as it was: the journal holds the pass's plan, not how far the undo came. The undo moves an item
// only from its new name. So an item at one of its temporary names was taken from its new name.
// And an item back at its old name, when that name is the new name of an item so taken, was
// taken from its own new name too: the other item was there until the undo began.
std::vector<std::string> BeforeUndo(const std::vector<Item>& items,
                                    const std::vector<std::string>& now) {
    std::vector<std::string> before = now;
    std::unordered_map<std::string, std::size_t> atOldName;
    std::vector<std::size_t> taken;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].valid || now[i].empty()) {
            continue;
        }
        if (items[i].AtOwnTemporary(now[i]) && !items[i].target.empty()) {
            before[i] = items[i].target;
            taken.push_back(i);
        } else if (now[i] == items[i].firstPath) {
            atOldName.emplace(platform::CaseFoldKey(now[i]), i);
        }
    }
    while (!taken.empty()) {
        const std::size_t i = taken.back();
        taken.pop_back();
        const auto there = atOldName.find(platform::CaseFoldKey(items[i].target));
        if (there == atOldName.end() || there->second == i) {
            continue;
        }
        const std::size_t j = there->second;
        atOldName.erase(there);
        if (!items[j].target.empty()) {
            before[j] = items[j].target;
            taken.push_back(j);
        }
    }
    return before;
}

}  // namespace

std::vector<std::string> MoveOffTemporaryNames(const Contents& contents) {
    std::vector<std::string> givenNewNames;
    if (!contents.hasPlan) {
        return givenNewNames;
    }
    for (const Item& item : ItemsOf(contents.plan)) {
        if (!item.valid) {
            continue;
        }
        for (const std::string* at : {&item.aside, &item.detour}) {
            // The names are kept: the one the pass gave it is as good as its own.
            if (!at->empty() && Holds(*at, item.identity) &&
                OffTemporaryName(item, *at, true) == item.target && !contents.secondStage) {
                givenNewNames.push_back(item.firstPath);
            }
        }
    }
    return givenNewNames;
}

std::string ShownLeft(const LeftItem& item) {
    const std::string first = mbcs::ReplaceAll(platform::ShownForm(item.firstPath), '/', '\\');
    const std::string now = platform::ShownForm(SlashName(item.now));
    switch (item.why) {
        case LeftItem::Why::Gone:
            return texts::Fill(texts::kLeftGone, {first});
        case LeftItem::Why::NameTaken:
            return texts::Fill(texts::kLeftNameTaken, {first, now});
        case LeftItem::Why::InUse:
            return texts::Fill(texts::kLeftInUse, {first, now});
        case LeftItem::Why::NotMoved:
            return texts::Fill(texts::kLeftNotMoved, {first, now});
        case LeftItem::Why::WithAnother:
            return texts::Fill(texts::kLeftWithAnother, {first, now});
        case LeftItem::Why::Foreign:
            break;
    }
    return texts::Fill(texts::kLeftForeign, {first});
}

std::vector<ItemState> Review(const Contents& contents,
                              const std::function<void(unsigned, unsigned)>& progress) {
    std::vector<ItemState> states;
    if (!contents.hasPlan) {
        return states;
    }
    const std::vector<Item> items = ItemsOf(contents.plan);
    PlaceIndex listed(true);
    for (const Item& item : items) {
        if (progress) {
            progress(static_cast<unsigned>(states.size() + 1), static_cast<unsigned>(items.size()));
        }
        ItemState state;
        state.firstPath = item.firstPath;
        if (!item.valid) {
            state.where = ItemState::Where::Foreign;
        } else if (IsBack(item, &listed)) {
            state.where = ItemState::Where::Back;
        } else {
            state.where = ItemState::Where::Gone;
            for (const PlannedMove* move : item.moves) {
                for (const std::string* path : {&move->to, &move->detour}) {
                    if (state.where == ItemState::Where::Gone &&
                        Holds(*path, item.identity, &listed)) {
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

bool PutBack(const Contents& contents, std::vector<std::string>* leftAlone,
             const std::function<void(unsigned, unsigned)>& progress, PutBackDone* done) {
    if (!contents.hasPlan) {
        return true;
    }
    const PassPlan& plan = contents.plan;
    const std::vector<Item> items = ItemsOf(plan);
    if (done != nullptr) {
        done->items = items.size();
    }
    // Where each item was before, so that only what this put-back moves is told as its own, and
    // an item it could not bring back goes back to where it was, never left at a temporary name.
    // The one look at each item's identity: the moves below follow where each one goes.
    const unsigned total = static_cast<unsigned>(
        items.size() + (contents.secondStage ? plan.renames.size() : 0) + plan.aside.size());
    std::vector<std::string> wasAt(items.size());
    std::vector<bool> backBefore(items.size(), false);
    PlaceIndex listed(true);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (progress) {
            progress(static_cast<unsigned>(i + 1), total);
        }
        if (items[i].valid) {
            wasAt[i] = WhereNow(items[i], &listed);
            backBefore[i] = IsBack(items[i], wasAt[i], &listed);
        }
    }
    std::vector<std::string> now = wasAt;
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
    std::map<const PlannedMove*, std::size_t> itemOf;
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (const PlannedMove* move : items[i].moves) {
            itemOf.emplace(move, i);
        }
    }
    // Why an item's move back was refused, where one was: the system says "denied" both for a
    // file held open and for a name taken, so the place is looked at.
    std::vector<bool> refused(items.size(), false);
    std::vector<bool> moved(items.size(), false);
    std::vector<LeftItem::Why> refusal(items.size(), LeftItem::Why::NotMoved);
    const std::size_t looked = items.size();
    for (std::size_t k = 0; k < undo.size(); ++k) {
        if (progress) {
            progress(static_cast<unsigned>(looked + k + 1), total);
        }
        // A move that fails leaves its item where it is; the account below names it.
        if (trusted.count(undo[k]) != 0) {
            const std::size_t i = itemOf[undo[k]];
            bool itemMoved = moved[i];
            const MoveResult result = Undo(*undo[k], &now[i], &listed, &itemMoved);
            moved[i] = itemMoved;
            if (result != MoveResult::Done) {
                refused[i] = true;
                refusal[i] = result != MoveResult::AccessDenied    ? LeftItem::Why::NotMoved
                             : platform::PathExists(undo[k]->from) ? LeftItem::Why::NameTaken
                                                                   : LeftItem::Why::InUse;
            }
        }
    }
    // An item that could not finish and sits at a temporary name (in a rotation whose other file
    // was held, or whose way another file took) must not stay there: its rotation or chain is
    // put back whole, each item of it going back to where it was before.
    // For an undo cut short, "before" is before that undo, not where this start found it.
    const std::vector<std::string> before = contents.undo ? BeforeUndo(items, wasAt) : wasAt;
    std::vector<move_chains::Place> places(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].valid) {
            places[i] = {items[i].firstPath, before[i], now[i], items[i].aside, items[i].detour};
        }
    }
    std::vector<bool> rolledBack(items.size(), false);
    const std::vector<bool> chain = move_chains::StuckChains(places);
    if (std::find(chain.begin(), chain.end(), true) != chain.end()) {
        move_chains::PutBack(chain, &places);
        for (std::size_t i = 0; i < items.size(); ++i) {
            moved[i] = moved[i] || places[i].now != now[i];
            now[i] = places[i].now;
            rolledBack[i] = chain[i] && !refused[i] && (!backBefore[i] || before[i] != wasAt[i]);
        }
    }
    // Last, an item still at a temporary name (its place before taken since) goes to its name
    // before the pass or, failing that, to the one the pass gave it, whichever is free: it may
    // stay away from its name, but never under a temporary one.
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].valid && items[i].AtOwnTemporary(now[i])) {
            const std::string was = now[i];
            now[i] = OffTemporaryName(items[i], now[i], contents.secondStage);
            moved[i] = moved[i] || now[i] != was;
        }
    }
    bool allBack = true;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        // An item this put-back moved is spelled as it was moved; one it did not, as listed.
        const bool back =
            item.valid && now[i] == item.firstPath && (moved[i] || IsBack(item, now[i], &listed));
        if (!back) {
            leftAlone->push_back(item.firstPath);
            allBack = false;
            LeftItem left{item.firstPath, now[i], LeftItem::Why::Foreign};
            if (item.valid) {
                // The refusal first: a file held open is why, though another item went back
                // to its old name since.
                left.why = left.now.empty()                       ? LeftItem::Why::Gone
                           : refused[i]                           ? refusal[i]
                           : rolledBack[i]                        ? LeftItem::Why::WithAnother
                           : platform::PathExists(item.firstPath) ? LeftItem::Why::NameTaken
                                                                  : LeftItem::Why::NotMoved;
            }
            if (done != nullptr) {
                done->leftAside = done->leftAside || item.AtOwnTemporary(left.now);
                done->left.push_back(std::move(left));
            }
        } else if (done != nullptr && !backBefore[i]) {
            done->movedBack.push_back(item.firstPath);
        }
    }
    return allBack;
}

}  // namespace journal
