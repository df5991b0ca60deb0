// Moves of one batch that could not all be made: a file may then sit at a temporary name, its
// own name taken by another file of its rotation. Such a rotation or chain is put back whole, each
// of its items where it was before the batch, so that no file is left under a temporary name.
#pragma once

#include <string>
#include <vector>

namespace move_chains {

// By item: where it was to go, where it was before the batch, and where it is now (empty when
// it is not found), each a slash path; and its own temporary names, where the batch gave it one
// (a name of that form that is its name before or after the batch is not one).
struct Place {
    std::string wants;
    std::string wasAt;
    std::string now;
    std::string aside;
    std::string detour;

    bool AtOwnTemporary() const { return !now.empty() && (now == aside || now == detour); }
};

// The items at one of their temporary names they did not start at, and every item of the same
// rotation or chain: one wants the place another was at.
std::vector<bool> StuckChains(const std::vector<Place>& places);

// Each item of `which` from where it is back to where it was (`now` kept up to date): each as
// soon as its place is free, and where a rotation leaves none free, one of them aside to its own
// temporary name first. An item that cannot go back stays where it is. Each item moves at most
// twice, and each look at the disk is for a move that may be made.
// A chain one of whose places another file holds (another program's, or one that stays) is left
// as it is: it cannot go back whole.
void PutBack(const std::vector<bool>& which, std::vector<Place>* places);

}  // namespace move_chains
