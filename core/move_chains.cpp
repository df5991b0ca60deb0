#include "core/move_chains.h"

#include <algorithm>
#include <deque>
#include <set>
#include <unordered_map>

#include "core/move_retries.h"
#include "platform/file_system.h"

namespace move_chains {
namespace {

// Items joined into chains.
class Joined {
  public:
    explicit Joined(std::size_t n) : root(n) {
        for (std::size_t i = 0; i < n; ++i) {
            root[i] = i;
        }
    }
    void Join(std::size_t a, std::size_t b) { root[Find(a)] = Find(b); }
    // By item: whether its chain holds one of `items`.
    std::vector<bool> WithAny(const std::vector<std::size_t>& items) {
        std::set<std::size_t> marked;
        for (std::size_t i : items) {
            marked.insert(Find(i));
        }
        std::vector<bool> with(root.size());
        for (std::size_t i = 0; i < root.size(); ++i) {
            with[i] = marked.count(Find(i)) != 0;
        }
        return with;
    }

  private:
    std::size_t Find(std::size_t i) {
        while (root[i] != i) {
            i = root[i] = root[root[i]];
        }
        return i;
    }
    std::vector<std::size_t> root;
};

}  // namespace

std::vector<bool> StuckChains(const std::vector<Place>& places) {
    const std::size_t n = places.size();
    const auto isStuck = [](const Place& p) { return p.now != p.wasAt && p.AtOwnTemporary(); };
    // Most batches end whole: then nothing is looked at further.
    if (std::none_of(places.begin(), places.end(), isStuck)) {
        return std::vector<bool>(n, false);
    }
    Joined chains(n);
    // Places as Windows compares them: "B.txt" is where "b.txt" was.
    std::unordered_map<std::string, std::size_t> wasThere;
    for (std::size_t i = 0; i < n; ++i) {
        if (!places[i].wasAt.empty()) {
            wasThere.emplace(platform::CaseFoldKey(places[i].wasAt), i);
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        const auto other = wasThere.find(platform::CaseFoldKey(places[i].wants));
        if (other != wasThere.end()) {
            chains.Join(i, other->second);
        }
    }
    std::vector<std::size_t> stuck;
    for (std::size_t i = 0; i < n; ++i) {
        if (isStuck(places[i])) {
            stuck.push_back(i);
        }
    }
    return chains.WithAny(stuck);
}

namespace {

// The items of `which` whose chain can go back whole: every place one of them was at is free, or
// held by an item of the same chain that will leave it. Where another program's file (or an item
// that stays) holds one, the chain stays as it is: going back in part would move files that are
// at their names for one that cannot follow, and could leave one of them at a temporary name.
std::vector<bool> Whole(const std::vector<bool>& which, const std::vector<Place>& at) {
    const std::size_t n = at.size();
    const auto away = [&](std::size_t i) {
        return which[i] && !at[i].now.empty() && !at[i].wasAt.empty() && at[i].now != at[i].wasAt;
    };
    std::unordered_map<std::string, std::size_t> holding;
    std::unordered_map<std::string, std::size_t> wasThere;
    for (std::size_t i = 0; i < n; ++i) {
        if (away(i)) {
            holding.emplace(platform::CaseFoldKey(at[i].now), i);
            wasThere.emplace(platform::CaseFoldKey(at[i].wasAt), i);
        }
    }
    Joined chains(n);
    std::vector<std::size_t> blocked;
    for (std::size_t i = 0; i < n; ++i) {
        if (!away(i)) {
            continue;
        }
        // One chain: the item that must leave this one's place first, and the one that was at
        // the place this one wants.
        const auto wanted = wasThere.find(platform::CaseFoldKey(at[i].wants));
        if (wanted != wasThere.end()) {
            chains.Join(i, wanted->second);
        }
        const auto holder = holding.find(platform::CaseFoldKey(at[i].wasAt));
        if (holder != holding.end()) {
            chains.Join(i, holder->second);
        } else if (platform::PathExists(at[i].wasAt)) {
            blocked.push_back(i);
        }
    }
    const std::vector<bool> stays = chains.WithAny(blocked);
    std::vector<bool> whole(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        whole[i] = away(i) && !stays[i];
    }
    return whole;
}

}  // namespace

void PutBack(const std::vector<bool>& chains, std::vector<Place>* places) {
    std::vector<Place>& at = *places;
    const std::vector<bool> which = Whole(chains, at);
    const auto away = [&](std::size_t i) {
        return which[i] && !at[i].now.empty() && !at[i].wasAt.empty() && at[i].now != at[i].wasAt;
    };
    // Who waits for each place: the item that was there before.
    std::unordered_map<std::string, std::size_t> waiting;
    std::deque<std::size_t> ready;
    for (std::size_t i = 0; i < at.size(); ++i) {
        if (away(i)) {
            waiting.emplace(platform::CaseFoldKey(at[i].wasAt), i);
            ready.push_back(i);
        }
    }
    // A move that frees a place wakes the item waiting for it.
    const auto move = [&](std::size_t i, const std::string& to) {
        if (platform::PathExists(to) ||
            move_retries::Move(at[i].now, to) != platform::MoveResult::Done) {
            return false;
        }
        const auto freed = waiting.find(platform::CaseFoldKey(at[i].now));
        if (freed != waiting.end() && freed->second != i) {
            ready.push_back(freed->second);
        }
        at[i].now = to;
        return true;
    };
    std::size_t cycle = 0;
    for (;;) {
        while (!ready.empty()) {
            const std::size_t i = ready.front();
            ready.pop_front();
            if (away(i)) {
                move(i, at[i].wasAt);
            }
        }
        // Every place wanted is taken: a rotation. One of it goes aside, and its place wakes the
        // next. An item aside or back never becomes a candidate again.
        for (; cycle < at.size(); ++cycle) {
            if (away(cycle) && at[cycle].now != at[cycle].aside && !at[cycle].aside.empty() &&
                move(cycle, at[cycle].aside)) {
                ready.push_back(cycle);
                break;
            }
        }
        if (ready.empty()) {
            return;
        }
    }
}

}  // namespace move_chains
