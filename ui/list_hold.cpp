#include "ui/list_hold.h"

#include <utility>

std::vector<std::string> ListHold::TakeKept() {
    if (Held() || namesOut) {
        return {};
    }
    std::vector<std::string> taken;
    taken.swap(kept);
    return taken;
}
