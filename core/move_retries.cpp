#include "core/move_retries.h"

namespace move_retries {
namespace {

unsigned tries = 0;
unsigned retried = 0;

}  // namespace

void Begin() {
    tries = 0;
    retried = 0;
}

platform::MoveResult Move(const std::string& from, const std::string& to) {
    platform::MoveResult result = platform::MovePath(from, to);
    bool again = false;
    // Denied with the target taken is no lock: the pass never moves onto an existing item.
    while (result == platform::MoveResult::AccessDenied && tries < kMostRetries &&
           platform::PathExists(from) && !platform::PathExists(to)) {
        platform::PauseBeforeRetry(kStepMs);
        ++tries;
        again = true;
        result = platform::MovePath(from, to);
    }
    if (again && result == platform::MoveResult::Done) {
        ++retried;
    }
    return result;
}

unsigned Retried() {
    return retried;
}

}  // namespace move_retries
