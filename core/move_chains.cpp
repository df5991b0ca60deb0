#include "core/move_chains.h"

#include <map>
#include <set>

#include "core/move_retries.h"
#include "core/path_name.h"
#include "core/temporary_names.h"
#include "platform/file_system.h"

namespace move_chains {

bool IsTemporary(const std::string& slashPath) {
    return IsTemporaryName(SlashName(slashPath));
}

std::vector<bool> StuckChains(const std::vector<Place>& places) {
    const std::size_t n = places.size();
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
    std::map<std::string, std::size_t> wasThere;
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
        const Place& p = places[i];
        if (!p.now.empty() && p.now != p.wasAt && IsTemporary(p.now)) {
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
    const auto move = [&](std::size_t i, const std::string& to) {
        if (platform::PathExists(to) ||
            move_retries::Move(at[i].now, to) != platform::MoveResult::Done) {
            return false;
        }
        at[i].now = to;
        return true;
    };
    for (bool moved = true; moved;) {
        moved = false;
        for (std::size_t i = 0; i < at.size(); ++i) {
            moved = (away(i) && move(i, at[i].wasAt)) || moved;
        }
        for (std::size_t i = 0; !moved && i < at.size(); ++i) {
            moved =
                away(i) && !IsTemporary(at[i].now) && !at[i].aside.empty() && move(i, at[i].aside);
        }
    }
}

}  // namespace move_chains
