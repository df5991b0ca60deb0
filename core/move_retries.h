// Moves that an antivirus, the search indexer or a thumbnail cache holds up for a moment: just
// after a file was made or renamed, they open it briefly, and a move fails as denied where the
// same move a tenth of a second later succeeds. Each such move is tried again, within one bounded
// wait for the whole pass.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace move_retries {

// A tenth of a second at a time, about a second and a half in all for a pass: enough for what
// holds a new file for a moment, and a pass over a locked folder still ends soon.
constexpr unsigned kStepMs = 100;
constexpr unsigned kMostRetries = 15;

// A pass or an undo begins: the wait it may spend is whole again, and nothing is counted.
void Begin();
// The move, tried again while it is refused though its item is there and its target free, as
// long as the wait left allows.
platform::MoveResult Move(const std::string& from, const std::string& to);
// How many moves went through only when tried again, since Begin.
unsigned Retried();

}  // namespace move_retries
