#include "core/move_chains.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <unordered_map>

#include "core/move_retries.h"
#include "platform/file_system.h"

namespace move_chains {

std::vector<bool> StuckChains(const std::vector<Place>& places) {
    const std::size_t n = places.size();
    const auto isStuck = [](const Place& p) { return p.now != p.wasAt && p.AtOwnTemporary(); };
    // Most batches end whole: then nothing is looked at further.
    if (std::none_of(places.begin(), places.end(), isStuck)) {
        return std::vector<bool>(n, false);
    }
    std::vector<std::size_t> root(n);
    for (std::size_t i = 0; i < n; ++i) {
        root[i] = i;
    }
    const auto find = [&](std::size_t i) {
        while (root[i] != i) {
            i = root[i] = root[root[i]];
        }
        return i;
    };
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
            root[find(i)] = find(other->second);
        }
    }
    std::set<std::size_t> stuck;
    for (std::size_t i = 0; i < n; ++i) {
        if (isStuck(places[i])) {
            stuck.insert(find(i));
        }
    }
    std::vector<bool> chain(n);
    for (std::size_t i = 0; i < n; ++i) {
        chain[i] = stuck.count(find(i)) != 0;
    }
    return chain;
}

void PutBack(const std::vector<bool>& which, std::vector<Place>* places) {
    std::vector<Place>& at = *places;
    const auto away = [&](std::size_t i) {
        return which[i] && !at[i].now.empty() && !at[i].wasAt.empty() && at[i].now != at[i].wasAt;
    };
    // Who waits for each place: the item that was there before; and which item is where.
    std::unordered_map<std::string, std::size_t> waiting;
    std::unordered_map<std::string, std::size_t> holding;
    std::deque<std::size_t> ready;
    for (std::size_t i = 0; i < at.size(); ++i) {
        if (away(i)) {
            waiting.emplace(platform::CaseFoldKey(at[i].wasAt), i);
            holding.emplace(platform::CaseFoldKey(at[i].now), i);
            ready.push_back(i);
        }
    }
    // A move that frees a place wakes the item waiting for it.
    const auto move = [&](std::size_t i, const std::string& to) {
        if (platform::PathExists(to) ||
            move_retries::Move(at[i].now, to) != platform::MoveResult::Done) {
            return false;
        }
        const std::string freedKey = platform::CaseFoldKey(at[i].now);
        const auto freed = waiting.find(freedKey);
        if (freed != waiting.end() && freed->second != i) {
            ready.push_back(freed->second);
        }
        holding.erase(freedKey);
        holding[platform::CaseFoldKey(to)] = i;
        at[i].now = to;
        return true;
    };
    // Going aside helps only an item whose place is held by one that waits, and so on round to
    // itself: where the round meets another program's file, the item would stay aside for good.
    std::vector<bool> deadEnd(at.size(), false);
    const auto closesOnItself = [&](std::size_t first) {
        std::vector<std::size_t> walked;
        for (std::size_t i = first;;) {
            walked.push_back(i);
            const auto holder = holding.find(platform::CaseFoldKey(at[i].wasAt));
            if (holder == holding.end() || !away(holder->second) || deadEnd[holder->second] ||
                walked.size() > at.size()) {
                break;
            }
            if (holder->second == first) {
                return true;
            }
            i = holder->second;
        }
        for (std::size_t i : walked) {
            deadEnd[i] = true;
        }
        return false;
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
                !deadEnd[cycle] && closesOnItself(cycle) && move(cycle, at[cycle].aside)) {
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
