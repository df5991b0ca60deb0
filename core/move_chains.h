// Moves of one batch that could not all be made: a file may then sit at a temporary name, its
// own name taken by another file of its rotation. Such a rotation or chain is put back whole, each
// of its items where it was before the batch, so that no file is left under a temporary name.
#pragma once

#include <string>
#include <vector>

namespace move_chains {

// By item: where it was to go, where it was before the batch, and where it is now (empty when
// it is not found), each a slash path; and its own temporary name, where the batch gave it one.
struct Place {
    std::string wants;
    std::string wasAt;
    std::string now;
    std::string aside;
};

// The items at a temporary name they did not start at, and every item of the same rotation or
// chain: one wants the place another was at.
std::vector<bool> StuckChains(const std::vector<Place>& places);

// Each item of `which` from where it is back to where it was (`now` kept up to date): those whose
// place is free at once, and where a rotation leaves none free, one of them aside to its own
// temporary name first. An item that cannot go back stays where it is.
void PutBack(const std::vector<bool>& which, std::vector<Place>* places);

// The slash path names one of the temporary names a batch gives.
bool IsTemporary(const std::string& slashPath);

}  // namespace move_chains
